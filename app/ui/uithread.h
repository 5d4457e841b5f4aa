#pragma once

#include <optional>
#include <type_traits>
#include <utility>

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include "app/startup.h"
#include "platform/prompter.h"

namespace kvr::ui {

// Runs call on the thread of context and waits for its result. Called on that thread
// already, it simply runs. The context's thread must keep its event loop going meanwhile
// (the loading window's modal loop does).
template <typename Call> auto callOnThreadOf(QObject *context, Call &&call)
{
    using Result = std::invoke_result_t<Call &>;
    if (QThread::currentThread() == context->thread())
        return call();
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(
            context, [&call] { call(); }, Qt::BlockingQueuedConnection);
    } else {
        std::optional<Result> result;
        QMetaObject::invokeMethod(
            context, [&] { result.emplace(call()); }, Qt::BlockingQueuedConnection);
        return std::move(*result);
    }
}

// A prompter usable from the start-up loader's thread: every box is shown by the inner
// prompter on the user-interface thread while the loader waits for the reply.
class CUiThreadPrompter final : public IPrompter
{
public:
    CUiThreadPrompter(IPrompter &inner, QObject *uiContext)
        : m_inner(inner)
        , m_context(uiContext)
    {
    }
    Reply ask(const Message &message) override
    {
        return callOnThreadOf(m_context, [&] { return m_inner.ask(message); });
    }

private:
    IPrompter &m_inner;
    QObject *m_context;
};

// The same for the file-open dialog.
class CUiThreadFileChooser final : public IFileChooser
{
public:
    CUiThreadFileChooser(IFileChooser &inner, QObject *uiContext)
        : m_inner(inner)
        , m_context(uiContext)
    {
    }
    std::optional<std::string> askOpenFile(const std::string &title,
                                           const std::vector<FileFilter> &filters,
                                           const std::string &initialPath) override
    {
        return callOnThreadOf(m_context,
                              [&] { return m_inner.askOpenFile(title, filters, initialPath); });
    }

private:
    IFileChooser &m_inner;
    QObject *m_context;
};

} // namespace kvr::ui
