#pragma once

// Internal to the object form: the two visitors that the field lists of
// wire/objects.h drive. Only objects*.cpp include this.

#include "wire/objects.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

namespace zelvora::detail {

// Writes the text by hand: QJsonObject sorts its keys, and the server expects the
// members and fields in declaration order.
class FieldWriter
{
public:
    void object(const Nesne *obj);

    void field(const char *name, const QString &value);
    void field(const char *name, qint32 value);
    void field(const char *name, double value);
    void field(const char *name, bool value);

    template<class T> void field(const char *name, const std::vector<std::unique_ptr<T>> &items)
    {
        beginField(name);
        m_out += '[';
        bool first = true;
        for (const auto &item : items) {
            if (!first)
                m_out += ',';
            first = false;
            object(item.get());
        }
        m_out += ']';
    }

    QByteArray take() { return std::move(m_out); }

private:
    void beginField(const char *name);
    void string(const QString &value);

    QByteArray m_out;
    int m_nextId = 1;
    bool m_firstField = true;
};

class FieldReader
{
public:
    // expectedType empty: any registered class.
    std::unique_ptr<Nesne> object(const QJsonValue &value, QStringView expectedType = {});

    void field(const char *name, QString &value);
    void field(const char *name, qint32 &value);
    void field(const char *name, double &value);
    void field(const char *name, bool &value);

    template<class T> void field(const char *name, std::vector<std::unique_ptr<T>> &items)
    {
        const QJsonValue value = member(name);
        if (value.isUndefined())
            return;
        // A nil dynamic array is the empty array on the other side.
        if (value.isNull()) {
            items.clear();
            return;
        }
        if (!value.isArray())
            wrongKind(name, "an array");
        std::vector<std::unique_ptr<T>> read;
        const QString expected = T::staticTypeName();
        for (const QJsonValue element : value.toArray()) {
            std::unique_ptr<Nesne> obj = object(element, expected);
            read.emplace_back(static_cast<T *>(obj.release()));
        }
        items = std::move(read);
    }

private:
    QJsonValue member(const char *name) const { return m_fields.value(QLatin1String(name)); }
    [[noreturn]] static void wrongKind(const char *name, const char *expected);

    QJsonObject m_fields;
    int m_depth = 0;
};

} // namespace zelvora::detail
