#pragma once

#include <functional>

#include <QDialog>
#include <QString>

#include "db/questiondatabase.h"
#include "drill/questionlist.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QListWidget;
class QSpinBox;

namespace kvr {
class IPrompter;
}

namespace kvr::ui {

// "<name> - 問題一覧": a collection's questions and answers as aligned rows at a chosen
// column width, with a text export. Not modal by itself; run it with exec() or show().
class CQuestionListDlg final : public QDialog
{
    Q_OBJECT
public:
    // name may be empty (the drill window's list). The dialog keeps its own copy of the
    // collection.
    CQuestionListDlg(const CSection &section, const QString &name, IPrompter &prompter,
                     QWidget *parent = nullptr);

    // Asks for the export file, given the proposed path; an empty result cancels. The
    // default is a save dialog; tests replace it.
    using SavePathChooser = std::function<QString(QWidget *parent, const QString &proposed)>;
    void setSavePathChooser(SavePathChooser chooser) { m_chooseSavePath = std::move(chooser); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildBorderGroup();
    void applyWidth(int width);
    void optChosen(bool tellWhenInvalid);
    void autoCount();
    void rebuild();
    void exportRows();

    const CSection m_section;
    QString m_name;
    IPrompter &m_prompter;
    QListWidget *m_rows;
    QButtonGroup *m_widths;
    QAbstractButton *m_opt = nullptr;
    QSpinBox *m_optField = nullptr;
    QCheckBox *m_blankRows;
    int m_width = 0;
    bool m_built = false;
    QuestionList m_list;
    SavePathChooser m_chooseSavePath;
};

} // namespace kvr::ui
