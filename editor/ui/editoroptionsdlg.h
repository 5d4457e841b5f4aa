#pragma once

#include <optional>

#include <QDialog>

#include "editor/editoroptions.h"

class QLineEdit;

namespace kvr {
class IPrompter;
}

namespace kvr {
class IFileDialogs;
}

namespace kvr::ui {

// "オプション設定": the default user name and the database file, changed only through
// "参照" (the core's warning, file dialog and "ない！").
class CEditorOptionsDlg final : public QDialog
{
    Q_OBJECT
public:
    // fileDialogs opens the file dialog of "参照".
    CEditorOptionsDlg(const EditorOptionsView &view, IPrompter &prompter, IFileDialogs &fileDialogs,
                      QWidget *parent = nullptr);

    // The fields as entered; unmappable set when the user name holds a character CP932
    // cannot hold (the name then keeps the value shown).
    EditorOptionsForm form() const;

    // Runs the dialog: the fields at OK, or nothing on "ｷｬﾝｾﾙ". With a prompter and a file
    // dialog, it answers IEditorOptionsDialog.
    static std::optional<EditorOptionsForm> ask(QWidget *parent, const EditorOptionsView &view,
                                                IPrompter &prompter, IFileDialogs &fileDialogs);

private:
    void browse();

    EditorOptionsForm m_form;
    IPrompter &m_prompter;
    IFileDialogs &m_fileDialogs;
    QLineEdit *m_user;
    QLineEdit *m_database;
};

} // namespace kvr::ui
