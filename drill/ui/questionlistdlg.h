#pragma once

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
class IFileDialogs;
class IPrompter;
} // namespace kvr

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
                     IFileDialogs &fileDialogs, QWidget *parent = nullptr);

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
    IFileDialogs &m_fileDialogs;
    QListWidget *m_rows;
    QButtonGroup *m_widths;
    QAbstractButton *m_opt = nullptr;
    QSpinBox *m_optField = nullptr;
    QCheckBox *m_blankRows;
    int m_width = 0;
    bool m_built = false;
    QuestionList m_list;
};

} // namespace kvr::ui
