#pragma once

#include <optional>

#include <QDialog>

#include "editor/choicedialog.h"

class QCheckBox;
class QPushButton;

namespace kvr::ui {

class CDatabaseTreeWidget;

// The choice dialog: the whole database as a tree, OK, "ｷｬﾝｾﾙ" and, when a destination is
// chosen, "ルートに作成する". OK follows choiceOkEnabled.
class CChoiceDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CChoiceDlg(const ChoiceDialogRequest &request, QWidget *parent = nullptr);

    // The selected item, or the root when the box is ticked; nothing while neither.
    std::optional<ChoiceAnswer> answer() const;

    // Runs the dialog: the accepted choice, or nothing on "ｷｬﾝｾﾙ". Answers IChoiceDialog.
    static std::optional<ChoiceAnswer> ask(QWidget *parent, const ChoiceDialogRequest &request);

private:
    void update();

    ChoiceDialogRequest m_request;
    CDatabaseTreeWidget *m_tree;
    QCheckBox *m_rootBox;
    QPushButton *m_ok;
};

} // namespace kvr::ui
