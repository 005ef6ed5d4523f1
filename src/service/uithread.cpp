#include "service/uithread.h"

#include "service/errorhandler.h"

#include <QCoreApplication>
#include <QThread>

namespace zelvora {

bool isUiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void runOnUiThreadAndWait(const std::function<void()> &fn)
{
    if (isUiThread()) {
        fn();
        return;
    }
    std::exception_ptr error;
    // Exceptions must not cross Qt's event dispatch, so the call is fenced on
    // the UI side and the error handed back to the waiting worker.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&fn, &error] {
            try {
                fn();
            } catch (...) {
                error = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (error)
        std::rethrow_exception(error);
}

void postToUiThread(std::function<void()> fn)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(
        app,
        [fn = std::move(fn)] {
            try {
                fn();
            } catch (...) {
                GenelHataGoster(std::current_exception());
            }
        },
        Qt::QueuedConnection);
}

} // namespace zelvora
