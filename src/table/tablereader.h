#pragma once

#include "table/table.h"

#include <memory>

namespace zelvora {

// A forward-only reader over a received table: column descriptions first, then
// rows one by one. Readers and data packets travel as the same bytes; the
// difference is only in how the caller takes them.
class TableReader
{
public:
    explicit TableReader(std::shared_ptr<const Table> table);

    int columnCount() const;
    QString columnName(int i) const;
    FieldKind columnKind(int i) const;
    qint32 columnSize(int i) const;

    bool next(); // false at the end
    qsizetype row() const { return m_row; }

    bool isNull(int i) const;
    qint32 asInteger(int i) const;
    qint64 asLargeInt(int i) const;
    double asFloat(int i) const;
    bool asBoolean(int i) const;
    QString asString(int i) const;
    QVariant value(int i) const;

    const Table &source() const { return *m_table; }

private:
    std::shared_ptr<const Table> m_table;
    qsizetype m_row = -1;
};

// Redefines `table` with the reader's columns, then appends and posts every
// remaining row, copying values by position. The reader is left at its end.
void LoadFromReader(TableReader &reader, Table &table);

} // namespace zelvora
