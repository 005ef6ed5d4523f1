#include "server/ops/call.h"
#include "server/ops/orderlines.h"
#include "server/ops/pricing.h"

#include "wire/objects.h"

#include <cmath>
#include <optional>

namespace zelvora::server {

namespace {

// Only the sales manager may reprice an ordered line.
constexpr int fiyatDegistirebilenTip = 2;
constexpr double enCokFiyat = 1e9;

// An order line as a balance change needs it.
struct Bakiye
{
    qint64 stokno = 0;
    double miktar = 0;
    double teslimEdilen = 0;
    double kalan = 0;
    double ind[4] = {};
    double kdv = 0;
};

// The line `siparissirano` of the customer the login acts for; a line of
// another customer, or one that is not of the item the client names (stokno 0
// names none), is not found.
std::optional<Bakiye> bakiyeBul(Db &db, qint64 carino, qint64 stokHarNo, qint64 stokno)
{
    Statement st = db.prepare(QStringLiteral(
        "SELECT STOKNO, MIKTAR, TESLIMEDILEN, KALAN, INDIRIMORANI1, INDIRIMORANI2, INDIRIMORANI3,"
        " INDIRIMORANI4, KDV FROM SIPARISSATIR WHERE STOKHAR_NO = ? AND CARINO = ?"));
    st.bindAll({stokHarNo, carino});
    if (!st.step())
        return std::nullopt;
    Bakiye b;
    b.stokno = st.int64(0);
    b.miktar = st.real(1);
    b.teslimEdilen = st.real(2);
    b.kalan = st.real(3);
    for (int i = 0; i < 4; ++i)
        b.ind[i] = st.real(4 + i);
    b.kdv = st.real(8);
    if (stokno > 0 && stokno != b.stokno)
        return std::nullopt;
    return b;
}

// Oldest order first: the order in which the wholesaler delivers.
void bakiyelerVer(Call &call)
{
    call.returnTable(siparisSatirlari(
        call.db, SiparisSatirListesi::Genis, QStringLiteral("SS.CARINO = ? AND SS.KALAN > 0"),
        QStringLiteral("S.TARIH, SS.IDNO, SS.STOKHAR_NO"), {qint64(call.int32(0))}));
}

// Sets the open balance of a line and moves the item's customer-order total
// by the same amount, both or neither.
bool kalanYaz(Db &db, qint64 carino, qint64 stokHarNo, qint64 stokno, double yeniKalan, bool yalnizAcik)
{
    Transaction tx(db);
    const std::optional<Bakiye> b = bakiyeBul(db, carino, stokHarNo, stokno);
    if (!b)
        return false;
    if (yalnizAcik && !(b->kalan > 0))
        return false;
    if (!(yeniKalan >= 0 && yeniKalan <= b->miktar - b->teslimEdilen))
        return false;
    db.execute(QStringLiteral("UPDATE SIPARISSATIR SET KALAN = ? WHERE STOKHAR_NO = ?"),
               {yeniKalan, stokHarNo});
    alinanSiparisEkle(db, b->stokno, yeniKalan - b->kalan);
    tx.commit();
    return true;
}

// "Bakiyeyi Sil": the line stays in its order, only what is still owed to
// the customer is closed. 0 when there was no open balance to close.
// k, stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod
void bakiyeDuzenle(Call &call)
{
    const auto k = call.login(0);
    call.returnInt(kalanYaz(call.db, k->CARINO(), call.int32(3), call.int32(1), 0, true) ? 1 : 0);
}

// "Bakiye Değiştir": the new balance may lie anywhere from 0 to what was
// ordered and not yet delivered; outside that nothing changes and the answer
// is 0. A balance cannot grow past the order: more goods is a new order.
void bakiyeDegistir(Call &call)
{
    const auto k = call.login(0);
    const double yeni = call.real(5);
    if (!std::isfinite(yeni)) {
        call.returnInt(0);
        return;
    }
    call.returnInt(kalanYaz(call.db, k->CARINO(), call.int32(3), call.int32(1), yeni, false) ? 1 : 0);
}

// "Fiyat Değiştir": new unit price and first discount, the other three rates
// kept, amounts recomputed for the whole ordered quantity. ILKFIYAT keeps the
// price the line was ordered at.
// k, stokno (0), sepetsirano, siparissirano, Adet, Bakiye, barkod, fiyat, ind
void bakiyeFiyatDegistir(Call &call)
{
    const auto k = call.login(0);
    const qint64 stokHarNo = call.int32(3);
    const double fiyat = call.real(7);
    const double ind = call.real(8);
    if (k->MusteriTipi() != fiyatDegistirebilenTip || !std::isfinite(fiyat) || fiyat < 0 ||
        fiyat > enCokFiyat || !oranGecerli(ind)) {
        call.returnInt(0);
        return;
    }
    Transaction tx(call.db);
    const std::optional<Bakiye> b = bakiyeBul(call.db, k->CARINO(), stokHarNo, call.int32(1));
    if (!b) {
        call.returnInt(0);
        return;
    }
    const SatirTutari s = satirHesapla(b->miktar, fiyat, ind, b->ind[1], b->ind[2], b->ind[3], b->kdv);
    call.db.execute(QStringLiteral("UPDATE SIPARISSATIR SET BIRIMFIYAT = ?, INDIRIMORANI1 = ?, TUTAR = ?,"
                                   " INDIRIMTUTAR = ?, NETBIRIMFIYAT = ?, VERGITUTARI = ?, NETTUTAR = ?,"
                                   " INDIRIMYAZI = ? WHERE STOKHAR_NO = ?"),
                    {fiyat, ind, s.tutar, s.indirimTutar, s.netBirimFiyat, s.vergiTutari, s.netTutar,
                     s.indirimYazi, stokHarNo});
    tx.commit();
    call.returnInt(1);
}

} // namespace

void registerBalanceOperations(Registry &r)
{
    r.insert(QStringLiteral("BakiyelerVer2"), &bakiyelerVer);
    r.insert(QStringLiteral("BakiyeDuzenle"), &bakiyeDuzenle);
    r.insert(QStringLiteral("BakiyeDegistir"), &bakiyeDegistir);
    r.insert(QStringLiteral("BakiyeFiyatDegistir"), &bakiyeFiyatDegistir);
}

} // namespace zelvora::server
