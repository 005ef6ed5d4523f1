#include "server/ops/stock.h"

#include "server/itempictures.h"
#include "server/ops/call.h"
#include "server/ops/pricing.h"
#include "server/storage/db.h"
#include "server/storage/schema.h"
#include "wire/objects.h"

#include <QHash>

#include <algorithm>
#include <iterator>
#include <span>

namespace zelvora::server {

namespace {

// The user kind that never gets campaign prices (fleet customers).
constexpr int filoTipi = 4;

// Every item list reads the same select list, so one row builder serves the
// search, the new items and the campaign page. Positions in kalemSecimi:
enum Kaynak : int
{
    kSTOKNO,
    kDURUM,
    kOEM1,
    kOEM2,
    kOEM3,
    kOEM4,
    kBARKOD,
    kADI,
    kFINISHKOD,
    kURETICIKODU,
    kRESIM,
    kBARKODNO,
    kDIGERADI,
    kDPKOD,
    kOEMNO,
    kBIRIM,
    kMARKA,
    kMODEL,
    kANAGRUP,
    kOZELKOD,
    kKALAN,
    kPKOD,
    kKDV,
    kALINAN,
    kVERILEN,
    kLISTE,
    kKAMP,
    kY,
    kK,
    kIND1,
    kIND2,
    kIND3,
    kIND4,
    kCARIIND,
    kCARIEKIND,
};

// ST is the item, C the customer the prices are for (left joined on the bound
// customer number, so an unknown customer simply has no discounts of his own).
const char *const kalemSecimi =
    "ST.STOKNO, ST.DURUM, ST.OEM1, ST.OEM2, ST.OEM3, ST.OEM4, ST.BARKOD, ST.ADI, ST.FINISHKOD, "
    "ST.URETICIKODU,"
    " ST.RESIM, ST.BARKOD_BARKODNO, ST.DIGERADI, ST.DPKOD, ST.OEMNO, ST.BIRIM, ST.MARKA, ST.MODEL, "
    "ST.ANAGRUP,"
    " ST.OZELKOD, ST.KALAN, ST.PKOD, ST.KDV, ST.ALINANSIPARIS, ST.VERILENSIPARIS, ST.LISTEFIYAT1, "
    "ST.KAMPFIYAT,"
    " ST.Y, ST.K, ST.IND1, ST.IND2, ST.IND3, ST.IND4, COALESCE(C.INDIRIM, 0), COALESCE(C.EKINDIRIM, 0)";

const char *const musteriBirlesimi = " LEFT JOIN CARI C ON C.CARINO = ?";

// The rows of the two promotion pages; the tab badges count the same rows.
const char *const yeniKaynagi = " FROM YENISTOK YS JOIN STOK ST ON ST.STOKNO = YS.STOKNO";
const char *const kampanyaKaynagi = " FROM KAMPANYA KA JOIN STOK ST ON ST.STOKNO = KA.STOKNO";

// Values the row builder works out per customer rather than copying.
enum class Hesap
{
    Kopya,
    ListeFiyati,
    KampanyaFiyati,
    Fiyat,
    K,
    IndirimYazi,
    Indirim,
    NetFiyat,
    KdvDahil,
    Ind1,
    Ind2,
    Ind3,
    Ind4,
};

struct Sutun
{
    const char *ad;
    char tur; // 's' text, 'i' integer, 'f' float
    int boy;  // declared width of a text
    int kaynak;
    Hesap hesap;
};

constexpr Sutun kopya(const char *ad, char tur, int kaynak, int boy = 0)
{
    return Sutun{ad, tur, boy, kaynak, Hesap::Kopya};
}

constexpr Sutun hesap(const char *ad, char tur, Hesap h, int boy = 0)
{
    return Sutun{ad, tur, boy, -1, h};
}

constexpr Sutun cSTOK_STOKNO = kopya("STOK_STOKNO", 'i', kSTOKNO);
constexpr Sutun cDURUM = kopya("DURUM", 'i', kDURUM);
constexpr Sutun cOEM1 = kopya("OEM1", 's', kOEM1, 50);
constexpr Sutun cOEM2 = kopya("OEM2", 's', kOEM2, 50);
constexpr Sutun cOEM3 = kopya("OEM3", 's', kOEM3, 50);
constexpr Sutun cOEM4 = kopya("OEM4", 's', kOEM4, 50);
constexpr Sutun cBARKOD = kopya("BARKOD", 's', kBARKOD, 50);
constexpr Sutun cADI = kopya("ADI", 's', kADI, 100);
constexpr Sutun cFINISHKOD = kopya("FINISHKOD", 's', kFINISHKOD, 50);
constexpr Sutun cURETICIKODU = kopya("URETICIKODU", 's', kURETICIKODU, 50);
constexpr Sutun cRESIM = kopya("RESIM", 'i', kRESIM);
constexpr Sutun cBARKOD_BARKODNO = kopya("BARKOD_BARKODNO", 'i', kBARKODNO);
constexpr Sutun cDIGERADI = kopya("DIGERADI", 's', kDIGERADI, 100);
constexpr Sutun cDPKOD = kopya("DPKOD", 's', kDPKOD, 50);
constexpr Sutun cOEMNO = kopya("OEMNO", 's', kOEMNO, 50);
constexpr Sutun cBIRIM = kopya("BIRIM", 's', kBIRIM, 10);
constexpr Sutun cMARKA = kopya("MARKA", 's', kMARKA, 50);
constexpr Sutun cMODEL = kopya("MODEL", 's', kMODEL, 50);
constexpr Sutun cANAGRUP = kopya("ANAGRUP", 's', kANAGRUP, 50);
constexpr Sutun cOZELKOD = kopya("OZELKOD", 's', kOZELKOD, 50);
constexpr Sutun cKALAN = kopya("KALAN", 'f', kKALAN);
constexpr Sutun cPKOD = kopya("PKOD", 's', kPKOD, 50);
constexpr Sutun cKDV = kopya("KDV", 'f', kKDV);
constexpr Sutun cALINANSIPARIS = kopya("ALINANSIPARIS", 'f', kALINAN);
constexpr Sutun cVERILENSIPARIS = kopya("VERILENSIPARIS", 'f', kVERILEN);
constexpr Sutun cY = kopya("Y", 'i', kY);
constexpr Sutun cLISTEFIYAT1 = hesap("LISTEFIYAT1", 'f', Hesap::ListeFiyati);
constexpr Sutun cESKIFIYAT = hesap("ESKIFIYAT", 'f', Hesap::ListeFiyati);
constexpr Sutun cKAMPFIYAT = hesap("KAMPFIYAT", 'f', Hesap::KampanyaFiyati);
constexpr Sutun cFIYAT = hesap("FIYAT", 'f', Hesap::Fiyat);
constexpr Sutun cK = hesap("K", 'i', Hesap::K);
constexpr Sutun cINDIRIMYAZI = hesap("INDIRIMYAZI", 's', Hesap::IndirimYazi, 50);
constexpr Sutun cINDIRIM = hesap("INDIRIM", 'f', Hesap::Indirim);
constexpr Sutun cNETFIYAT = hesap("NETFIYAT", 'f', Hesap::NetFiyat);
constexpr Sutun cKDVDAHIL = hesap("KDVDAHIL", 'f', Hesap::KdvDahil);
constexpr Sutun cIND1 = hesap("IND1", 'f', Hesap::Ind1);
constexpr Sutun cIND2 = hesap("IND2", 'f', Hesap::Ind2);
constexpr Sutun cIND3 = hesap("IND3", 'f', Hesap::Ind3);
constexpr Sutun cIND4 = hesap("IND4", 'f', Hesap::Ind4);

// clang-format off
constexpr Sutun aramaSutunlari[] = {
    cSTOK_STOKNO, cDURUM, cOEM1, cOEM2, cOEM3, cOEM4, cBARKOD, cADI, cFINISHKOD, cURETICIKODU, cRESIM,
    cBARKOD_BARKODNO, cDIGERADI, cDPKOD, cOEMNO, cBIRIM, cMARKA, cMODEL, cANAGRUP, cOZELKOD, cKALAN, cPKOD,
    cKDV, cALINANSIPARIS, cVERILENSIPARIS, cLISTEFIYAT1, cKAMPFIYAT, cFIYAT, cY, cK, cINDIRIMYAZI, cNETFIYAT,
    cKDVDAHIL, cIND1, cIND2, cIND3, cIND4
};
// clang-format on

// The new-items grid has no availability, new or picture column.
// clang-format off
constexpr Sutun yeniSutunlari[] = {
    cSTOK_STOKNO, cOEM1, cOEM2, cOEM3, cOEM4, cBARKOD, cADI, cFINISHKOD, cURETICIKODU, cBARKOD_BARKODNO,
    cDIGERADI, cDPKOD, cOEMNO, cBIRIM, cMARKA, cMODEL, cANAGRUP, cOZELKOD, cKALAN, cPKOD, cKDV,
    cALINANSIPARIS, cVERILENSIPARIS, cLISTEFIYAT1, cKAMPFIYAT, cFIYAT, cK, cINDIRIMYAZI, cINDIRIM, cNETFIYAT,
    cKDVDAHIL, cIND1, cIND2, cIND3, cIND4
};
// clang-format on

// On the campaign page FIYAT is the campaign price and ESKIFIYAT the list
// price it replaces.
// clang-format off
constexpr Sutun kampanyaSutunlari[] = {
    cOEM1, cOEM2, cOEM3, cOEM4, cBARKOD, cADI, cSTOK_STOKNO, cRESIM, cFINISHKOD, cURETICIKODU,
    cBARKOD_BARKODNO, cDIGERADI, cDPKOD, cOEMNO, cBIRIM, cMARKA, cMODEL, cANAGRUP, cOZELKOD, cKALAN, cPKOD,
    cKDV, cALINANSIPARIS, cVERILENSIPARIS, cESKIFIYAT, cFIYAT, cY, cK, cINDIRIM, cINDIRIMYAZI, cNETFIYAT,
    cKDVDAHIL, cDURUM, cIND1, cIND2, cIND3, cIND4
};
// clang-format on

FieldKind alanTuru(char tur)
{
    switch (tur) {
    case 'i':
        return FieldKind::Integer;
    case 'f':
        return FieldKind::Float;
    default:
        return FieldKind::Text;
    }
}

// What decides an item's rates: its own four, the customer's two and
// whether the campaign price is taken (which drops the rates).
struct OranAnahtari
{
    double ind[4];
    double cari;
    double cariEk;
    bool kampanyaFiyati;

