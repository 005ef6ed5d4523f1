#include "server/ops/orderlines.h"

#include "server/ops/pricing.h"

#include <QDateTime>
#include <QStringList>

#include <cmath>
#include <iterator>

namespace zelvora::server {

namespace {

struct Sutun
{
    const char *ifade;
    const char *ad;
    const char *tur;
};

// The detail window's columns in its own order, then the hidden ones it
// offers. ACIKLAMA carries the item name: the balance dialog shows it under
// "Açıklama:".
const Sutun ayrintiSutunlari[] = {
    {"SS.VERILISTARIHI", "VERILISTARIHI", "d"},
    {"SS.BARKOD", "BARKOD", "s50"},
    {"ST.FINISHKOD", "FINISHKOD", "s50"},
    {"ST.OEMNO", "OEMNO", "s50"},
    {"SS.STOKADI", "STOKADI", "s100"},
    {"SS.MIKTAR", "MIKTAR", "f"},
    {"SS.BIRIMFIYAT", "BIRIMFIYAT", "f"},
    {"SS.TUTAR", "TUTAR", "f"},
    {"SS.INDIRIMYAZI", "INDIRIMYAZI", "s50"},
    {"SS.NETBIRIMFIYAT", "NETBIRIMFIYAT", "f"},
    {"SS.KDV", "KDV", "f"},
    {"SS.VERGITUTARI", "VERGITUTARI", "f"},
    {"SS.NETTUTAR", "NETTUTAR", "f"},
    {"SS.VEREN", "VEREN", "s50"},
    {"SS.TESLIMEDILEN", "TESLIMEDILEN", "f"},
    {"SS.KALAN", "KALAN", "f"},
    {"SS.SIRANO", "SIRANO", "i"},
    {"SS.IDNO", "SIPARISNO", "i"},
    {"SS.CARINO", "CARINO", "i"},
    {"S.TARIH", "TARIH", "d"},
    {"0", "AKTAR", "i"},
    {"SS.STOKNO", "STOKNO", "i"},
    {"SS.INDIRIMORANI1", "INDIRIMORANI1", "f"},
    {"SS.INDIRIMORANI2", "INDIRIMORANI2", "f"},
    {"SS.INDIRIMORANI3", "INDIRIMORANI3", "f"},
    {"SS.INDIRIMORANI4", "INDIRIMORANI4", "f"},
    {"SS.INDIRIMTUTAR", "INDIRIMTUTAR", "f"},
    {"SS.KUR", "KUR", "s5"},
    {"SS.KURTL", "KURTL", "f"},
    {"SS.VERENIDNO", "VERENIDNO", "i"},
    {"SS.SAAT", "SAAT", "s10"},
    {"COALESCE(S.TESLIMID, 0)", "TESLIMID", "i"},
    {"COALESCE(S.KARGOID, 0)", "KARGOID", "i"},
    {"ST.ADI", "ACIKLAMA", "s100"},
    {"SS.IDNO", "IDNO", "i"},
    {"SS.VERENIDNO", "VERENSIRANO", "i"},
    {"C.CARIKOD", "CARIKOD", "s25"},
    {"C.CARIADI", "CARIADI", "s100"},
    {"ST.OEM1", "OEM1", "s50"},
    {"ST.OEM2", "OEM2", "s50"},
    {"ST.OEM3", "OEM3", "s50"},
    {"ST.OEM4", "OEM4", "s50"},
    {"SS.STOKNO", "STOK_STOKNO", "i"},
    {"ST.URETICIKODU", "URETICIKODU", "s50"},
    {"ST.DIGERADI", "DIGERADI", "s100"},
    {"ST.DPKOD", "DPKOD", "s50"},
    {"ST.MARKA", "MARKA", "s50"},
    {"ST.MODEL", "MODEL", "s50"},
    {"ST.ANAGRUP", "ANAGRUP", "s50"},
    {"ST.OZELKOD", "OZELKOD", "s50"},
    {"ST.PKOD", "PKOD", "s50"},
    {"COALESCE(TC.ADI, '')", "TESLIM", "s50"},
    {"COALESCE(KC.ADI, '')", "KARGO", "s50"},
};

// What the movements and balances add: the line's own number (sent back as
// `siparissirano`), the price it was first ordered at, and the item's stock
// figures for representatives.
const Sutun genisSutunlar[] = {
    {"SS.ILKFIYAT", "ILKFIYAT", "f"},
    {"SS.STOKHAR_NO", "STOKHAR_NO", "i"},
    {"ST.KALAN", "ELDEKI", "f"},
    {"ST.DURUM", "DURUM", "i"},
    {"ST.ALINANSIPARIS", "ALINANSIPARIS", "f"},
    {"ST.VERILENSIPARIS", "VERILENSIPARIS", "f"},
};

struct Sorgu
{
    QString secim; // "SS.X AS X, ..."
    QString sekil; // "X:f, ..."
};

template<class It> void ekle(Sorgu &s, It begin, It end)
{
    for (It it = begin; it != end; ++it) {
        if (!s.secim.isEmpty()) {
            s.secim += QLatin1String(", ");
            s.sekil += QLatin1String(", ");
        }
        s.secim += QLatin1String(it->ifade) + QLatin1String(" AS ") + QLatin1String(it->ad);
        s.sekil += QLatin1String(it->ad) + QLatin1Char(':') + QLatin1String(it->tur);
    }
}

const Sorgu &sorgu(SiparisSatirListesi liste)
{
    static const Sorgu ayrinti = [] {
        Sorgu s;
        ekle(s, std::begin(ayrintiSutunlari), std::end(ayrintiSutunlari));
        return s;
    }();
    static const Sorgu genis = [] {
        Sorgu s = ayrinti;
        ekle(s, std::begin(genisSutunlar), std::end(genisSutunlar));
        return s;
    }();
    return liste == SiparisSatirListesi::Ayrinti ? ayrinti : genis;
}

} // namespace

Table siparisSatirlari(Db &db, SiparisSatirListesi liste, const QString &kosul, const QString &siralama,
                       SqlValues degerler)
{
    const Sorgu &s = sorgu(liste);
    const QString sql = QLatin1String("SELECT ") + s.secim +
                        QLatin1String(" FROM SIPARISSATIR SS"
                                      " JOIN SIPARIS S ON S.IDNO = SS.IDNO"
                                      " JOIN STOK ST ON ST.STOKNO = SS.STOKNO"
                                      " JOIN CARI C ON C.CARINO = SS.CARINO"
                                      " LEFT JOIN TESLIMCINSI TC ON TC.TESLIMID = S.TESLIMID"
                                      " LEFT JOIN KARGOCINSI KC ON KC.KARGOID = S.KARGOID"
                                      " WHERE ") +
                        kosul + QLatin1String(" ORDER BY ") + siralama;
    Table t = db.query(sql, s.sekil, degerler);
    yuvarlaSutunlari(t, {"BIRIMFIYAT", "TUTAR", "NETBIRIMFIYAT", "VERGITUTARI", "NETTUTAR", "INDIRIMTUTAR"});
    return t;
}

void yuvarlaSutunlari(Table &table, std::initializer_list<const char *> sutunlar)
{
    for (const char *ad : sutunlar) {
        const int i = table.indexOf(QLatin1String(ad));
        if (i < 0)
            continue;
        Column &c = table.column(i);
        for (qsizetype row = 0; row < c.rowCount(); ++row) {
            if (!c.isNull(row))
                c.setDouble(row, Yuvarla(c.doubleAt(row)));
        }
    }
}

Zaman simdi()
{
    const QDateTime now = QDateTime::currentDateTime();
    return {toOleDate(now), now.time().toString(QStringLiteral("HH:mm:ss"))};
}

bool oranGecerli(double oran)
{
    return std::isfinite(oran) && oran >= 0 && oran <= 100;
}

void alinanSiparisEkle(Db &db, qint64 stokNo, double fark)
{
    if (fark == 0)
        return;
    db.execute(QStringLiteral("UPDATE STOK SET ALINANSIPARIS = CASE WHEN ALINANSIPARIS + ? > 0"
                              " THEN ALINANSIPARIS + ? ELSE 0 END WHERE STOKNO = ?"),
               {fark, fark, stokNo});
}

} // namespace zelvora::server
