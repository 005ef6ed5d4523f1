#pragma once

#include "table/table.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <variant>

namespace zelvora::wire {

// Kinds of positional values. The numbers are the tags on the wire.
enum class Kind : quint8
{
    Null = 0,
    Text = 1,
    Int32 = 2,
    Int64 = 3,
    Double = 4,
    Bool = 5,
    Object = 6, // JSON text in the object form; "null" for a missing object
    Table = 7,  // a table packet: a reader or a whole data packet, the same bytes
    Stream = 8, // raw bytes with their length
};

QString kindName(Kind kind);

struct ObjectJson
{
    QByteArray json; // UTF-8
};

using TablePtr = std::shared_ptr<const Table>;

// One positional parameter or result.
class Value
{
public:
    Value() = default;
    static Value text(const QString &v) { return Value(Kind::Text, v); }
    static Value int32(qint32 v) { return Value(Kind::Int32, v); }
    static Value int64(qint64 v) { return Value(Kind::Int64, v); }
    static Value real(double v) { return Value(Kind::Double, v); }
    static Value boolean(bool v) { return Value(Kind::Bool, v); }
    static Value object(QByteArray json) { return Value(Kind::Object, ObjectJson{std::move(json)}); }
    static Value nullObject() { return object(QByteArrayLiteral("null")); }
    static Value table(TablePtr t) { return Value(Kind::Table, std::move(t)); }
    static Value table(Table t) { return table(std::make_shared<const Table>(std::move(t))); }
    static Value stream(QByteArray bytes) { return Value(Kind::Stream, std::move(bytes)); }

    Kind kind() const { return m_kind; }
    bool isNull() const { return m_kind == Kind::Null; }

    // Each accessor throws wire::WireError when the value is of another kind.
    const QString &asText() const;
    qint32 asInt32() const;
    qint64 asInt64() const;
    double asDouble() const;
    bool asBool() const;
    const QByteArray &asObjectJson() const;
    const TablePtr &asTable() const;
    const QByteArray &asStream() const;

private:
    using Data =
        std::variant<std::monostate, QString, qint32, qint64, double, bool, ObjectJson, TablePtr, QByteArray>;
    template<typename T> Value(Kind k, T &&v) : m_kind(k), m_data(std::forward<T>(v)) {}
    Kind m_kind = Kind::Null;
    Data m_data;
};

using Values = QList<Value>;

} // namespace zelvora::wire
