#include "server/dispatcher.h"

#include "wire/codec.h"
#include "wire/errors.h"

#include <QLoggingCategory>

#include <stdexcept>

Q_LOGGING_CATEGORY(lcDispatch, "zelvora.server.dispatch", QtWarningMsg)

namespace zelvora::server {

namespace {

QString checkParams(const wire::Operation &op, const wire::Values &params)
{
    if (params.size() != op.inputCount())
        return QStringLiteral("%1 takes %2 parameters, %3 given")
            .arg(op.command())
            .arg(op.inputCount())
            .arg(params.size());
    int i = 0;
    for (const wire::Param &p : op.params) {
        if (p.out)
            continue;
        const wire::Kind have = params.at(i).kind();
        if (have != p.kind)
            return QStringLiteral("%1: parameter %2 (%3) must be %4, not %5")
                .arg(op.command())
                .arg(i)
                .arg(QLatin1String(p.name), wire::kindName(p.kind), wire::kindName(have));
        ++i;
    }
    return QString();
}

} // namespace

Dispatcher::Dispatcher(const ServerConfig &config) : m_config(config)
{
    registerLoginOperations(m_handlers);
    registerStockOperations(m_handlers);
    registerBasketOperations(m_handlers);
    registerOrderOperations(m_handlers);
    registerAccountOperations(m_handlers);
    registerBalanceOperations(m_handlers);
    registerPromotionOperations(m_handlers);
    registerRepresentativeOperations(m_handlers);
    registerRequestOperations(m_handlers);
}

QStringList Dispatcher::missingHandlers() const
{
    QStringList missing;
    for (const wire::Operation &op : wire::catalogue()) {
        if (!m_handlers.contains(QLatin1String(op.name)))
            missing << QLatin1String(op.name);
    }
    return missing;
}

QByteArray Dispatcher::handle(QByteArrayView payload, bool *closeAfter) const
{
    *closeAfter = false;
    wire::Message message;
    try {
        message = wire::decodePayload(payload);
    } catch (const wire::WireError &e) {
        *closeAfter = true;
        return wire::encodeError(QLatin1String(wire::errorclass::Protocol), e.message());
    }
    if (message.type != wire::MessageType::Request) {
        *closeAfter = true;
        return wire::encodeError(QLatin1String(wire::errorclass::Protocol),
                                 QStringLiteral("a request was expected"));
    }
    const wire::Request &request = message.request;
    const wire::Operation *op = wire::findOperation(request.command);
    if (!op || !request.command.startsWith(QLatin1String(wire::ServerClass)))
        return wire::encodeError(QLatin1String(wire::errorclass::NoMethod),
                                 QStringLiteral("Method %1 not found").arg(request.command));
    if (const QString problem = checkParams(*op, request.params); !problem.isEmpty())
        return wire::encodeError(QLatin1String(wire::errorclass::Argument), problem);

    const Handler handler = m_handlers.value(QLatin1String(op->name));
    if (!handler)
        return wire::encodeError(QLatin1String(wire::errorclass::Server),
                                 QStringLiteral("%1 is not available on this server").arg(op->command()));
    try {
        Db &db = Db::forThread(m_config.dbPath);
        Call call(*op, request.params, db, m_config);
        handler(call);
        if (op->form != wire::ResultForm::None && call.result.kind() != op->result &&
            !(op->form == wire::ResultForm::Object && call.result.kind() == wire::Kind::Object))
            throw std::logic_error("handler answered the wrong kind");
        wire::Values values = call.outs;
        if (values.size() != op->outputCount())
            throw std::logic_error("handler answered the wrong number of out parameters");
        if (op->form != wire::ResultForm::None)
            values.append(call.result);
        return wire::encodeResponse(values);
    } catch (const wire::WireError &e) {
        return wire::encodeError(QLatin1String(wire::errorclass::Argument), e.message());
    } catch (const DbError &e) {
        qCWarning(lcDispatch) << op->name << e.what();
        return wire::encodeError(QLatin1String(wire::errorclass::Database), QString::fromUtf8(e.what()));
    } catch (const std::exception &e) {
        qCWarning(lcDispatch) << op->name << e.what();
        return wire::encodeError(QLatin1String(wire::errorclass::Server), QString::fromUtf8(e.what()));
    }
}

} // namespace zelvora::server
