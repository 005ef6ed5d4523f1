#include "service/tablehelpers.h"

#include "table/table.h"

namespace zelvora {

bool KayitVarmi(const Table &table)
{
    return table.active() && table.recordCount() > 0;
}

bool SeciliVarmi(Table &table)
{
    if (!KayitVarmi(table))
        return false;
    const Field sec = table.findField(QStringLiteral("SEC"));
    if (!sec.isValid())
        return false;
    table.first();
    while (!table.eof()) {
        if (sec.asInteger() == 1)
            return true;
        table.next();
    }
    return false;
}

} // namespace zelvora
