#include "wire/codec.h"

#include "wire/errors.h"

#include <QtEndian>

#include <cstring>
#include <functional>
#include <limits>

namespace zelvora::wire {

namespace {

constexpr quint32 MaxColumns = 4096;
constexpr quint32 MaxValues = 65535;

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the packet codec copies little-endian arrays as they are");

class Writer
{
public:
    explicit Writer(QByteArray &out) : m_out(out) {}

    void u8(quint8 v) { m_out.append(char(v)); }
    void u16(quint16 v) { raw(&v, 2); }
    void u32(quint32 v) { raw(&v, 4); }
    void i32(qint32 v) { raw(&v, 4); }
    void i64(qint64 v) { raw(&v, 8); }
    void f64(double v) { raw(&v, 8); }
    void raw(const void *p, size_t n) { m_out.append(static_cast<const char *>(p), qsizetype(n)); }
    void bytes(QByteArrayView b)
    {
        u32(quint32(b.size()));
        m_out.append(b.data(), b.size());
    }
    void string(const QString &s) { bytes(s.toUtf8()); }

private:
    QByteArray &m_out;
};

class Reader
{
public:
    explicit Reader(QByteArrayView in) : m_in(in) {}

    qsizetype remaining() const { return m_in.size() - m_pos; }
    void need(qsizetype n) const
    {
        if (n < 0 || n > remaining())
            throw WireError(QStringLiteral("truncated payload"));
    }
    const char *take(qsizetype n)
    {
        need(n);
        const char *p = m_in.data() + m_pos;
        m_pos += n;
        return p;
    }
    template<typename T> T scalar()
    {
        T v;
        std::memcpy(&v, take(sizeof(T)), sizeof(T));
        return v;
    }
    quint8 u8() { return scalar<quint8>(); }
    quint16 u16() { return scalar<quint16>(); }
    quint32 u32() { return scalar<quint32>(); }
    QByteArrayView bytes()
    {
        const quint32 n = u32();
        return QByteArrayView(take(qsizetype(n)), qsizetype(n));
    }
    QString string()
    {
        const QByteArrayView b = bytes();
        return QString::fromUtf8(b.data(), b.size());
    }
    bool atEnd() const { return m_pos == m_in.size(); }

private:
    QByteArrayView m_in;
    qsizetype m_pos = 0;
};

void writeTable(Writer &w, QByteArray &out, const Table &t)
{
    const qsizetype rows = t.active() ? t.recordCount() : 0;
    w.u32(quint32(t.fieldCount()));
    for (int c = 0; c < t.fieldCount(); ++c) {
        const FieldDef &d = t.column(c).def();
        w.string(d.name);
        w.u8(quint8(d.kind));
        w.i32(d.size);
    }
    w.u32(quint32(rows));
    for (int c = 0; c < t.fieldCount(); ++c) {
        const Column &col = t.column(c);
        // Null bitmap, one bit per row, lowest bit first.
        QByteArray bitmap((rows + 7) / 8, '\0');
        for (qsizetype r = 0; r < rows; ++r) {
            if (col.nulls()[size_t(r)])
                bitmap[r / 8] = char(bitmap[r / 8] | (1 << (r % 8)));
        }
        out.append(bitmap);
        switch (col.kind()) {
        case FieldKind::Integer:
            for (qsizetype r = 0; r < rows; ++r)
                w.i32(qint32(col.ints()[size_t(r)]));
            break;
        case FieldKind::Boolean:
            for (qsizetype r = 0; r < rows; ++r)
                w.u8(col.ints()[size_t(r)] ? 1 : 0);
            break;
        case FieldKind::LargeInt:
            w.raw(col.ints().data(), size_t(rows) * 8);
            break;
        case FieldKind::Float:
        case FieldKind::Currency:
        case FieldKind::Bcd:
        case FieldKind::DateTime:
            w.raw(col.doubles().data(), size_t(rows) * 8);
            break;
        case FieldKind::Text:
        case FieldKind::Memo:
        case FieldKind::Bytes: {
            quint64 total = 0;
            for (qsizetype r = 0; r < rows; ++r) {
                const quint32 len = col.spans()[size_t(r)].second;
                w.u32(len);
                total += len;
            }
            out.reserve(out.size() + qsizetype(total));
            for (qsizetype r = 0; r < rows; ++r) {
                const auto &s = col.spans()[size_t(r)];
                w.raw(col.arena().data() + s.first, s.second);
            }
            break;
        }
        }
    }
}

Table readTable(Reader &in)
{
    const quint32 columns = in.u32();
    if (columns > MaxColumns)
        throw WireError(QStringLiteral("too many columns: %1").arg(columns));
    QList<FieldDef> defs;
    defs.reserve(columns);
    for (quint32 c = 0; c < columns; ++c) {
        FieldDef d;
        d.name = in.string();
        const quint8 kind = in.u8();
        if (!isKnownFieldKind(kind))
            throw WireError(QStringLiteral("unknown column kind %1").arg(kind));
        d.kind = FieldKind(kind);
        d.size = in.scalar<qint32>();
        defs.append(d);
    }
    const quint32 rows = in.u32();
    // Every row costs at least one byte per column somewhere, so a row count the
    // payload cannot hold is refused before anything is allocated for it.
    if (columns > 0 && quint64(rows) > quint64(in.remaining()))
        throw WireError(QStringLiteral("row count %1 exceeds the payload").arg(rows));
    Table t;
    t.define(defs);
    for (quint32 c = 0; c < columns; ++c) {
        Column &col = t.column(int(c));
        const char *bitmap = in.take((qsizetype(rows) + 7) / 8);
        auto &nulls = col.nulls();
        nulls.resize(rows);
        for (quint32 r = 0; r < rows; ++r)
            nulls[r] = (quint8(bitmap[r / 8]) >> (r % 8)) & 1;
        switch (col.kind()) {
        case FieldKind::Integer: {
            const char *p = in.take(qsizetype(rows) * 4);
            auto &ints = col.ints();
            ints.resize(rows);
            for (quint32 r = 0; r < rows; ++r) {
                qint32 v;
                std::memcpy(&v, p + size_t(r) * 4, 4);
                ints[r] = v;
            }
            break;
        }
        case FieldKind::Boolean: {
            const char *p = in.take(qsizetype(rows));
            auto &ints = col.ints();
            ints.resize(rows);
            for (quint32 r = 0; r < rows; ++r)
                ints[r] = p[r] != 0;
            break;
        }
        case FieldKind::LargeInt: {
            const char *p = in.take(qsizetype(rows) * 8);
            col.ints().resize(rows);
            std::memcpy(col.ints().data(), p, size_t(rows) * 8);
            break;
        }
        case FieldKind::Float:
        case FieldKind::Currency:
        case FieldKind::Bcd:
        case FieldKind::DateTime: {
            const char *p = in.take(qsizetype(rows) * 8);
            col.doubles().resize(rows);
            std::memcpy(col.doubles().data(), p, size_t(rows) * 8);
            break;
        }
        case FieldKind::Text:
        case FieldKind::Memo:
        case FieldKind::Bytes: {
            const char *lens = in.take(qsizetype(rows) * 4);
            auto &spans = col.spans();
            spans.resize(rows);
            quint64 offset = 0;
            for (quint32 r = 0; r < rows; ++r) {
                quint32 len;
                std::memcpy(&len, lens + size_t(r) * 4, 4);
                spans[r] = {quint32(offset), len};
                offset += len;
                if (offset > quint64(in.remaining()))
                    throw WireError(QStringLiteral("text column overruns the payload"));
            }
            const char *data = in.take(qsizetype(offset));
            col.arena().assign(data, size_t(offset));
            break;
        }
        }
    }
    t.finishBulkLoad(rows);
    return t;
}

void writeValue(Writer &w, QByteArray &out, const Value &v)
{
    w.u8(quint8(v.kind()));
    switch (v.kind()) {
    case Kind::Null:
        break;
    case Kind::Text:
        w.string(v.asText());
        break;
    case Kind::Int32:
        w.i32(v.asInt32());
        break;
    case Kind::Int64:
        w.i64(v.asInt64());
        break;
    case Kind::Double:
        w.f64(v.asDouble());
        break;
    case Kind::Bool:
        w.u8(v.asBool() ? 1 : 0);
        break;
    case Kind::Object:
        w.bytes(v.asObjectJson());
        break;
    case Kind::Table:
        writeTable(w, out, v.asTable() ? *v.asTable() : Table());
        break;
    case Kind::Stream: {
        const QByteArray &b = v.asStream();
        w.i64(b.size());
        out.append(b);
        break;
    }
    }
}

Value readValue(Reader &in)
{
    const quint8 tag = in.u8();
    switch (Kind(tag)) {
    case Kind::Null:
        return Value();
    case Kind::Text:
        return Value::text(in.string());
    case Kind::Int32:
        return Value::int32(in.scalar<qint32>());
    case Kind::Int64:
        return Value::int64(in.scalar<qint64>());
    case Kind::Double:
        return Value::real(in.scalar<double>());
    case Kind::Bool: {
        const quint8 b = in.u8();
        if (b > 1)
            throw WireError(QStringLiteral("bad boolean %1").arg(b));
        return Value::boolean(b != 0);
    }
    case Kind::Object:
        return Value::object(in.bytes().toByteArray());
    case Kind::Table:
        return Value::table(readTable(in));
    case Kind::Stream: {
        const qint64 n = in.scalar<qint64>();
        if (n < 0 || n > in.remaining())
            throw WireError(QStringLiteral("stream length %1 exceeds the payload").arg(n));
        return Value::stream(QByteArray(in.take(qsizetype(n)), qsizetype(n)));
    }
    }
    throw WireError(QStringLiteral("unknown value tag %1").arg(tag));
}

Values readValues(Reader &in)
{
    const quint16 count = in.u16();
    Values values;
    values.reserve(count);
    for (quint16 i = 0; i < count; ++i)
        values.append(readValue(in));
    return values;
}

void writeValues(Writer &w, QByteArray &out, const Values &values)
{
    if (quint32(values.size()) > MaxValues)
        throw WireError(QStringLiteral("too many values"));
    w.u16(quint16(values.size()));
    for (const Value &v : values)
        writeValue(w, out, v);
}

QByteArray frame(MessageType type, const std::function<void(Writer &, QByteArray &)> &body)
{
    QByteArray out;
    out.reserve(256);
    out.append(Magic, 4);
    Writer w(out);
    w.u16(ProtocolVersion);
    w.u16(0);
    w.u32(0); // patched below
    w.u8(quint8(type));
    body(w, out);
    const qint64 payload = out.size() - HeaderSize;
    if (payload > qint64(std::numeric_limits<quint32>::max()))
        throw WireError(QStringLiteral("frame too large"));
    const quint32 len = quint32(payload);
    std::memcpy(out.data() + 8, &len, 4);
    return out;
}

} // namespace

QByteArray encodeRequest(const Request &request)
{
    return frame(MessageType::Request, [&](Writer &w, QByteArray &out) {
        w.string(request.command);
        w.string(request.user);
        w.string(request.password);
        writeValues(w, out, request.params);
    });
}

QByteArray encodeResponse(const Values &values)
{
    return frame(MessageType::Response, [&](Writer &w, QByteArray &out) { writeValues(w, out, values); });
}

QByteArray encodeError(const QString &className, const QString &message)
{
    return frame(MessageType::Error, [&](Writer &w, QByteArray &) {
        w.string(className);
        w.string(message);
    });
}

quint32 parseHeader(QByteArrayView header, quint32 limit)
{
    if (header.size() < HeaderSize)
        throw WireError(QStringLiteral("truncated frame header"));
    if (std::memcmp(header.data(), Magic, 4) != 0)
        throw WireError(QStringLiteral("not a Zelvora frame"));
    quint16 version;
    std::memcpy(&version, header.data() + 4, 2);
    if (version != ProtocolVersion)
        throw WireError(QStringLiteral("unsupported protocol version %1").arg(version));
    quint32 length;
    std::memcpy(&length, header.data() + 8, 4);
    if (length == 0)
        throw WireError(QStringLiteral("empty frame"));
    if (length > limit)
        throw WireError(QStringLiteral("frame of %1 bytes exceeds the limit of %2").arg(length).arg(limit));
    return length;
}

Message decodePayload(QByteArrayView payload)
{
    Reader in(payload);
    Message m;
    const quint8 type = in.u8();
    switch (MessageType(type)) {
    case MessageType::Request:
        m.type = MessageType::Request;
        m.request.command = in.string();
        m.request.user = in.string();
        m.request.password = in.string();
        m.request.params = readValues(in);
        break;
    case MessageType::Response:
        m.type = MessageType::Response;
        m.values = readValues(in);
        break;
    case MessageType::Error:
        m.type = MessageType::Error;
        m.errorClass = in.string();
        m.errorMessage = in.string();
        break;
    default:
        throw WireError(QStringLiteral("unknown message type %1").arg(type));
    }
    if (!in.atEnd())
        throw WireError(QStringLiteral("%1 bytes after the message").arg(in.remaining()));
    return m;
}

void appendTable(QByteArray &out, const Table &table)
{
    Writer w(out);
    writeTable(w, out, table);
}

Table decodeTable(QByteArrayView bytes)
{
    Reader in(bytes);
    Table t = readTable(in);
    if (!in.atEnd())
        throw WireError(QStringLiteral("bytes after the table"));
    return t;
}

} // namespace zelvora::wire
