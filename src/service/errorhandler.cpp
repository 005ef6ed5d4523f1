#include "service/errorhandler.h"

#include "service/connection.h"
#include "service/seams.h"
#include "service/uithread.h"
#include "wire/errors.h"

#include <QLoggingCategory>

namespace zelvora {

namespace {
Q_LOGGING_CATEGORY(lcErrors, "zelvora.errors", QtWarningMsg)
}

QString HataMetni(std::exception_ptr error)
{
    if (!error)
        return QString();
    try {
        std::rethrow_exception(error);
    } catch (const ConnectionError &e) {
        return e.message();
    } catch (const wire::RemoteError &e) {
        return e.message();
    } catch (const wire::WireError &e) {
        return e.message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Beklenmeyen hata");
    }
}

void GenelHataGoster(std::exception_ptr error)
{
    if (!error)
        return;
    const QString text = HataMetni(error);
    qCDebug(lcErrors) << "shown to the user:" << text;
    try {
        runOnUiThread([&text] { Seams::current().showErrorBox(text); });
    } catch (...) {
        // The handler of last resort has nowhere to pass its own failure on.
        qCWarning(lcErrors) << "error box failed for:" << text;
    }
}

} // namespace zelvora
