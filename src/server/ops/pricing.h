#pragma once

#include <QString>

namespace zelvora::server {

// Money as the wholesaler rounds it: two decimals, halves away from zero,
// taken from the value's 15 significant digits so 2.675 becomes 2.68.
double Yuvarla(double x);

// The discount chain: each rate above 0 is taken off what the one before left,
// in order. Rates at or below 0 are skipped.
double zincirNet(double fiyat, double ind1, double ind2, double ind3, double ind4);

// The total rate the chain amounts to, in percent (30 then 10 is 37).
double toplamIndirimOrani(double ind1, double ind2, double ind3, double ind4);

// The discount text that lists and dialogs show after "%": the rates above 0
// joined by "+", e.g. "30+10+5" or "12,5"; empty when there is none.
QString indirimYazisi(double ind1, double ind2, double ind3, double ind4);

// One stock row's prices for a customer.
struct BirimFiyat
{
    double fiyat = 0;    // what goes into the basket (list price, or campaign price)
    double ind[4] = {};  // the rates that apply to it
    double net = 0;      // Yuvarla(chain)
    double kdvDahil = 0; // Yuvarla(net with VAT)
    QString indirimYazi;
    double indirimOrani = 0;
};

// The customer's own discounts (INDIRIM, EKINDIRIM) stand in for the item's
// third and fourth rate where the item leaves those at 0. A campaign price is
// already net: no rate applies to it.
BirimFiyat birimFiyatHesapla(double listeFiyati, double kampanyaFiyati, bool kampanyali,
                             const double itemInd[4], double cariIndirim, double cariEkIndirim, double kdv);

// One basket or order line's amounts, the same way the line dialog shows them.
struct SatirTutari
{
    double tutar = 0;        // BIRIMFIYAT x MIKTAR
    double indirimTutar = 0; // TUTAR less the net
    double netTutar = 0;     // net, before VAT
    double netBirimFiyat = 0;
    double vergiTutari = 0; // VAT of the net
    QString indirimYazi;
};

SatirTutari satirHesapla(double miktar, double birimFiyat, double ind1, double ind2, double ind3, double ind4,
                         double kdv);

} // namespace zelvora::server
