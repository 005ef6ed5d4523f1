#include "wire/value.h"

#include "wire/errors.h"

namespace zelvora::wire {

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Null:
        return QStringLiteral("null");
    case Kind::Text:
        return QStringLiteral("text");
    case Kind::Int32:
        return QStringLiteral("Int32");
    case Kind::Int64:
        return QStringLiteral("Int64");
    case Kind::Double:
        return QStringLiteral("Double");
    case Kind::Bool:
        return QStringLiteral("Boolean");
    case Kind::Object:
        return QStringLiteral("object");
    case Kind::Table:
        return QStringLiteral("table");
    case Kind::Stream:
        return QStringLiteral("stream");
    }
    return QStringLiteral("unknown");
}

namespace {

template<typename T>
const T &get(const std::variant<std::monostate, QString, qint32, qint64, double, bool, ObjectJson, TablePtr,
                                QByteArray> &data,
             Kind have, Kind want)
{
    if (have != want)
        throw WireError(QStringLiteral("expected a %1 value, got %2").arg(kindName(want), kindName(have)));
    return std::get<T>(data);
}

} // namespace

const QString &Value::asText() const
{
    return get<QString>(m_data, m_kind, Kind::Text);
}
qint32 Value::asInt32() const
{
    return get<qint32>(m_data, m_kind, Kind::Int32);
}
qint64 Value::asInt64() const
{
    return get<qint64>(m_data, m_kind, Kind::Int64);
}
double Value::asDouble() const
{
    return get<double>(m_data, m_kind, Kind::Double);
}
bool Value::asBool() const
{
    return get<bool>(m_data, m_kind, Kind::Bool);
}
const QByteArray &Value::asObjectJson() const
{
    return get<ObjectJson>(m_data, m_kind, Kind::Object).json;
}
const TablePtr &Value::asTable() const
{
    return get<TablePtr>(m_data, m_kind, Kind::Table);
}
const QByteArray &Value::asStream() const
{
    return get<QByteArray>(m_data, m_kind, Kind::Stream);
}

} // namespace zelvora::wire
