#include "server/ops/carihesap.h"

#include "server/ops/pricing.h"
#include "server/storage/db.h"

#include <algorithm>
#include <cmath>

namespace zelvora::server {

namespace {

const QDate oleBaslangici(1899, 12, 30);
// 31.12.9999, the last day a date picker can hold.
constexpr double enBuyukOleGunu = 2958465;

double guvenliGun(double tarih)
{
    if (!std::isfinite(tarih) || tarih < 0 || tarih > enBuyukOleGunu)
        return 0;
    return std::floor(tarih);
}

} // namespace

double cariBakiye(Db &db, qint64 carino)
{
    if (carino <= 0)
        return 0;
    return Yuvarla(db.scalarReal(
        QStringLiteral("SELECT COALESCE(SUM(BORC - ALACAK), 0) FROM CARIHAREKET WHERE CARINO = ?"), {carino},
        0));
}

QString tutarMetni(double tutar)
{
    const double yuvarlak = Yuvarla(tutar);
    const qint64 kurus = std::llround(std::fabs(yuvarlak) * 100);
    QString tam = QString::number(kurus / 100);
    for (qsizetype i = tam.size() - 3; i > 0; i -= 3)
        tam.insert(i, QLatin1Char('.'));
    const QString metin =
        tam + QLatin1Char(',') + QStringLiteral("%1").arg(kurus % 100, 2, 10, QLatin1Char('0'));
    return kurus != 0 && yuvarlak < 0 ? QLatin1Char('-') + metin : metin;
}

QDate GunAraligi::ilkGun() const
{
    return oleGunu(bas);
}

QDate GunAraligi::sonGun() const
{
    return oleGunu(son - 1);
}

GunAraligi gunAraligi(double tarih1, double tarih2)
{
    const double a = guvenliGun(tarih1), b = guvenliGun(tarih2);
    return GunAraligi{std::min(a, b), std::max(a, b) + 1};
}

QDate oleGunu(double oleTarih)
{
    return oleBaslangici.addDays(qint64(guvenliGun(oleTarih)));
}

double oleTarihi(QDate gun)
{
    return gun.isValid() ? double(oleBaslangici.daysTo(gun)) : 0;
}

QList<AcikKalem> acikKalemler(Db &db, qint64 carino, double sonTarih)
{
    QList<AcikKalem> borclar;
    double odenen = 0;
    Statement st =
        db.prepare(QStringLiteral("SELECT TARIH, VADETARIHI, TURADI, EVRAK, BORC, ALACAK FROM CARIHAREKET "
                                  "WHERE CARINO = ? AND TARIH < ? ORDER BY TARIH, SIRANO"));
    st.bindAll({carino, sonTarih});
    while (st.step()) {
        const double borc = st.real(4), alacak = st.real(5);
        // A negative debit (a correction) reduces what is owed like a payment;
        // a negative credit (a bounced payment) takes a payment back.
        odenen += alacak + std::max(-borc, 0.0);
        if (borc > 0) {
            AcikKalem k;
            k.tarih = st.real(0);
            k.vadeTarihi = st.real(1) > 0 ? st.real(1) : k.tarih;
            k.turAdi = st.text(2);
            k.evrak = st.text(3);
            k.tutar = borc;
            k.kalan = borc;
            borclar.append(k);
        }
    }
    // Payments settle the oldest debits first; what they leave is open.
    QList<AcikKalem> acik;
    for (AcikKalem &k : borclar) {
        const double kapanan = std::clamp(odenen, 0.0, k.kalan);
        k.kalan = Yuvarla(k.kalan - kapanan);
        odenen -= kapanan;
        if (k.kalan > 0)
            acik.append(k);
    }
    return acik;
}

} // namespace zelvora::server
