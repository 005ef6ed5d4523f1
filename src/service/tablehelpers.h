#pragma once

namespace zelvora {

class Table;

// True when the table is open and has at least one row.
bool KayitVarmi(const Table &table);

// True when a row is marked ("SEC" equals 1). The table is left on the first
// marked row, which is what the callers act on; without one it is left at its
// end. A table without a "SEC" field has nothing marked.
bool SeciliVarmi(Table &table);

} // namespace zelvora
