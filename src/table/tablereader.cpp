#include "table/tablereader.h"

namespace zelvora {

TableReader::TableReader(std::shared_ptr<const Table> table) : m_table(std::move(table))
{
    if (!m_table)
        m_table = std::make_shared<const Table>();
}

int TableReader::columnCount() const
{
    return m_table->fieldCount();
}

QString TableReader::columnName(int i) const
{
    return m_table->column(i).name();
}

FieldKind TableReader::columnKind(int i) const
{
    return m_table->column(i).kind();
}

qint32 TableReader::columnSize(int i) const
{
    return m_table->column(i).def().size;
}

bool TableReader::next()
{
    if (m_row < m_table->recordCount())
        ++m_row;
    return m_row < m_table->recordCount();
}

bool TableReader::isNull(int i) const
{
    return m_table->column(i).isNull(m_row);
}

qint32 TableReader::asInteger(int i) const
{
    return m_table->column(i).int32At(m_row);
}

qint64 TableReader::asLargeInt(int i) const
{
    return m_table->column(i).int64At(m_row);
}

double TableReader::asFloat(int i) const
{
    return m_table->column(i).doubleAt(m_row);
}

bool TableReader::asBoolean(int i) const
{
    return m_table->column(i).boolAt(m_row);
}

QString TableReader::asString(int i) const
{
    return m_table->column(i).textAt(m_row);
}

QVariant TableReader::value(int i) const
{
    return m_table->column(i).valueAt(m_row);
}

void LoadFromReader(TableReader &reader, Table &table)
{
    QList<FieldDef> defs;
    for (int i = 0; i < reader.columnCount(); ++i)
        defs.append({reader.columnName(i), reader.columnKind(i), reader.columnSize(i)});
    table.define(defs);
    table.disableControls();
    table.reserve(reader.source().recordCount());
    while (reader.next())
        table.appendRowFrom(reader.source(), reader.row());
    table.first();
    table.enableControls();
}

} // namespace zelvora
