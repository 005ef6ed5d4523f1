#pragma once

#include "server/storage/db.h"

#include <QString>

#include <initializer_list>

namespace zelvora::server {

// Order lines travel in three lists: the detail window of one order, the
// order movements of a customer ("Sipariş Hareketleri") and the open
// balances. All three share the detail window's columns; the last two add the
// line number, the first price and the item's stock figures.
enum class SiparisSatirListesi
{
    Ayrinti, // SiparisAyrintisi2
    Genis,   // TumSiparislerVer, BakiyelerVer2
};

// Runs the order line query with the given condition (aliases: SS the line,
// S its order, ST the item, C the customer) and ordering, money already
// rounded the way the client rounds it.
Table siparisSatirlari(Db &db, SiparisSatirListesi liste, const QString &kosul, const QString &siralama,
                       SqlValues degerler);

// Sums and products made in SQL carry binary noise; the client adds its
// totals with Yuvarla after every step, so what we hand over must already be
// whole kuruş.
void yuvarlaSutunlari(Table &table, std::initializer_list<const char *> sutunlar);

// The moment a line or an order is written: OLE date-time and the
// "HH:mm:ss" text kept beside it.
struct Zaman
{
    double tarih = 0;
    QString saat;
};
Zaman simdi();

// Rates are percentages; anything outside 0..100 (or not a number) is refused.
bool oranGecerli(double oran);

// Keeps STOK.ALINANSIPARIS (what customers have on order) in step with the
// open quantities of order lines; never lets it fall below 0.
void alinanSiparisEkle(Db &db, qint64 stokNo, double fark);

} // namespace zelvora::server