    bool operator==(const OranAnahtari &o) const
    {
        return std::equal(std::begin(ind), std::end(ind), std::begin(o.ind)) && cari == o.cari &&
               cariEk == o.cariEk && kampanyaFiyati == o.kampanyaFiyati;
    }
};

size_t qHash(const OranAnahtari &a, size_t seed = 0)
{
    return qHashMulti(seed, a.ind[0], a.ind[1], a.ind[2], a.ind[3], a.cari, a.cariEk, a.kampanyaFiyati);
}

struct OranSonucu
{
    double ind[4];
    QByteArray yazi; // INDIRIMYAZI as UTF-8
    double oran;     // INDIRIM
};

// Fills the columns straight from the statement: a search can return most of
// the catalogue, so nothing per row goes through QVariant or QString that
// does not have to.
class KalemTablosu
{
public:
    explicit KalemTablosu(std::span<const Sutun> sutunlar) : m_sutunlar(sutunlar)
    {
        QList<FieldDef> defs;
        defs.reserve(qsizetype(sutunlar.size()));
        for (const Sutun &s : sutunlar)
            defs.append(FieldDef{QString::fromLatin1(s.ad), alanTuru(s.tur), s.boy});
        m_table.define(defs);
    }

    // `kampanyali`: the row may carry its campaign price (false for fleet
    // customers); `kampanyaSayfasi`: every row is a campaign item whatever
    // its own flag says.
    void ekle(const Statement &st, bool kampanyali, bool kampanyaSayfasi)
    {
        const double liste = st.real(kLISTE);
        const double kamp = st.real(kKAMP);
        const double kdv = st.real(kKDV);
        const bool k = kampanyali && (kampanyaSayfasi || (st.int64(kK) > 0 && kamp > 0));
        const double ind[4] = {st.real(kIND1), st.real(kIND2), st.real(kIND3), st.real(kIND4)};

        // birimFiyatHesapla spends most of its time writing the discount text
        // and the total rate, and both depend on the rates alone, of which a
        // catalogue has only a few sets. The first item of each set is priced
        // by birimFiyatHesapla; the others take its rates and text and run
        // their own price through the same chain and rounding.
        const OranAnahtari anahtar{
            {ind[0], ind[1], ind[2], ind[3]}, st.real(kCARIIND), st.real(kCARIEKIND), k && kamp > 0};
        double fiyat = 0, net = 0, kdvDahil = 0;
        auto oran = m_oranlar.constFind(anahtar);
        if (oran == m_oranlar.constEnd()) {
            const BirimFiyat b = birimFiyatHesapla(liste, kamp, k, ind, anahtar.cari, anahtar.cariEk, kdv);
            oran = m_oranlar.insert(
                anahtar,
                OranSonucu{{b.ind[0], b.ind[1], b.ind[2], b.ind[3]}, b.indirimYazi.toUtf8(), b.indirimOrani});
            fiyat = b.fiyat;
            net = b.net;
            kdvDahil = b.kdvDahil;
        } else {
            const double *r = oran->ind;
            fiyat = anahtar.kampanyaFiyati ? kamp : liste;
            net = Yuvarla(zincirNet(fiyat, r[0], r[1], r[2], r[3]));
            kdvDahil = Yuvarla(net * (1 + kdv / 100.0));
        }
        const OranSonucu &o = *oran;

        for (size_t c = 0; c < m_sutunlar.size(); ++c) {
            const Sutun &s = m_sutunlar[c];
            Column &col = m_table.column(int(c));
            if (s.hesap == Hesap::Kopya) {
                switch (s.tur) {
                case 'i':
                    tamsayi(col, st.int64(s.kaynak));
                    break;
                case 'f':
                    ondalik(col, st.real(s.kaynak));
                    break;
                default:
                    yazi(col, st.utf8(s.kaynak));
                    break;
                }
                continue;
            }
            switch (s.hesap) {
            case Hesap::Kopya:
                break;
            case Hesap::ListeFiyati:
                ondalik(col, liste);
                break;
            case Hesap::KampanyaFiyati:
                ondalik(col, k ? kamp : 0.0);
                break;
            case Hesap::Fiyat:
                ondalik(col, fiyat);
                break;
            case Hesap::K:
                tamsayi(col, k ? 1 : 0);
                break;
            case Hesap::IndirimYazi:
                yazi(col, std::string_view(o.yazi.constData(), size_t(o.yazi.size())));
                break;
            case Hesap::Indirim:
                ondalik(col, o.oran);
                break;
            case Hesap::NetFiyat:
                ondalik(col, net);
                break;
            case Hesap::KdvDahil:
                ondalik(col, kdvDahil);
                break;
            case Hesap::Ind1:
                ondalik(col, o.ind[0]);
                break;
            case Hesap::Ind2:
                ondalik(col, o.ind[1]);
                break;
            case Hesap::Ind3:
                ondalik(col, o.ind[2]);
                break;
            case Hesap::Ind4:
                ondalik(col, o.ind[3]);
                break;
            }
        }
        ++m_rows;
    }

