#include "server/ops/call.h"

#include "wire/errors.h"
#include "wire/objects.h"

namespace zelvora::server {

Call::Call(const wire::Operation &op, const wire::Values &in, Db &db, const ServerConfig &config)
    : op(op), db(db), config(config), m_in(in)
{}

QString Call::text(int i) const
{
    return m_in.at(i).asText();
}

qint32 Call::int32(int i) const
{
    return m_in.at(i).asInt32();
}

double Call::real(int i) const
{
    return m_in.at(i).asDouble();
}

std::unique_ptr<TSonucBilgisi> Call::login(int i) const
{
    auto record = fromJsonAs<TSonucBilgisi>(m_in.at(i).asObjectJson());
    if (!record)
        throw wire::WireError(QStringLiteral("%1 needs a login record").arg(QLatin1String(op.name)));
    return record;
}

void Call::returnText(const QString &v)
{
    result = wire::Value::text(v);
}

void Call::returnInt(qint32 v)
{
    result = wire::Value::int32(v);
}

void Call::returnBool(bool v)
{
    result = wire::Value::boolean(v);
}

void Call::returnTable(Table t)
{
    result = wire::Value::table(std::move(t));
}

void Call::returnObject(const Nesne *obj)
{
    result = wire::Value::object(toJson(obj));
}

void Call::returnStream(const QByteArray &bytes)
{
    outs = {wire::Value::int64(bytes.size())};
    result = wire::Value::stream(bytes);
}

} // namespace zelvora::server
