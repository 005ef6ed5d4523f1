#include "service/arkada.h"

#include "service/errorhandler.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QThreadPool>

namespace zelvora {

namespace {
Q_LOGGING_CATEGORY(lcArkada, "zelvora.arkada", QtWarningMsg)
}

TAwait::TAwait(std::function<void()> async) : FAsync(std::move(async)) {}

TAwait::~TAwait() = default;

void TAwait::Await(std::function<void()> cont)
{
    start(nullptr, false, std::move(cont));
}

void TAwait::Await(QObject *context, std::function<void()> cont)
{
    start(context, true, std::move(cont));
}

void TAwait::start(QObject *context, bool hasContext, std::function<void()> cont)
{
    // A second Await would race the first for the same state.
    if (m_started) {
        qCWarning(lcArkada) << "Await called twice; ignored";
        return;
    }
    m_started = true;
    m_context = context;
    m_hasContext = hasContext;
    m_continuation = std::move(cont);
    QThreadPool::globalInstance()->start([self = shared_from_this()]() mutable {
        self->runAsync();
        QCoreApplication *app = QCoreApplication::instance();
        if (!app) {
            self->finish();
            return;
        }
        // The queued call owns the last reference once this worker lets go,
        // so the closures die on the UI thread after the continuation.
        QMetaObject::invokeMethod(
            app, [keep = std::move(self)] { keep->finish(); }, Qt::QueuedConnection);
    });
}

void TAwait::runAsync()
{
    try {
        if (FAsync)
            FAsync();
    } catch (...) {
        m_error = std::current_exception();
    }
}

void TAwait::finish()
{
    const bool dropped = m_hasContext && !m_context;
    if (!dropped && m_continuation) {
        try {
            m_continuation();
        } catch (...) {
            GenelHataGoster(std::current_exception());
        }
    }
    if (m_error) {
        try {
            std::rethrow_exception(m_error);
        } catch (...) {
            GenelHataGoster(std::current_exception());
        }
    }
    // Captured state (tables, guarded widgets) is released here, on the UI thread.
    m_continuation = nullptr;
    FAsync = nullptr;
    m_error = nullptr;
}

std::shared_ptr<IAwait> ArkadaCalistir(std::function<void()> async)
{
    return std::make_shared<TAwait>(std::move(async));
}

} // namespace zelvora
