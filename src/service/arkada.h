#pragma once

#include <QObject>
#include <QPointer>

#include <exception>
#include <functional>
#include <memory>

namespace zelvora {

// A background procedure waiting for its continuation.
class IAwait
{
public:
    virtual ~IAwait() = default;

    // Starts the procedure on the shared pool; when it has ended, normally or
    // by an error, `cont` runs on the UI thread from the event loop, and after
    // it the procedure's error, if any, is raised there again and goes to the
    // general error handler.
    virtual void Await(std::function<void()> cont) = 0;
    // The same, but `cont` is dropped when `context` (a window, say) is gone
    // by then. The procedure's error is still shown.
    virtual void Await(QObject *context, std::function<void()> cont) = 0;
};

class TAwait final : public IAwait, public std::enable_shared_from_this<TAwait>
{
    Q_DISABLE_COPY_MOVE(TAwait)

public:
    explicit TAwait(std::function<void()> async);
    ~TAwait() override;

    void Await(std::function<void()> cont) override;
    void Await(QObject *context, std::function<void()> cont) override;

private:
    void start(QObject *context, bool hasContext, std::function<void()> cont);
    void runAsync();
    void finish();

    std::function<void()> FAsync;
    std::function<void()> m_continuation;
    QPointer<QObject> m_context;
    bool m_hasContext = false;
    bool m_started = false;
    std::exception_ptr m_error;
};

// The procedure and its continuation are written as one expression:
//     ArkadaCalistir([=] { ... })->Await([=] { ... });
// Both closures, and the TAwait, live until the continuation has run.
std::shared_ptr<IAwait> ArkadaCalistir(std::function<void()> async);

} // namespace zelvora
