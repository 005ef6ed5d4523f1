#include "server/ops/pricing.h"

#include "table/formatfloat.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace zelvora::server {

double Yuvarla(double x)
{
    if (!std::isfinite(x))
        return 0;
    const double cents = x * 100.0;
    const double fraction = std::fabs(cents - std::trunc(cents));
    // Away from a half kuruş plain rounding gives the same answer; near one, the
    // decimal rounding the client does decides, so both sides agree to the kuruş
    // (2.675 is stored just below 2.675 and still becomes 2.68).
    if (std::fabs(fraction - 0.5) > 1e-6)
        return std::round(cents) / 100.0;
    return FormatFloat(QStringLiteral("0.00"), x, QLocale::c()).toDouble();
}

double zincirNet(double fiyat, double ind1, double ind2, double ind3, double ind4)
{
    double net = fiyat;
    for (double rate : {ind1, ind2, ind3, ind4}) {
        if (rate > 0)
            net -= net * rate / 100.0;
    }
    return net;
}

double toplamIndirimOrani(double ind1, double ind2, double ind3, double ind4)
{
    return Yuvarla(100.0 - zincirNet(100.0, ind1, ind2, ind3, ind4));
}

QString indirimYazisi(double ind1, double ind2, double ind3, double ind4)
{
    static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    QStringList parts;
    for (double rate : {ind1, ind2, ind3, ind4}) {
        if (rate > 0)
            parts << FormatFloat(QStringLiteral("0.##"), rate, turkish);
    }
    return parts.join(QLatin1Char('+'));
}

BirimFiyat birimFiyatHesapla(double listeFiyati, double kampanyaFiyati, bool kampanyali,
                             const double itemInd[4], double cariIndirim, double cariEkIndirim, double kdv)
{
    BirimFiyat b;
    if (kampanyali && kampanyaFiyati > 0) {
        b.fiyat = kampanyaFiyati;
    } else {
        b.fiyat = listeFiyati;
        for (int i = 0; i < 4; ++i)
            b.ind[i] = itemInd[i];
        if (b.ind[2] <= 0)
            b.ind[2] = cariIndirim;
        if (b.ind[3] <= 0)
            b.ind[3] = cariEkIndirim;
    }
    b.net = Yuvarla(zincirNet(b.fiyat, b.ind[0], b.ind[1], b.ind[2], b.ind[3]));
    b.kdvDahil = Yuvarla(b.net * (1 + kdv / 100.0));
    b.indirimYazi = indirimYazisi(b.ind[0], b.ind[1], b.ind[2], b.ind[3]);
    b.indirimOrani = toplamIndirimOrani(b.ind[0], b.ind[1], b.ind[2], b.ind[3]);
    return b;
}

SatirTutari satirHesapla(double miktar, double birimFiyat, double ind1, double ind2, double ind3, double ind4,
                         double kdv)
{
    SatirTutari s;
    s.tutar = Yuvarla(birimFiyat * miktar);
    s.netTutar = Yuvarla(zincirNet(s.tutar, ind1, ind2, ind3, ind4));
    s.indirimTutar = Yuvarla(s.tutar - s.netTutar);
    s.netBirimFiyat = miktar != 0 ? Yuvarla(s.netTutar / miktar) : 0;
    s.vergiTutari = Yuvarla(s.netTutar * kdv / 100.0);
    s.indirimYazi = indirimYazisi(ind1, ind2, ind3, ind4);
    return s;
}

} // namespace zelvora::server
