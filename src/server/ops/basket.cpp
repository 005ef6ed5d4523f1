#include "server/ops/call.h"
#include "server/ops/orderlines.h"
#include "server/ops/pricing.h"

#include "wire/objects.h"

#include <QDate>
#include <QLocale>

#include <cmath>

namespace zelvora::server {

namespace {

// A quantity above this is a typing slip, not an order.
constexpr double enCokMiktar = 1000000;
// Prices are kuruş-exact doubles; far beyond any part we sell, a value is an error.
constexpr double enCokFiyat = 1e9;

// The basket grid's columns. Item fields and availability come from STOK so
// a renamed item or a changed stock state shows at once; the amounts are the
// ones stored with the line. ACIKLAMA is an integer because the shared
// basket record declares it so; it carries no meaning and stays 0.
const QString sepetSql = QStringLiteral(
    "SELECT SP.SEC, SP.SIRANO, SP.STOKNO, SP.BARKOD, SP.STOKADI, ST.MARKA, ST.FINISHKOD, ST.MODEL,"
    " SP.MIKTAR, SP.BIRIMFIYAT, SP.NETBIRIMFIYAT, SP.KDV,"
    " SP.INDIRIMORANI1, SP.INDIRIMORANI2, SP.INDIRIMORANI3, SP.INDIRIMORANI4,"
    " SP.TUTAR, SP.INDIRIMTUTAR, SP.VERGITUTARI, SP.VERILISTARIHI, ST.OEMNO, SP.INDIRIMYAZI, SP.NETTUTAR,"
    " SP.VEREN, ST.DURUM, ST.KALAN, 0, SP.TARIH, SP.KUR, SP.SAAT, 0,"
    " ST.OEM1, ST.OEM2, ST.OEM3, ST.OEM4, ST.DIGERADI, ST.DPKOD, ST.ANAGRUP, ST.OZELKOD, ST.PKOD,"
    " SP.CARINO, 0, SP.KURTL, SP.VERENIDNO, 0, 0, 0, SP.VERENIDNO, C.CARIKOD, C.CARIADI, SP.STOKNO,"
    " ST.URETICIKODU"
    " FROM SEPET SP JOIN STOK ST ON ST.STOKNO = SP.STOKNO JOIN CARI C ON C.CARINO = SP.CARINO"
    " WHERE SP.CARINO = ? ORDER BY SP.SIRANO");

const QString sepetSekli = QStringLiteral(
    "SEC:i, SIRANO:i, STOKNO:i, BARKOD:s50, STOKADI:s100, MARKA:s50, FINISHKOD:s50, MODEL:s50,"
    " MIKTAR:f, BIRIMFIYAT:f, NETBIRIMFIYAT:f, KDV:f,"
    " INDIRIMORANI1:f, INDIRIMORANI2:f, INDIRIMORANI3:f, INDIRIMORANI4:f,"
    " TUTAR:f, INDIRIMTUTAR:f, VERGITUTARI:f, VERILISTARIHI:d, OEMNO:s50, INDIRIMYAZI:s50, NETTUTAR:f,"
    " VEREN:s50, DURUM:i, KALAN:f, SIPARISNO:i, TARIH:d, KUR:s5, SAAT:s10, ACIKLAMA:i,"
    " OEM1:s50, OEM2:s50, OEM3:s50, OEM4:s50, DIGERADI:s100, DPKOD:s50, ANAGRUP:s50, OZELKOD:s50, PKOD:s50,"
    " CARINO:i, AKTAR:i, KURTL:f, VERENIDNO:i, TESLIMID:i, KARGOID:i, IDNO:i, VERENSIRANO:i, CARIKOD:s25,"
    " CARIADI:s100, STOK_STOKNO:i, URETICIKODU:s50");

// What the line dialog may send. Anything else is refused before it can
// reach a total: a NaN or a negative rate would poison every sum after it.
bool satirGecerli(double miktar, double kdv, double fiyat, double ind1, double ind2, double ind3, double ind4)
{
    return std::isfinite(miktar) && miktar > 0 && miktar <= enCokMiktar && std::isfinite(fiyat) &&
           fiyat >= 0 && fiyat <= enCokFiyat && oranGecerli(kdv) && oranGecerli(ind1) && oranGecerli(ind2) &&
           oranGecerli(ind3) && oranGecerli(ind4);
}

void sepetVer(Call &call)
{
    Table t = call.db.query(sepetSql, sepetSekli, {qint64(call.int32(0))});
    yuvarlaSutunlari(t, {"BIRIMFIYAT", "NETBIRIMFIYAT", "TUTAR", "INDIRIMTUTAR", "VERGITUTARI", "NETTUTAR"});
    call.returnTable(std::move(t));
}

// bilgim, carino, stokno, barkod, stokadi, miktar, kdv, fiyat, ind1, verenid, k, ind2, ind3, ind4
void sepetEkle(Call &call)
{
    const auto bilgi = call.login(0);
    const qint64 carino = call.int32(1);
    const qint64 stokno = call.int32(2);
    const double miktar = call.real(5);
    const double kdv = call.real(6);
    const double fiyat = call.real(7);
    const double ind[4] = {call.real(8), call.real(11), call.real(12), call.real(13)};
    const qint64 verenId = call.int32(9);
    const qint64 k = call.int32(10) != 0 ? 1 : 0;

    if (carino <= 0 || stokno <= 0 || !satirGecerli(miktar, kdv, fiyat, ind[0], ind[1], ind[2], ind[3])) {
        call.returnInt(0);
        return;
    }
    if (call.db.scalarInt(QStringLiteral("SELECT COUNT(*) FROM CARI WHERE CARINO = ?"), {carino}) == 0) {
        call.returnInt(0);
        return;
    }
    // Code and name are taken from the catalogue, not from what the dialog
    // echoed back, so the line always names the item it refers to.
    Statement item = call.db.prepare(QStringLiteral("SELECT BARKOD, ADI FROM STOK WHERE STOKNO = ?"));
    item.bindAll({stokno});
    if (!item.step()) {
        call.returnInt(0);
        return;
    }
    const QString barkod = item.text(0);
    const QString stokAdi = item.text(1);

    const SatirTutari s = satirHesapla(miktar, fiyat, ind[0], ind[1], ind[2], ind[3], kdv);
    const Zaman z = simdi();
    // A line just put in is meant to be ordered, so it starts marked; the
    // dealer unmarks what should wait.
    call.db.execute(
        QStringLiteral(
            "INSERT INTO SEPET (CARINO, STOKNO, BARKOD, STOKADI, MIKTAR, BIRIMFIYAT, ILKFIYAT,"
            " INDIRIMORANI1, INDIRIMORANI2, INDIRIMORANI3, INDIRIMORANI4, KDV, TUTAR, INDIRIMTUTAR,"
            " NETBIRIMFIYAT, VERGITUTARI, NETTUTAR, INDIRIMYAZI, SEC, K, VEREN, VERENIDNO,"
            " VERILISTARIHI, TARIH, SAAT)"
            " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?)"),
        {carino,  stokno,         barkod,          stokAdi,       miktar,     fiyat,
         fiyat,   ind[0],         ind[1],          ind[2],        ind[3],     kdv,
         s.tutar, s.indirimTutar, s.netBirimFiyat, s.vergiTutari, s.netTutar, s.indirimYazi,
         k,       bilgi->ADI(),   verenId,         z.tarih,       z.tarih,    z.saat});
    call.returnInt(1);
}

// bilgim, carino, stokno (0), barkod, stokadi, miktar, kdv, fiyat, ind1, verenid, _sepetsirano, ind2, ind3,
// ind4
void sepetGuncelle(Call &call)
{
    call.login(0); // refuses a call without a login record, as every basket change does
    const qint64 carino = call.int32(1);
    const double miktar = call.real(5);
    const double kdv = call.real(6);
    const double fiyat = call.real(7);
    const double ind[4] = {call.real(8), call.real(11), call.real(12), call.real(13)};
    const qint64 sirano = call.int32(10);

    if (!satirGecerli(miktar, kdv, fiyat, ind[0], ind[1], ind[2], ind[3])) {
        call.returnInt(0);
        return;
    }
    // Who put the line in stays as it was; only quantity, price and the
    // amounts that follow from them change.
    const SatirTutari s = satirHesapla(miktar, fiyat, ind[0], ind[1], ind[2], ind[3], kdv);
    call.db.execute(
        QStringLiteral("UPDATE SEPET SET MIKTAR = ?, BIRIMFIYAT = ?, INDIRIMORANI1 = ?, INDIRIMORANI2 = ?,"
                       " INDIRIMORANI3 = ?, INDIRIMORANI4 = ?, KDV = ?, TUTAR = ?, INDIRIMTUTAR = ?,"
                       " NETBIRIMFIYAT = ?, VERGITUTARI = ?, NETTUTAR = ?, INDIRIMYAZI = ?"
                       " WHERE SIRANO = ? AND CARINO = ?"),
        {miktar, fiyat, ind[0], ind[1], ind[2], ind[3], kdv, s.tutar, s.indirimTutar, s.netBirimFiyat,
         s.vergiTutari, s.netTutar, s.indirimYazi, sirano, carino});
    call.returnInt(call.db.changes() > 0 ? 1 : 0);
}

// bilgi, satirno, aciklamam
void sepetSatirSil(Call &call)
{
    const auto bilgi = call.login(0);
    call.db.execute(QStringLiteral("DELETE FROM SEPET WHERE SIRANO = ? AND CARINO = ?"),
                    {qint64(call.int32(1)), qint64(bilgi->CARINO())});
    call.returnInt(call.db.changes() > 0 ? 1 : 0);
}

// Answers how many lines went; 0 for a basket that was already empty.
void sepetHepsiniSil(Call &call)
{
    const auto bilgi = call.login(0);
    Transaction tx(call.db);
    call.db.execute(QStringLiteral("DELETE FROM SEPET WHERE CARINO = ?"), {qint64(bilgi->CARINO())});
    const int silinen = call.db.changes();
    tx.commit();
    call.returnInt(silinen);
}

void sepetSecimGuncelle(Call &call)
{
    const qint64 sec = call.int32(1) == 1 ? 1 : 0;
    call.db.execute(QStringLiteral("UPDATE SEPET SET SEC = ? WHERE SIRANO = ?"),
                    {sec, qint64(call.int32(0))});
}

// Payments settle the oldest debts first, so whatever the customer has paid
// in all is taken off the debits that fell due before today; what is left of
// those is overdue. A debit without a due date (a carried-over balance) counts
// as due long ago.
void cariVadeGunGecmismiBul(Call &call)
{
    const qint64 carino = call.int32(0);
    const double bugun = toOleDate(QDateTime(QDate::currentDate(), QTime(0, 0)));
    const double vadesiGecen = call.db.scalarReal(
        QStringLiteral("SELECT COALESCE(SUM(BORC), 0) FROM CARIHAREKET WHERE CARINO = ? AND VADETARIHI < ?"),
        {carino, bugun});
    const double odenen = call.db.scalarReal(
        QStringLiteral("SELECT COALESCE(SUM(ALACAK), 0) FROM CARIHAREKET WHERE CARINO = ?"), {carino});
    const double acik = Yuvarla(vadesiGecen - odenen);
    if (!(acik > 0)) {
        call.returnText(QString());
        return;
    }
    static const QLocale turkce(QLocale::Turkish, QLocale::Turkey);
    call.returnText(
        QStringLiteral("Vadesi geçmiş %1 TL borcunuz bulunmaktadır !").arg(turkce.toString(acik, 'f', 2)));
}

} // namespace

void registerBasketOperations(Registry &r)
{
    r.insert(QStringLiteral("SepetVer2"), &sepetVer);
    r.insert(QStringLiteral("SepetEkle2"), &sepetEkle);
    r.insert(QStringLiteral("SepetGuncelle2"), &sepetGuncelle);
    r.insert(QStringLiteral("SepetSatirSil"), &sepetSatirSil);
    r.insert(QStringLiteral("SepetHepsiniSil"), &sepetHepsiniSil);
    r.insert(QStringLiteral("SepetSecimGuncelle"), &sepetSecimGuncelle);
    r.insert(QStringLiteral("CariVadeGunGecmismiBul"), &cariVadeGunGecmismiBul);
}

} // namespace zelvora::server
