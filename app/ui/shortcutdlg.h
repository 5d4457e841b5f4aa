#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "app/shortcut.h"

class QCheckBox;
class QLineEdit;
class QSlider;

namespace kvr {
class IPrompter;
class IShell;
struct CQuestionDatabase;
} // namespace kvr

namespace kvr::ui {

// "ショートカットオプション": the count and the two options of a desktop shortcut that
// starts a drill of one collection.
class CShortcutDlg final : public QDialog
{
    Q_OBJECT
public:
    CShortcutDlg(const std::string &collectionPath, int questionCount, QWidget *parent = nullptr);

    // After "作成(&G)": the count in the number field and the two checks.
    ShortcutChoice choice() const;

private:
    QSlider *m_slider;
    QLineEdit *m_count;
    QCheckBox *m_speedReply;
    QCheckBox *m_worstFirst;
};

// Where a shortcut goes and what it starts; tests point these elsewhere.
struct ShortcutEnvironment
{
    std::string desktopFolder; // CP932
    std::string programPath; // native (UTF-8), absolute
    // Marks the written file (CP932) as a trusted launcher where the desktop asks for that;
    // must not block, and its failure does not count.
    std::function<void(const std::string &)> markTrusted;

    // This program's, marking through the shell.
    static ShortcutEnvironment current(IShell &shell);
};

// "問題のショートカットの作成(&S)...": asks for the options, writes the shortcut on the
// desktop and tells how that went. Nothing happens when the collection is not found.
void makeShortcut(QWidget *parent, const CQuestionDatabase &database,
                  const std::string &collectionPath, IPrompter &prompter,
                  const ShortcutEnvironment &environment);

} // namespace kvr::ui
