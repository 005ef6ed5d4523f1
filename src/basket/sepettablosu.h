#pragma once

namespace zelvora {

class Connection;
class Table;
class TSonucBilgisi;

// Loads the acting customer's basket (`SepetVer2` for the login record's
// `CARINO`) into `sepet`, the main window's basket table, as its whole
// content, and gives its floating-point columns the display format
// "#,###,##0.00". False when the server could not be reached: the loud
// connection message has been shown and the table keeps what it had (a
// table never loaded stays closed). An error of the call itself is raised to
// the caller. Usable on a worker while no view shows `sepet`.
bool SepetYukle(const Connection &bagc, const TSonucBilgisi &sbilgi, Table &sepet);

} // namespace zelvora
