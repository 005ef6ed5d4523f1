#include "wire/objects_json.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QLocale>

#include <cmath>
#include <limits>
#include <utility>

namespace zelvora {

namespace {

// Valid objects nest two deep at most; the limit only stops hostile input from
// exhausting the stack.
constexpr int MaxDepth = 32;

[[noreturn]] void fail(const QString &message)
{
    throw wire::WireError(QStringLiteral("object form: ") + message);
}

} // namespace

namespace detail {

void FieldWriter::object(const Nesne *obj)
{
    if (!obj) {
        m_out += "null";
        return;
    }
    m_out += "{\"type\":";
    string(obj->typeName());
    // Numbered in writing order, so a parent takes its number before its children.
    m_out += ",\"id\":";
    m_out += QByteArray::number(m_nextId++);
    m_out += ",\"fields\":{";
    const bool outerFirst = m_firstField;
    m_firstField = true;
    obj->writeFields(*this);
    m_firstField = outerFirst;
    m_out += "}}";
}

void FieldWriter::beginField(const char *name)
{
    if (!m_firstField)
        m_out += ',';
    m_firstField = false;
    m_out += '"';
    m_out += name; // field names are plain ASCII identifiers
    m_out += "\":";
}

void FieldWriter::field(const char *name, const QString &value)
{
    beginField(name);
    string(value);
}

void FieldWriter::field(const char *name, qint32 value)
{
    beginField(name);
    m_out += QByteArray::number(value);
}

void FieldWriter::field(const char *name, double value)
{
    beginField(name);
    // JSON has no spelling for NaN or infinity; 0 keeps the document readable.
    if (!std::isfinite(value))
        value = 0;
    m_out += QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

void FieldWriter::field(const char *name, bool value)
{
    beginField(name);
    m_out += value ? "true" : "false";
}

void FieldWriter::string(const QString &value)
{
    static constexpr char hex[] = "0123456789abcdef";
    // Bytes of multi-byte UTF-8 sequences are all >= 0x80, so escaping byte by
    // byte cannot split a character.
    const QByteArray utf8 = value.toUtf8();
    m_out.reserve(m_out.size() + utf8.size() + 2);
    m_out += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"':
            m_out += "\\\"";
            break;
        case '\\':
            m_out += "\\\\";
            break;
        case '\b':
            m_out += "\\b";
            break;
        case '\f':
            m_out += "\\f";
            break;
        case '\n':
            m_out += "\\n";
            break;
        case '\r':
            m_out += "\\r";
            break;
        case '\t':
            m_out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                m_out += "\\u00";
                m_out += hex[(c >> 4) & 0xf];
                m_out += hex[c & 0xf];
            } else {
                m_out += c;
            }
        }
    }
    m_out += '"';
}

std::unique_ptr<Nesne> FieldReader::object(const QJsonValue &value, QStringView expectedType)
{
    if (value.isNull())
        return nullptr;
    if (!value.isObject())
        fail(QStringLiteral("an object or null was expected"));
    if (m_depth >= MaxDepth)
        fail(QStringLiteral("objects nested too deep"));

    const QJsonObject form = value.toObject();
    const QJsonValue type = form.value(QLatin1String("type"));
    if (!type.isString())
        fail(QStringLiteral("the \"type\" member is missing or not a string"));
    const QString typeName = type.toString();
    // Checked before construction so that a wrong class is refused before its
    // own nested objects are read.
    if (!expectedType.isEmpty() && typeName != expectedType)
        fail(QStringLiteral("expected %1, got %2").arg(expectedType, typeName));
    std::unique_ptr<Nesne> obj = createByTypeName(typeName);
    if (!obj)
        fail(QStringLiteral("unknown type %1").arg(typeName));

    const QJsonValue fields = form.value(QLatin1String("fields"));
    if (fields.isUndefined())
        return obj;
    if (!fields.isObject())
        fail(QStringLiteral("the \"fields\" member of %1 is not an object").arg(typeName));

    QJsonObject outer = std::exchange(m_fields, fields.toObject());
    ++m_depth;
    try {
        obj->readFields(*this);
    } catch (...) {
        --m_depth;
        m_fields = std::move(outer);
        throw;
    }
    --m_depth;
    m_fields = std::move(outer);
    return obj;
}

void FieldReader::wrongKind(const char *name, const char *expected)
{
    fail(QStringLiteral("field %1 must be %2").arg(QLatin1String(name), QLatin1String(expected)));
}

void FieldReader::field(const char *name, QString &value)
{
    const QJsonValue v = member(name);
    if (v.isUndefined())
        return;
    if (!v.isString())
        wrongKind(name, "a string");
    value = v.toString();
}

void FieldReader::field(const char *name, qint32 &value)
{
    const QJsonValue v = member(name);
    if (v.isUndefined())
        return;
    if (!v.isDouble())
        wrongKind(name, "a number");
    const double d = v.toDouble();
    if (!std::isfinite(d) || std::trunc(d) != d || d < std::numeric_limits<qint32>::min() ||
        d > std::numeric_limits<qint32>::max())
        wrongKind(name, "a whole number within 32 bits");
    value = static_cast<qint32>(d);
}

void FieldReader::field(const char *name, double &value)
{
    const QJsonValue v = member(name);
    if (v.isUndefined())
        return;
    if (!v.isDouble())
        wrongKind(name, "a number");
    value = v.toDouble();
}

void FieldReader::field(const char *name, bool &value)
{
    const QJsonValue v = member(name);
    if (v.isUndefined())
        return;
    if (!v.isBool())
        wrongKind(name, "true or false");
    value = v.toBool();
}

} // namespace detail

QByteArray toJson(const Nesne *obj)
{
    detail::FieldWriter writer;
    writer.object(obj);
    return writer.take();
}

std::unique_ptr<Nesne> fromJson(QByteArrayView json)
{
    if (json.trimmed() == QByteArrayView("null"))
        return nullptr;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        fail(QStringLiteral("malformed JSON at offset %1: %2").arg(error.offset).arg(error.errorString()));
    if (!doc.isObject())
        fail(QStringLiteral("an object or null was expected"));
    detail::FieldReader reader;
    return reader.object(doc.object());
}

} // namespace zelvora