    Table bitir()
    {
        m_table.finishBulkLoad(m_rows);
        return std::move(m_table);
    }

private:
    static void tamsayi(Column &col, qint64 v)
    {
        col.nulls().push_back(0);
        col.ints().push_back(qint64(qint32(v)));
    }
    static void ondalik(Column &col, double v)
    {
        col.nulls().push_back(0);
        col.doubles().push_back(v);
    }
    static void yazi(Column &col, std::string_view v)
    {
        col.nulls().push_back(0);
        col.spans().emplace_back(quint32(col.arena().size()), quint32(v.size()));
        col.arena().append(v);
    }

    std::span<const Sutun> m_sutunlar;
    Table m_table;
    qsizetype m_rows = 0;
    QHash<OranAnahtari, OranSonucu> m_oranlar;
};

Table kalemListesi(Db &db, std::span<const Sutun> sutunlar, const QString &sql, SqlValues degerler,
                   bool kampanyali, bool kampanyaSayfasi)
{
    KalemTablosu tablo(sutunlar);
    Statement st = db.prepare(sql);
    st.bindAll(degerler);
    while (st.step())
        tablo.ekle(st, kampanyali, kampanyaSayfasi);
    return tablo.bitir();
}

Table bosTablo(std::span<const Sutun> sutunlar)
{
    return KalemTablosu(sutunlar).bitir();
}

// ---------------------------------------------------------------- handlers

// kod, bilgi
void stokAraGetir(Call &call)
{
    const QString kod = call.text(0);
    const auto bilgi = call.login(1);
    call.returnTable(stokAra(call.db, kod, *bilgi));
}

// stokno; out boy
void resimVer(Call &call)
{
    const std::optional<QByteArray> jpeg = itemPictureFor(call.db, call.int32(0));
    call.returnStream(jpeg.value_or(QByteArray()));
}

// carino. The page is asked for with the customer only; a fleet customer is
// recognised by his own login.
void yenilerVer(Call &call)
{
    const qint64 carino = call.int32(0);
    const QString sql = QStringLiteral("SELECT ") + QLatin1String(kalemSecimi) + QLatin1String(yeniKaynagi) +
                        QLatin1String(musteriBirlesimi) + QStringLiteral(" ORDER BY YS.SIRA");
    call.returnTable(
        kalemListesi(call.db, yeniSutunlari, sql, {carino}, kampanyaGecerli(call.db, carino, 0), false));
}

// cario, satici (the user kind)
void kampanyaliVer(Call &call)
{
    const qint64 carino = call.int32(0);
    if (!kampanyaGecerli(call.db, carino, call.int32(1))) {
        call.returnTable(bosTablo(kampanyaSutunlari));
        return;
    }
    const QString sql = QStringLiteral("SELECT ") + QLatin1String(kalemSecimi) +
                        QLatin1String(kampanyaKaynagi) + QLatin1String(musteriBirlesimi) +
                        QStringLiteral(" ORDER BY KA.SIRA");
    call.returnTable(kalemListesi(call.db, kampanyaSutunlari, sql, {carino}, true, true));
}

// The movements grid shows values exactly as they arrive, so amounts are
// rounded here. The grid has room for eight discounts and two costs; our
// movements carry four discounts and no costs, so the rest stay 0.
const QString hareketSql = QStringLiteral(
    "SELECT ST.BARKOD, H.TARIH, H.TURU, H.EVRAKSERI, H.EVRAKSIRA, H.MIKTAR, H.TLBIRIMFIYAT, H.TLVERGI, "
    "H.TLTUTAR,"
    " H.INDIRIM1, H.INDIRIM2, H.INDIRIM3, H.INDIRIM4, 0, 0, 0, 0, H.TOPLAMINDIRIM, 0, 0, 0,"
    " H.NETBIRIMFIYAT, H.NETTLTUTAR, H.VADE, C.CARIKOD, H.KDVDAHILBIRIMFIYAT, H.KDVDAHILTUTAR,"
    " COALESCE(SA.SATICIADI, '')"
    " FROM STOKHAREKET H JOIN STOK ST ON ST.STOKNO = H.STOKNO JOIN CARI C ON C.CARINO = H.CARINO"
    " LEFT JOIN SATICI SA ON SA.SATICINO = H.SATICINO"
    " WHERE H.CARINO = ? AND H.STOKNO = ? ORDER BY H.TARIH DESC, H.SIRANO DESC");

const QString hareketSekli = QStringLiteral(
    "BARKOD:s50, TARIH:d, TURU:s30, EVRAKSERI:s10, EVRAKSIRA:i, MIKTAR:f, TLBIRIMFIYAT:f, TLVERGI:f, "
    "TLTUTAR:f,"
    " INDIRIM1:f, INDIRIM2:f, INDIRIM3:f, INDIRIM4:f, INDIRIM5:f, INDIRIM6:f, INDIRIM7:f, INDIRIM8:f,"
    " TOPLAMINDIRIM:f, MASRAF1:f, MASRAF2:f, TOPLAMMASRAF:f, NETBIRIMFIYAT:f, NETTLTUTAR:f, VADE:i,"
    " STOKCARIKOD:s25, KDVDAHILBIRIMFIYAT:f, KDVDAHILTUTAR:f, SATICI:s50");

// carino, stokno
void stokHareketVer(Call &call)
{
    Table t = call.db.query(hareketSql, hareketSekli, {qint64(call.int32(0)), qint64(call.int32(1))});
    for (int c = 0; c < t.fieldCount(); ++c) {
        Column &col = t.column(c);
        if (col.kind() != FieldKind::Float)
            continue;
        for (double &v : col.doubles())
            v = Yuvarla(v);
    }
    call.returnTable(std::move(t));
}

} // namespace

// ---------------------------------------------------------------- public

QString stokAraSql()
{
    // Most relevant first, weighted so a hit in a code, an OEM or a
    // manufacturer number beats one in a name. The index sorts its own narrow
    // (rowid, rank) pairs and the items are looked up in that order, which
    // costs far less than sorting whole result rows.
    return QStringLiteral("SELECT ") + QLatin1String(kalemSecimi) +
           QStringLiteral(" FROM STOK_ARA JOIN STOK ST ON ST.STOKNO = STOK_ARA.rowid") +
           QLatin1String(musteriBirlesimi) +
           QStringLiteral(
               " WHERE STOK_ARA MATCH ? AND STOK_ARA.rank MATCH 'bm25(10.0, 8.0, 8.0, 6.0, 1.0, 8.0)'"
               " ORDER BY STOK_ARA.rank");
}

Table stokAra(Db &db, const QString &kod, const TSonucBilgisi &bilgi)
{
    const QString ifade = searchMatchExpression(kod);
    if (kod.trimmed().size() < 3 || ifade.isEmpty())
        return bosTablo(aramaSutunlari);
    const qint64 carino = bilgi.CARINO();
    return kalemListesi(db, aramaSutunlari, stokAraSql(), {carino, ifade},
                        kampanyaGecerli(db, carino, bilgi.MusteriTipi()), false);
}

bool kampanyaGecerli(Db &db, qint64 carino, int kullaniciTipi)
{
    if (kullaniciTipi == filoTipi)
        return false;
    return db.scalarInt(QStringLiteral("SELECT COUNT(*) FROM KULLANICI WHERE CARINO = ? AND MUSTERITIPI = ?"),
                        {carino, qint64(filoTipi)}) == 0;
}

qint64 yeniStokSayisi(Db &db)
{
    return db.scalarInt(QStringLiteral("SELECT COUNT(*)") + QLatin1String(yeniKaynagi));
}

qint64 kampanyaliStokSayisi(Db &db, qint64 carino, int kullaniciTipi)
{
    if (!kampanyaGecerli(db, carino, kullaniciTipi))
        return 0;
    return db.scalarInt(QStringLiteral("SELECT COUNT(*)") + QLatin1String(kampanyaKaynagi));
}

void registerStockOperations(Registry &r)
{
    r.insert(QStringLiteral("StokAraGetir"), &stokAraGetir);
    r.insert(QStringLiteral("ResimVer5"), &resimVer);
    r.insert(QStringLiteral("YenilerVer2"), &yenilerVer);
    r.insert(QStringLiteral("KampanyaliVer2"), &kampanyaliVer);
    r.insert(QStringLiteral("StokHareketVer"), &stokHareketVer);
}

} // namespace zelvora::server
