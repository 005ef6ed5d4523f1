#include "server/ops/call.h"
#include "server/ops/orderlines.h"
#include "server/ops/pricing.h"
#include "server/storage/schema.h"

#include "wire/objects.h"

#include <vector>

namespace zelvora::server {

namespace {

bool varMi(Db &db, const QString &sql, SqlValues degerler)
{
    return db.scalarInt(sql, degerler) > 0;
}

// One marked basket line on its way into the order, amounts as the dealer saw them.
struct SepetSatiri
{
    qint64 sirano = 0;
    qint64 stokno = 0;
    QString barkod, stokAdi, indirimYazi, veren, saat, kur;
    double miktar = 0, birimFiyat = 0, kdv = 0, tutar = 0, indirimTutar = 0, netBirimFiyat = 0,
           vergiTutari = 0, netTutar = 0, verilisTarihi = 0, kurTl = 1;
    double ind[4] = {};
    qint64 k = 0, verenIdNo = 0;
};

std::vector<SepetSatiri> isaretliSatirlar(Db &db, qint64 carino)
{
    Statement st = db.prepare(QStringLiteral("SELECT SIRANO, STOKNO, BARKOD, STOKADI, MIKTAR, BIRIMFIYAT, "
                                             "INDIRIMORANI1, INDIRIMORANI2, INDIRIMORANI3,"
                                             " INDIRIMORANI4, KDV, TUTAR, INDIRIMTUTAR, NETBIRIMFIYAT, "
                                             "VERGITUTARI, NETTUTAR, INDIRIMYAZI, K, VEREN,"
                                             " VERENIDNO, VERILISTARIHI, SAAT, KUR, KURTL"
                                             " FROM SEPET WHERE CARINO = ? AND SEC = 1 ORDER BY SIRANO"));
    st.bindAll({carino});
    std::vector<SepetSatiri> satirlar;
    while (st.step()) {
        SepetSatiri s;
        s.sirano = st.int64(0);
        s.stokno = st.int64(1);
        s.barkod = st.text(2);
        s.stokAdi = st.text(3);
        s.miktar = st.real(4);
        s.birimFiyat = st.real(5);
        for (int i = 0; i < 4; ++i)
            s.ind[i] = st.real(6 + i);
        s.kdv = st.real(10);
        s.tutar = st.real(11);
        s.indirimTutar = st.real(12);
        s.netBirimFiyat = st.real(13);
        s.vergiTutari = st.real(14);
        s.netTutar = st.real(15);
        s.indirimYazi = st.text(16);
        s.k = st.int64(17);
        s.veren = st.text(18);
        s.verenIdNo = st.int64(19);
        s.verilisTarihi = st.real(20);
        s.saat = st.text(21);
        s.kur = st.text(22);
        s.kurTl = st.real(23);
        satirlar.push_back(std::move(s));
    }
    return satirlar;
}

// Everything is checked and written inside one transaction: a basket line
// unmarked or deleted a moment ago cannot slip into the order, and a failure
// anywhere leaves the basket exactly as it was. The three choices must all
// name existing rows (0 names none, so it is refused like any unknown id), and
// the cargo firm must belong to the chosen cargo kind.
bool siparisKaydetIcinde(Call &call)
{
    const auto bb = call.login(0);
    const qint64 carino = call.int32(1);
    const qint64 teslim = call.int32(2);
    const qint64 kargo = call.int32(3);
    const QString aciklama = call.text(4);
    const qint64 verenId = call.int32(5) != 0 ? call.int32(5) : bb->Sirano();
    const qint64 kargoFirma = call.int32(6);
    Db &db = call.db;

    if (carino <= 0 || teslim <= 0 || kargo <= 0 || kargoFirma <= 0)
        return false;

    Transaction tx(db);
    Statement cari = db.prepare(QStringLiteral("SELECT SATICINO FROM CARI WHERE CARINO = ?"));
    cari.bindAll({carino});
    if (!cari.step())
        return false;
    const SqlValue saticiNo = cari.isNull(0) ? SqlValue(nullptr) : SqlValue(cari.int64(0));

    if (!varMi(db, QStringLiteral("SELECT COUNT(*) FROM TESLIMCINSI WHERE TESLIMID = ?"), {teslim}) ||
        !varMi(db, QStringLiteral("SELECT COUNT(*) FROM KARGOCINSI WHERE KARGOID = ?"), {kargo}) ||
        !varMi(db, QStringLiteral("SELECT COUNT(*) FROM KARGOFIRMA WHERE SIRANO = ? AND KARGOID = ?"),
               {kargoFirma, kargo}))
        return false;

    const std::vector<SepetSatiri> satirlar = isaretliSatirlar(db, carino);
    if (satirlar.empty())
        return false;

    const Zaman z = simdi();
    const QString durum = siparisDurumMetni(int(SiparisDurumu::Alindi));
    db.execute(QStringLiteral("INSERT INTO SIPARIS (CARINO, TARIH, SAAT, DURUM, DURUMKODU, TESLIMID, KARGOID,"
                              " KARGOFIRMANO, VERENINNOTU, VEREN, VERENIDNO, SATICINO)"
                              " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {carino, z.tarih, z.saat, durum, qint64(SiparisDurumu::Alindi), teslim, kargo, kargoFirma,
                aciklama, bb->ADI(), verenId, saticiNo});
    const qint64 idno = db.lastInsertId();

    Statement satir = db.prepare(QStringLiteral(
        "INSERT INTO SIPARISSATIR (IDNO, SIRANO, CARINO, STOKNO, BARKOD, STOKADI, MIKTAR, TESLIMEDILEN, "
        "KALAN,"
        " BIRIMFIYAT, ILKFIYAT, INDIRIMORANI1, INDIRIMORANI2, INDIRIMORANI3, INDIRIMORANI4, KDV, TUTAR,"
        " INDIRIMTUTAR, NETBIRIMFIYAT, VERGITUTARI, NETTUTAR, INDIRIMYAZI, K, VEREN, VERENIDNO, "
        "VERILISTARIHI,"
        " SAAT, KUR, KURTL)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Statement sil = db.prepare(QStringLiteral("DELETE FROM SEPET WHERE SIRANO = ?"));
    for (const SepetSatiri &s : satirlar) {
        // The line keeps who put it into the basket; a line without a name
        // was put in by whoever sends the order.
        const QString veren = s.veren.isEmpty() ? bb->ADI() : s.veren;
        const qint64 verenIdNo = s.verenIdNo != 0 ? s.verenIdNo : verenId;
        satir.reset();
        satir.bindAll({idno,
                       s.sirano,
                       carino,
                       s.stokno,
                       s.barkod,
                       s.stokAdi,
                       s.miktar,
                       s.miktar,
                       s.birimFiyat,
                       s.birimFiyat,
                       s.ind[0],
                       s.ind[1],
                       s.ind[2],
                       s.ind[3],
                       s.kdv,
                       s.tutar,
                       s.indirimTutar,
                       s.netBirimFiyat,
                       s.vergiTutari,
                       s.netTutar,
                       s.indirimYazi,
                       s.k,
                       veren,
                       verenIdNo,
                       s.verilisTarihi,
                       s.saat,
                       s.kur,
                       s.kurTl});
        satir.step();
        alinanSiparisEkle(db, s.stokno, s.miktar);
        sil.reset();
        sil.bindAll({s.sirano});
        sil.step();
    }
    tx.commit();
    return true;
}

void siparisKaydet(Call &call)
{
    // The client can only tell saved from not saved; a store error is a "not
    // saved", and the transaction has already undone whatever was written.
    bool kaydedildi = false;
    try {
        kaydedildi = siparisKaydetIcinde(call);
    } catch (const DbError &) {
        kaydedildi = false;
    }
    call.returnBool(kaydedildi);
}

// The confirmation dialog preselects the second row, so the kinds come in id
// order and the usual kind is kept at the second id.
void teslimVer(Call &call)
{
    call.returnTable(call.db.query(QStringLiteral("SELECT TESLIMID, ADI FROM TESLIMCINSI ORDER BY TESLIMID"),
                                   QStringLiteral("TESLIMID:i, ADI:s50")));
}

void kargoVer(Call &call)
{
    call.returnTable(call.db.query(QStringLiteral("SELECT KARGOID, ADI FROM KARGOCINSI ORDER BY KARGOID"),
                                   QStringLiteral("KARGOID:i, ADI:s50")));
}

void kargolarVer(Call &call)
{
    call.returnTable(call.db.query(
        QStringLiteral("SELECT SIRANO, ADI, UYARI FROM KARGOFIRMA WHERE KARGOID = ? ORDER BY SIRANO"),
        QStringLiteral("SIRANO:i, ADI:s50, UYARI:s250"), {qint64(call.int32(0))}));
}

// Totals come from the lines, so an order always shows what its detail adds up to.
void oncekiSiparisler(Call &call)
{
    const qint64 carino = call.int32(0);
    Table t = call.db.query(
        QStringLiteral("SELECT S.IDNO, S.CARINO, S.TARIH, S.KUR, S.KURTL, S.VERENIDNO, COALESCE(KC.ADI, ''),"
                       " COALESCE(TC.ADI, ''), S.VEREN, C.CARIKOD, C.CARIADI, COALESCE(T.VERGI, 0), "
                       "COALESCE(T.NETTUTAR, 0),"
                       " COALESCE(T.TUTAR, 0), S.DURUM, COALESCE(KF.ADI, ''), S.VERENINNOTU, S.ALANNOTU"
                       " FROM SIPARIS S JOIN CARI C ON C.CARINO = S.CARINO"
                       " LEFT JOIN (SELECT IDNO, SUM(VERGITUTARI) AS VERGI, SUM(NETTUTAR) AS NETTUTAR, "
                       "SUM(TUTAR) AS TUTAR"
                       "   FROM SIPARISSATIR WHERE CARINO = ? GROUP BY IDNO) T ON T.IDNO = S.IDNO"
                       " LEFT JOIN KARGOCINSI KC ON KC.KARGOID = S.KARGOID"
                       " LEFT JOIN TESLIMCINSI TC ON TC.TESLIMID = S.TESLIMID"
                       " LEFT JOIN KARGOFIRMA KF ON KF.SIRANO = S.KARGOFIRMANO"
                       " WHERE S.CARINO = ? ORDER BY S.TARIH DESC, S.IDNO DESC"),
        QStringLiteral(
            "IDNO:i, CARINO:i, TARIH:d, KUR:s5, KURTL:f, VERENIDNO:i, KARGO:s50, TESLIM:s50, VEREN:s50,"
            " CARIKOD:s25, CARIADI:s100, VERGI:f, NETTUTAR:f, TUTAR:f, DURUM:s100, KARGOADI:s50,"
            " VERENINNOTU:m, ALANNOTU:m"),
        {carino, carino});
    yuvarlaSutunlari(t, {"VERGI", "NETTUTAR", "TUTAR"});
    call.returnTable(std::move(t));
}

// Only the customer's own order answers; another customer's number gives no lines.
void siparisAyrintisi(Call &call)
{
    call.returnTable(siparisSatirlari(
        call.db, SiparisSatirListesi::Ayrinti, QStringLiteral("SS.IDNO = ? AND S.CARINO = ?"),
        QStringLiteral("SS.STOKHAR_NO"), {qint64(call.int32(1)), qint64(call.int32(0))}));
}

// The caller sends carino 0, so the order number alone decides. An unknown
// number answers a record of empty texts: both callers copy the fields into
// their labels and cannot take a null.
void siparisAyrintisiDip(Call &call)
{
    TSiparisDipAyrinti dip;
    Statement st = call.db.prepare(QStringLiteral(
        "SELECT S.VERENINNOTU, S.DURUM, S.VEREN, COALESCE(KF.ADI, ''), S.ALANNOTU, COALESCE(TC.ADI, ''),"
        " COALESCE(KC.ADI, ''), S.SATICINOTU"
        " FROM SIPARIS S"
        " LEFT JOIN KARGOFIRMA KF ON KF.SIRANO = S.KARGOFIRMANO"
        " LEFT JOIN TESLIMCINSI TC ON TC.TESLIMID = S.TESLIMID"
        " LEFT JOIN KARGOCINSI KC ON KC.KARGOID = S.KARGOID"
        " WHERE S.IDNO = ?"));
    st.bindAll({qint64(call.int32(1))});
    if (st.step()) {
        dip.setSizinMesaj(st.text(0));
        dip.setDurumu(st.text(1));
        dip.setVeren(st.text(2));
        dip.setKargo(st.text(3));
        dip.setBizimMesaj(st.text(4));
        dip.setTeslimCinsi(st.text(5));
        dip.setKargoCinsi(st.text(6));
        dip.setSaticiNotu(st.text(7));
    }
    call.returnObject(&dip);
}

// Newest order first, lines in the order they were written.
void tumSiparislerVer(Call &call)
{
    const qint64 carino = call.int32(0);
    const qint64 stokno = call.int32(1);
    const QString siralama = QStringLiteral("S.TARIH DESC, SS.IDNO DESC, SS.STOKHAR_NO");
    Table t = stokno == 0 ? siparisSatirlari(call.db, SiparisSatirListesi::Genis,
                                             QStringLiteral("SS.CARINO = ?"), siralama, {carino})
                          : siparisSatirlari(call.db, SiparisSatirListesi::Genis,
                                             QStringLiteral("SS.CARINO = ? AND SS.STOKNO = ?"), siralama,
                                             {carino, stokno});
    call.returnTable(std::move(t));
}

} // namespace

void registerOrderOperations(Registry &r)
{
    r.insert(QStringLiteral("SiparisKaydet"), &siparisKaydet);
    r.insert(QStringLiteral("TeslimVer"), &teslimVer);
    r.insert(QStringLiteral("KargoVer"), &kargoVer);
    r.insert(QStringLiteral("KargolarVer"), &kargolarVer);
    r.insert(QStringLiteral("OncekiSiparisler"), &oncekiSiparisler);
    r.insert(QStringLiteral("SiparisAyrintisi2"), &siparisAyrintisi);
    r.insert(QStringLiteral("SiparisAytintisiDip"), &siparisAyrintisiDip);
    r.insert(QStringLiteral("TumSiparislerVer"), &tumSiparislerVer);
}

} // namespace zelvora::server
