#pragma once

#include "service/datapacket.h"

#include <optional>

namespace zelvora {

class Connection;
class Table;
class TSonucBilgisi;
struct SayfaBaglami;

// Loads the acting customer's basket (`SepetVer2` for the login record's
// `CARINO`) into `sepet`, the main window's basket table, as its whole
// content, and gives its floating-point columns the display format
// "#,###,##0.00". False when the server could not be reached: the loud
// connection message has been shown and the table keeps what it had (a
// table never loaded stays closed). An error of the call itself is raised to
// the caller.
bool SepetYukle(const Connection &bagc, const TSonucBilgisi &sbilgi, Table &sepet);
// The same for the window's basket as a page sees it; false also when the
// context lacks the connection, the login record or the table.
bool SepetYukle(const SayfaBaglami &baglam);

// The two halves of SepetYukle, for a load that fetches on a worker and
// writes the table on the UI thread, so that nothing else ever sees the
// table half written. The fetch may run on any thread; it answers nothing
// when the server could not be reached.
std::optional<DataPacket> SepetPaketiAl(const Connection &bagc, const TSonucBilgisi &sbilgi);
void SepetPaketiYaz(Table &sepet, const DataPacket &paket);

// Grows by one with every write of a basket table. A load fetched on a worker
// is stale when another load wrote the table since the fetch began.
quint64 SepetYazimSayaci();

} // namespace zelvora
