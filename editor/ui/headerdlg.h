#pragma once

#include <optional>

#include <QDialog>

#include "editor/headerdialog.h"

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace kvr::ui {

// The header dialog in its five uses (create a collection or folder, details, rename a
// collection or folder): shows a HeaderDialogView and gives back what was entered. The core
// checks the entry and opens the dialog again when it refuses it.
class CHeaderDlg final : public QDialog
{
    Q_OBJECT
public:
    explicit CHeaderDlg(const HeaderDialogView &view, QWidget *parent = nullptr);

    // The fields as entered; unmappable is set when an editable field holds a character
    // CP932 cannot hold (that field then keeps the value shown).
    HeaderForm form() const;

    // Runs the dialog: the entered fields, or nothing on "ｷｬﾝｾﾙ". Answers IHeaderDialog.
    static std::optional<HeaderForm> ask(QWidget *parent, const HeaderDialogView &view);

private:
    HeaderDialogView m_view;
    QRadioButton *m_root;
    QRadioButton *m_under;
    QLineEdit *m_name;
    QLineEdit *m_inputter;
    QLineEdit *m_copyrightHolder;
    QLineEdit *m_startMessage;
    QPlainTextEdit *m_notes;
};

} // namespace kvr::ui
