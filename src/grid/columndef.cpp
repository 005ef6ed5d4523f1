#include "grid/columndef.h"

#include "table/table.h"

namespace zelvora::grid {

QVariant CellContext::value(const QString &field) const
{
    if (!table || row < 0)
        return QVariant();
    // Table::value gives an invalid variant for an unknown field or a row out of range.
    return table->value(row, table->indexOf(field));
}

} // namespace zelvora::grid
