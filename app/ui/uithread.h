#pragma once

#include <optional>
#include <type_traits>
#include <utility>

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include "platform/filedialogs.h"
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

// The same for the file dialogs.
class CUiThreadFileDialogs final : public IFileDialogs
{
public:
    CUiThreadFileDialogs(IFileDialogs &inner, QObject *uiContext)
        : m_inner(inner)
        , m_context(uiContext)
    {
    }
    std::optional<std::string> askPath(const FileRequest &request) override
    {
        return callOnThreadOf(m_context, [&] { return m_inner.askPath(request); });
    }

private:
    IFileDialogs &m_inner;
    QObject *m_context;
};

} // namespace kvr::ui
