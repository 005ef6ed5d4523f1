#pragma once

#include "table/table.h"

#include <QString>

namespace zelvora {
class TSonucBilgisi;
} // namespace zelvora

namespace zelvora::server {

class Db;

// The stock list for what the user typed, priced for the login record's
// customer. Fewer than three characters after trimming give the empty table
// with every column: trigrams need three.
Table stokAra(Db &db, const QString &kod, const TSonucBilgisi &bilgi);

// The one statement behind stokAra, for anyone who wants to time it on its
// own. Bind the customer number first, then searchMatchExpression(kod).
QString stokAraSql();

// Whether campaign prices apply: never for a fleet login (kind 4), and never
// for a customer whose own login is a fleet login, so a representative acting
// for that customer sees the prices the customer sees.
bool kampanyaGecerli(Db &db, qint64 carino, int kullaniciTipi);

// The new-items and campaign pages' row counts, counted over the same rows the
// pages load, so the tab badges agree with the pages.
qint64 yeniStokSayisi(Db &db);
qint64 kampanyaliStokSayisi(Db &db, qint64 carino, int kullaniciTipi);

} // namespace zelvora::server
