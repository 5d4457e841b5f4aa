#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <QString>

class QUrl;
class QWidget;

namespace kvr {
class IShell;
struct CSection;
} // namespace kvr

namespace kvr::ui {

struct MainWindowContext;

// The windows the main window's commands open, each over the window given as parent.
class IMainWindowDialogs
{
public:
    virtual ~IMainWindowDialogs() = default;
    virtual void showQuestionList(const CSection &section, const QString &name,
                                  QWidget *parent) = 0;
    virtual bool manageLearners(QWidget *parent) = 0; // true on OK
    virtual void showOptions(QWidget *parent) = 0;
    virtual void makeShortcut(const std::string &sectionPath, QWidget *parent) = 0;
};

// The program's own: the question list, the learner manager, the options sheet and the
// shortcut dialog over the main window's context.
class CQtMainWindowDialogs final : public IMainWindowDialogs
{
public:
    // The options sheet opens help pages and previews a background colour through the two
    // hooks.
    CQtMainWindowDialogs(MainWindowContext &context, IShell &shell,
                         std::function<void(const QUrl &)> showHelp,
                         std::function<void(std::int32_t)> previewBackground);

    void showQuestionList(const CSection &section, const QString &name, QWidget *parent) override;
    bool manageLearners(QWidget *parent) override;
    void showOptions(QWidget *parent) override;
    void makeShortcut(const std::string &sectionPath, QWidget *parent) override;

private:
    MainWindowContext &m_context;
    IShell &m_shell;
    std::function<void(const QUrl &)> m_showHelp;
    std::function<void(std::int32_t)> m_previewBackground;
};

} // namespace kvr::ui
