#pragma once

#include "table/table.h"

#include <memory>

namespace zelvora {

// A whole table as one value, the way a data packet result arrives. Copies
// share the rows; a table takes them over with Table::assign.
class DataPacket
{
public:
    DataPacket() : m_table(std::make_shared<const Table>()) {}
    explicit DataPacket(std::shared_ptr<const Table> table)
        : m_table(table ? std::move(table) : std::make_shared<const Table>())
    {}

    const Table &table() const { return *m_table; }
    qsizetype recordCount() const { return m_table->recordCount(); }

private:
    std::shared_ptr<const Table> m_table;
};

} // namespace zelvora
