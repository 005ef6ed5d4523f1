#pragma once

namespace zelvora {

class Connection;
class Table;
class TSonucBilgisi;

// Loads the acting customer's basket (`SepetVer2`) into `sepet`, the main
// window's basket table, with the display formats applied. False when the
// server could not be reached; the table then keeps what it had.
bool SepetYukle(const Connection &bagc, const TSonucBilgisi &sbilgi, Table &sepet);

} // namespace zelvora
