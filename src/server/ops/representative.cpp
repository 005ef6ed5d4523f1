#include "server/media/pdf.h"
#include "server/ops/call.h"
#include "server/ops/carihesap.h"
#include "server/ops/oturum.h"
#include "server/ops/pricing.h"
#include "server/storage/schema.h"
#include "wire/objects.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace zelvora::server {

namespace {

// ---------------------------------------------------------------- customer list

// The client's search box sends plain upper case; customer names are stored
// with Turkish letters. Folding the column the same way as the typed text in
// SQL keeps the match in the store (and portable: REPLACE and UPPER exist
// everywhere) rather than in a custom function.
QString katlanmis(const QString &kolon)
{
    static const char16_t *const harfler[][2] = {
        {u"ç", u"C"}, {u"Ç", u"C"}, {u"ğ", u"G"}, {u"Ğ", u"G"}, {u"ı", u"I"}, {u"İ", u"I"},
        {u"ö", u"O"}, {u"Ö", u"O"}, {u"ş", u"S"}, {u"Ş", u"S"}, {u"ü", u"U"}, {u"Ü", u"U"},
        {u"â", u"A"}, {u"Â", u"A"}, {u"î", u"I"}, {u"Î", u"I"}, {u"û", u"U"}, {u"Û", u"U"},
    };
    QString ifade = kolon;
    for (const auto &h : harfler) {
        ifade = QStringLiteral("REPLACE(") + ifade + QStringLiteral(", '") + QString::fromUtf16(h[0]) +
                QStringLiteral("', '") + QString::fromUtf16(h[1]) + QStringLiteral("')");
    }
    return QStringLiteral("UPPER(") + ifade + QLatin1Char(')');
}

// A LIKE pattern that finds `metin` anywhere, its own % and _ taken literally.
QString icerenDesen(const QString &metin)
{
    QString desen;
    desen.reserve(metin.size() + 2);
    desen += QLatin1Char('%');
    for (const QChar ch : metin) {
        if (ch == QLatin1Char('\\') || ch == QLatin1Char('%') || ch == QLatin1Char('_'))
            desen += QLatin1Char('\\');
        desen += ch;
    }
    desen += QLatin1Char('%');
    return desen;
}

// Which customers a list shows besides the scope: all, those with a basket,
// or those with an order in one status.
enum class Secim : qint64
{
    Hepsi = 0,
    Sepetli = 1,
    Durumlu = 2,
    Hicbiri = -1
};

const QString &cariListesiSql()
{
    static const QString sql =
        QStringLiteral(
            "SELECT c.CARINO, c.CARIKOD, c.CARIADI, COALESCE(t.SATICIADI, ''), "
            "(SELECT COALESCE(SUM(h.BORC - h.ALACAK), 0) FROM CARIHAREKET h WHERE h.CARINO = c.CARINO), '', "
            "c.OZELKOD, c.KOD1, c.KOD2, c.KOD3, c.KOD4, c.KOD5, c.TEL1, c.TEL2, c.ILCE, c.IL, c.GSM, "
            "(SELECT COUNT(*) FROM SEPET s WHERE s.CARINO = c.CARINO), "
            "c.YETKILI, c.INDIRIM, c.VADE, c.VADEKONTROLGUN, c.VADEKONTROLAY, c.VERGIDAIRESI, c.VERGINO, "
            "c.ADRES1, c.ADRES2, c.ANAGRUP, c.ALTGRUP, c.FAX1, c.FAX2, c.EMAIL, "
            "(SELECT COUNT(*) FROM SIPARIS o WHERE o.CARINO = c.CARINO AND o.DURUMKODU = ?), "
            "(SELECT COUNT(*) FROM SIPARIS o WHERE o.CARINO = c.CARINO AND o.DURUMKODU = ?), "
            "(SELECT COUNT(*) FROM SIPARIS o WHERE o.CARINO = c.CARINO AND o.DURUMKODU = ?), "
            "(SELECT COUNT(*) FROM SIPARIS o WHERE o.CARINO = c.CARINO AND o.DURUMKODU = ?), "
            "(SELECT COUNT(*) FROM SIPARIS o WHERE o.CARINO = c.CARINO AND o.DURUMKODU = ?) "
            "FROM CARI c LEFT JOIN SATICI t ON t.SATICINO = c.SATICINO WHERE ") +
        kapsamKosulu(QStringLiteral("c")) +
        QStringLiteral(" AND (? = 0 OR (? = 1 AND EXISTS (SELECT 1 FROM SEPET s WHERE s.CARINO = c.CARINO)) "
                       "OR (? = 2 AND EXISTS (SELECT 1 FROM SIPARIS o WHERE o.CARINO = c.CARINO "
                       "AND o.DURUMKODU = ?))) "
                       "AND (? = '' OR ") +
        katlanmis(QStringLiteral("c.CARIKOD")) + QStringLiteral(" LIKE ? ESCAPE '\\' OR ") +
        katlanmis(QStringLiteral("c.CARIADI")) +
        QStringLiteral(" LIKE ? ESCAPE '\\') ORDER BY c.CARIADI, c.CARINO");
    return sql;
}

qint64 kod(SiparisDurumu d)
{
    return qint64(d);
}

// TLBAKIYE is the size of the balance and DURUM the side it is on, as the
// details panel shows them together: "1.234,56 Borçlu".
Table cariListesi(Db &db, const Kapsam &kapsam, Secim secim, qint64 durum, const QString &aranan)
{
    const QString katli = foldSearchText(aranan.trimmed());
    const QString desen = icerenDesen(katli);
    const qint64 tur = kapsam.tur, s = qint64(secim);
    Table t = db.query(
        cariListesiSql(),
        QStringLiteral(
            "CARINO:i, CARIKOD:s25, CARIADI:s100, SATICISI:s50, TLBAKIYE:f, DURUM:s10, OZELKOD:s50, "
            "KOD1:s50, KOD2:s50, KOD3:s50, KOD4:s50, KOD5:s50, TEL1:s30, TEL2:s30, ILCE:s50, IL:s50, "
            "GSM:s30, SEPET:i, YETKILI:s100, INDIRIM:f, VADE:i, VADEKONTROLGUN:i, VADEKONTROLAY:i, "
            "VERGIDAIRESI:s50, VERGINO:s30, ADRES1:s100, ADRES2:s100, ANAGRUP:s50, ALTGRUP:s50, "
            "FAX1:s30, FAX2:s30, EMAIL:s100, ALINDI:i, ONAYLANDI:i, GORULDU:i, HAZIRLANDI:i, "
            "PARCALIHAZIRLANDI:i"),
        {kod(SiparisDurumu::Alindi), kod(SiparisDurumu::Onaylandi), kod(SiparisDurumu::Goruldu),
         kod(SiparisDurumu::Hazirlandi), kod(SiparisDurumu::ParcaliHazirlandi), tur, tur, kapsam.saticiNo,
         tur, kapsam.carino, s, s, s, durum, katli, desen, desen});
    Column &bakiye = t.column(4);
    Column &yon = t.column(5);
    for (qsizetype row = 0; row < t.recordCount(); ++row) {
        const double b = Yuvarla(bakiye.doubleAt(row));
        bakiye.setDouble(row, std::abs(b));
        yon.setText(row, b > 0 ? QStringLiteral("Borçlu") : b < 0 ? QStringLiteral("Alacaklı") : QString());
    }
    return t;
}

Kapsam temsilciKapsami(Call &call, int girisSirasi)
{
    return kapsamBul(call.db, *call.login(girisSirasi)).yalnizTemsilci();
}

void CariAra(Call &call)
{
    const Kapsam kapsam = temsilciKapsami(call, 0);
    call.returnTable(cariListesi(call.db, kapsam, Secim::Hepsi, 0, call.text(1)));
}

// n is the board button: 1 the basket, 2..7 the order statuses in the order
// of SiparisDurumu, whose codes are the button numbers less one.
void CariSepetVer(Call &call)
{
    const Kapsam kapsam = temsilciKapsami(call, 0);
    const int n = call.int32(1);
    Secim secim = Secim::Hicbiri;
    qint64 durum = 0;
    if (n == 1) {
        secim = Secim::Sepetli;
    } else if (n >= 2 && n <= siparisDurumuSayisi + 1) {
        secim = Secim::Durumlu;
        durum = n - 1;
    }
    call.returnTable(cariListesi(call.db, kapsam, secim, durum, QString()));
}

void SepetSayisi(Call &call)
{
    const Kapsam k = temsilciKapsami(call, 0);
    const qint64 tur = k.tur;
    call.returnInt(qint32(call.db.scalarInt(
        QStringLiteral("SELECT COUNT(*) FROM CARI c WHERE ") + kapsamKosulu(QStringLiteral("c")) +
            QStringLiteral(" AND EXISTS (SELECT 1 FROM SEPET s WHERE s.CARINO = c.CARINO)"),
        {tur, tur, k.saticiNo, tur, k.carino}, 0)));
}

void TusSonuclariVer(Call &call)
{
    const Kapsam k = temsilciKapsami(call, 0);
    const qint64 tur = k.tur;
    Statement st =
        call.db.prepare(QStringLiteral("SELECT o.DURUMKODU, COUNT(*) FROM SIPARIS o "
                                       "JOIN CARI c ON c.CARINO = o.CARINO WHERE ") +
                        kapsamKosulu(QStringLiteral("c")) + QStringLiteral(" GROUP BY o.DURUMKODU"));
    st.bindAll({tur, tur, k.saticiNo, tur, k.carino});
    TTusSonuclari sonuc;
    while (st.step()) {
        const auto sayi = qint32(st.int64(1));
        switch (SiparisDurumu(st.int64(0))) {
        case SiparisDurumu::Alindi:
            sonuc.setAlindi(sayi);
            break;
        case SiparisDurumu::Onaylandi:
            sonuc.setOnaylandi(sayi);
            break;
        case SiparisDurumu::Goruldu:
            sonuc.setGoruldu(sayi);
            break;
        case SiparisDurumu::ParcaliHazirlandi:
            sonuc.setParcaliHazirlandi(sayi);
            break;
        case SiparisDurumu::Hazirlandi:
            sonuc.setHazirlandi(sayi);
            break;
        case SiparisDurumu::SevkEdildi:
            sonuc.setSevkEdildi(sayi);
            break;
        }
    }
    call.returnObject(&sonuc);
}

// ---------------------------------------------------------------- report lists

// Orders of the customers the login may see, grouped by the representative
// the order belongs to. TUTAR is what the customer pays: net plus VAT.
void RaporAlinanSiparisler(Call &call)
{
    const Kapsam k = kapsamBul(call.db, *call.login(0));
    const GunAraligi aralik = gunAraligi(call.real(1), call.real(2));
    const qint64 tur = k.tur;
    Table t = call.db.query(
        QStringLiteral(
            "SELECT COALESCE(t.SATICIADI, ''), o.IDNO, o.CARINO, o.TARIH, o.KUR, o.KURTL, o.VERENIDNO, "
            "COALESCE(kc.ADI, ''), COALESCE(tc.ADI, ''), o.VEREN, c.CARIKOD, c.CARIADI, o.DURUM, "
            "COALESCE(kf.ADI, ''), "
            "(SELECT COALESCE(SUM(l.VERGITUTARI), 0) FROM SIPARISSATIR l WHERE l.IDNO = o.IDNO), "
            "(SELECT COALESCE(SUM(l.NETTUTAR), 0) FROM SIPARISSATIR l WHERE l.IDNO = o.IDNO), 0.0 "
            "FROM SIPARIS o JOIN CARI c ON c.CARINO = o.CARINO "
            "LEFT JOIN SATICI t ON t.SATICINO = COALESCE(o.SATICINO, c.SATICINO) "
            "LEFT JOIN KARGOCINSI kc ON kc.KARGOID = o.KARGOID "
            "LEFT JOIN TESLIMCINSI tc ON tc.TESLIMID = o.TESLIMID "
            "LEFT JOIN KARGOFIRMA kf ON kf.SIRANO = o.KARGOFIRMANO WHERE ") +
            kapsamKosulu(QStringLiteral("c")) +
            QStringLiteral(" AND o.TARIH >= ? AND o.TARIH < ? ORDER BY 1, o.TARIH, o.IDNO"),
        QStringLiteral("SATICIADI:s50, IDNO:f, CARINO:i, TARIH:d, KUR:s5, KURTL:f, VERENIDNO:i, KARGO:s50, "
                       "TESLIM:s50, VEREN:s50, CARIKOD:s25, CARIADI:s100, DURUM:s100, KARGOADI:s50, VERGI:f, "
                       "NETTUTAR:f, TUTAR:f"),
        {tur, tur, k.saticiNo, tur, k.carino, aralik.bas, aralik.son});
    Column &vergi = t.column(14), &net = t.column(15), &tutar = t.column(16);
    for (qsizetype row = 0; row < t.recordCount(); ++row) {
        vergi.setDouble(row, Yuvarla(vergi.doubleAt(row)));
        net.setDouble(row, Yuvarla(net.doubleAt(row)));
        tutar.setDouble(row, Yuvarla(net.doubleAt(row) + vergi.doubleAt(row)));
    }
    call.returnTable(std::move(t));
}

// What was invoiced to the customers the login may see; returns count
// against the sale. KOD is the maker's code (BARKOD is ours).
void RaporEnCokSatilanStoklar(Call &call)
{
    const Kapsam k = kapsamBul(call.db, *call.login(0));
    const GunAraligi aralik = gunAraligi(call.real(1), call.real(2));
    const qint64 tur = k.tur;
    const QString iade = QStringLiteral("%İade%");
    Table t = call.db.query(
        QStringLiteral("SELECT k.BARKOD, k.URETICIKODU, k.ADI, k.DEPARTMAN, "
                       "SUM(s.STOKHAR_MIKTAR * CASE WHEN f.TURU LIKE ? THEN -1 ELSE 1 END), "
                       "SUM(s.STOKHAR_NETTLTUTAR * CASE WHEN f.TURU LIKE ? THEN -1 ELSE 1 END), "
                       "SUM(s.STOKHAR_TLVERGI * CASE WHEN f.TURU LIKE ? THEN -1 ELSE 1 END), 0.0 "
                       "FROM FATURASATIR s JOIN FATURA f ON f.IDNO = s.IDNO "
                       "JOIN CARI c ON c.CARINO = f.CARINO JOIN STOK k ON k.STOKNO = s.STOKNO WHERE ") +
            kapsamKosulu(QStringLiteral("c")) +
            QStringLiteral(" AND f.TARIH >= ? AND f.TARIH < ? "
                           "GROUP BY k.STOKNO, k.BARKOD, k.URETICIKODU, k.ADI, k.DEPARTMAN "
                           "ORDER BY 5 DESC, k.BARKOD"),
        QStringLiteral(
            "BARKOD:s50, KOD:s50, ADI:s100, DEPARTMAN:s50, MIKTAR:f, NETTUTAR:f, TLVERGI:f, TUTAR:f"),
        {iade, iade, iade, tur, tur, k.saticiNo, tur, k.carino, aralik.bas, aralik.son});
    Column &net = t.column(5), &vergi = t.column(6), &tutar = t.column(7);
    for (qsizetype row = 0; row < t.recordCount(); ++row) {
        net.setDouble(row, Yuvarla(net.doubleAt(row)));
        vergi.setDouble(row, Yuvarla(vergi.doubleAt(row)));
        tutar.setDouble(row, Yuvarla(net.doubleAt(row) + vergi.doubleAt(row)));
    }
    call.returnTable(std::move(t));
}

// ---------------------------------------------------------------- printed reports

QString gunMetni(double oleTarih)
{
    return oleTarih > 0 ? oleGunu(oleTarih).toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString tutarHucresi(double tutar)
{
    return tutar != 0 ? tutarMetni(tutar) : QString();
}

struct CariBaslik
{
    QString kod, adi, satici;
};

// The customer's heading, when the report's login may see him.
bool cariBasligi(Db &db, const Kapsam &k, qint64 carino, CariBaslik &b)
{
    const qint64 tur = k.tur;
    Statement st =
        db.prepare(QStringLiteral("SELECT c.CARIKOD, c.CARIADI, COALESCE(t.SATICIADI, '') FROM CARI c "
                                  "LEFT JOIN SATICI t ON t.SATICINO = c.SATICINO WHERE c.CARINO = ? AND ") +
                   kapsamKosulu(QStringLiteral("c")));
    st.bindAll({carino, tur, tur, k.saticiNo, tur, k.carino});
    if (!st.step())
        return false;
    b.kod = st.text(0);
    b.adi = st.text(1);
    b.satici = st.text(2);
    return true;
}

// "." stands for every representative; anything else names one.
QString temsilciSecimi(const QString &saticiadi)
{
    const QString s = saticiadi.trimmed();
    return s == QStringLiteral(".") ? QString() : s;
}

constexpr int sonHareketSayisi = 30;

// A debit due on the report's own day is not late yet.
bool vadesiGecti(const AcikKalem &a, const GunAraligi &aralik)
{
    return a.vadeTarihi < aralik.son - 1;
}

// The account as of one day: what it owes, the latest movements with the
// balance they ran up, and the debits still open, by due date.
QByteArray cariOzeti(Call &call, const Kapsam &k, qint64 carino, const QString &saticiadi,
                     const GunAraligi &aralik)
{
    CariBaslik b;
    if (!cariBasligi(call.db, k, carino, b))
        return {};

    struct Hareket
    {
        double tarih, vade, borc, alacak;
        QString tur, evrak;
    };
    QList<Hareket> hareketler;
    Statement st = call.db.prepare(QStringLiteral("SELECT TARIH, VADETARIHI, TURADI, EVRAK, BORC, ALACAK "
                                                  "FROM CARIHAREKET WHERE CARINO = ? AND TARIH < ? "
                                                  "ORDER BY TARIH, SIRANO"));
    st.bindAll({carino, aralik.son});
    while (st.step())
        hareketler.append({st.real(0), st.real(1), st.real(4), st.real(5), st.text(2), st.text(3)});

    media::ReportContent content;
    content.title = QStringLiteral("Cari Özeti");
    content.customerCode = b.kod;
    content.customerName = b.adi;
    content.representative = temsilciSecimi(saticiadi).isEmpty() ? b.satici : saticiadi.trimmed();
    content.to = aralik.sonGun();
    content.generatedAt = QDateTime::currentDateTime();
    content.columns = {QStringLiteral("Tarih"), QStringLiteral("Tür"),  QStringLiteral("Evrak No"),
                       QStringLiteral("Vade"),  QStringLiteral("Borç"), QStringLiteral("Alacak"),
                       QStringLiteral("Bakiye")};

    double bakiye = 0, toplamBorc = 0, toplamAlacak = 0;
    const qsizetype ilk = std::max<qsizetype>(0, hareketler.size() - sonHareketSayisi);
    for (qsizetype i = 0; i < hareketler.size(); ++i) {
        const Hareket &h = hareketler[i];
        if (i == ilk && ilk > 0)
            content.rows.append({QString(), QStringLiteral("Önceki hareketlerden devir"), QString(),
                                 QString(), QString(), QString(), tutarMetni(bakiye)});
        bakiye = Yuvarla(bakiye + h.borc - h.alacak);
        toplamBorc = Yuvarla(toplamBorc + h.borc);
        toplamAlacak = Yuvarla(toplamAlacak + h.alacak);
        if (i >= ilk)
            content.rows.append({gunMetni(h.tarih), h.tur, h.evrak, gunMetni(h.vade), tutarHucresi(h.borc),
                                 tutarHucresi(h.alacak), tutarMetni(bakiye)});
    }
    content.rows.append({QString(), QStringLiteral("Toplam / Bakiye"), QString(), QString(),
                         tutarMetni(toplamBorc), tutarMetni(toplamAlacak), tutarMetni(bakiye)});

    const QList<AcikKalem> acik = acikKalemler(call.db, carino, aralik.son);
    if (!acik.isEmpty()) {
        content.rows.append(QStringList{});
        content.rows.append({QString(), QStringLiteral("Açık kalemler (vadesine göre)")});
        QList<AcikKalem> vadeSirali = acik;
        std::stable_sort(vadeSirali.begin(), vadeSirali.end(),
                         [](const AcikKalem &a, const AcikKalem &c) { return a.vadeTarihi < c.vadeTarihi; });
        double kalan = 0;
        for (const AcikKalem &a : vadeSirali) {
            kalan = Yuvarla(kalan + a.kalan);
            const QString tur =
                vadesiGecti(a, aralik) ? a.turAdi + QStringLiteral(" (vadesi geçti)") : a.turAdi;
            content.rows.append({gunMetni(a.tarih), tur, a.evrak, gunMetni(a.vadeTarihi), tutarMetni(a.kalan),
                                 QString(), tutarMetni(kalan)});
        }
    }
    return media::reportPdf(content);
}

// Every customer's open debits as of one day, split into past due and not
// yet due, the most overdue first.
QByteArray topluAlacakVadeleri(Call &call, const Kapsam &k, const QString &saticiadi,
                               const GunAraligi &aralik)
{
    const QString temsilci = temsilciSecimi(saticiadi);
    const qint64 tur = k.tur;
    Statement st = call.db.prepare(
        QStringLiteral("SELECT c.CARINO, c.CARIKOD, c.CARIADI, COALESCE(t.SATICIADI, '') FROM CARI c "
                       "LEFT JOIN SATICI t ON t.SATICINO = c.SATICINO WHERE ") +
        kapsamKosulu(QStringLiteral("c")) +
        QStringLiteral(" AND (? = '' OR c.SATICINO IN (SELECT SATICINO FROM SATICI WHERE SATICIADI = ?) "
                       "OR c.SATICINO IN (SELECT SATICINO FROM KULLANICI WHERE ADI = ? "
                       "AND MUSTERITIPI IN (1, 2))) ORDER BY c.CARIKOD"));
    st.bindAll({tur, tur, k.saticiNo, tur, k.carino, temsilci, temsilci, temsilci.toUpper()});
    struct Satir
    {
        QString kod, adi, satici;
        double gecmis = 0, gelecek = 0, enEskiVade = 0;
    };
    std::vector<Satir> satirlar;
    while (st.step()) {
        Satir s{st.text(1), st.text(2), st.text(3)};
        for (const AcikKalem &a : acikKalemler(call.db, st.int64(0), aralik.son)) {
            if (vadesiGecti(a, aralik)) {
                s.gecmis = Yuvarla(s.gecmis + a.kalan);
                if (s.enEskiVade == 0 || a.vadeTarihi < s.enEskiVade)
                    s.enEskiVade = a.vadeTarihi;
            } else {
                s.gelecek = Yuvarla(s.gelecek + a.kalan);
            }
        }
        if (s.gecmis > 0 || s.gelecek > 0)
            satirlar.push_back(std::move(s));
    }
    std::stable_sort(satirlar.begin(), satirlar.end(),
                     [](const Satir &a, const Satir &b) { return a.gecmis > b.gecmis; });

    media::ReportContent content;
    content.title = QStringLiteral("Cari Toplu Alacak Vadeleri");
    content.customerName = QStringLiteral("Tüm cariler");
    // A representative sends his login name; the page shows his full name.
    content.representative =
        temsilci.isEmpty()
            ? QStringLiteral("Tüm temsilciler")
            : call.db.scalarText(
                  QStringLiteral("SELECT SATICIADI FROM SATICI WHERE SATICIADI = ? OR SATICINO IN "
                                 "(SELECT SATICINO FROM KULLANICI WHERE ADI = ? "
                                 "AND MUSTERITIPI IN (1, 2)) ORDER BY SATICINO LIMIT 1"),
                  {temsilci, temsilci.toUpper()}, temsilci);
    content.to = aralik.sonGun();
    content.generatedAt = QDateTime::currentDateTime();
    content.columns = {QStringLiteral("Cari Kod"),        QStringLiteral("Cari Adı"),
                       QStringLiteral("Temsilci"),        QStringLiteral("Vadesi Geçen"),
                       QStringLiteral("Vadesi Gelmeyen"), QStringLiteral("Toplam Alacak"),
                       QStringLiteral("En Eski Vade"),    QStringLiteral("Gecikme (Gün)")};
    double gecmis = 0, gelecek = 0;
    for (const Satir &s : satirlar) {
        gecmis = Yuvarla(gecmis + s.gecmis);
        gelecek = Yuvarla(gelecek + s.gelecek);
        const qint64 gecikme = s.enEskiVade > 0 ? qint64(aralik.son - 1 - std::floor(s.enEskiVade)) : 0;
        content.rows.append({s.kod, s.adi, s.satici, tutarMetni(s.gecmis), tutarMetni(s.gelecek),
                             tutarMetni(s.gecmis + s.gelecek), gunMetni(s.enEskiVade),
                             s.enEskiVade > 0 ? QString::number(std::max<qint64>(0, gecikme)) : QString()});
    }
    if (!satirlar.empty()) {
        content.rows.append({QString(), QStringLiteral("TOPLAM"), QString(), tutarMetni(gecmis),
                             tutarMetni(gelecek), tutarMetni(gecmis + gelecek), QString(), QString()});
    }
    return media::reportPdf(content);
}

QString ayAdi(int yil, int ay)
{
    static const char *const aylar[] = {"Ocak",   "Şubat",   "Mart",  "Nisan", "Mayıs", "Haziran",
                                        "Temmuz", "Ağustos", "Eylül", "Ekim",  "Kasım", "Aralık"};
    return QString::fromUtf8(aylar[std::clamp(ay, 1, 12) - 1]) + QLatin1Char(' ') + QString::number(yil);
}

// Sales and returns of one customer month by month, per representative.
QByteArray alisSatisTablosu(Call &call, const Kapsam &k, qint64 carino, const QString &saticiadi,
                            const GunAraligi &aralik)
{
    CariBaslik b;
    if (!cariBasligi(call.db, k, carino, b))
        return {};

    struct Toplam
    {
        int fatura = 0;
        double satis = 0, iade = 0, vergi = 0;
    };
    // (year, month, representative) in that order, so months come out sorted.
    std::map<std::tuple<int, int, QString>, Toplam> aylar;
    Statement st = call.db.prepare(QStringLiteral(
        "SELECT f.TARIH, f.TURU, COALESCE(t.SATICIADI, ''), "
        "COALESCE(a.MATRAH, (SELECT SUM(s.STOKHAR_NETTLTUTAR) FROM FATURASATIR s WHERE s.IDNO = f.IDNO), 0), "
        "COALESCE(a.KDVTUTAR, (SELECT SUM(s.STOKHAR_TLVERGI) FROM FATURASATIR s WHERE s.IDNO = f.IDNO), 0) "
        "FROM FATURA f LEFT JOIN FATURAALT a ON a.IDNO = f.IDNO LEFT JOIN SATICI t ON t.SATICINO = "
        "f.SATICINO "
        "WHERE f.CARINO = ? AND f.TARIH >= ? AND f.TARIH < ? ORDER BY f.TARIH"));
    st.bindAll({carino, aralik.bas, aralik.son});
    while (st.step()) {
        const QDate gun = oleGunu(st.real(0));
        Toplam &t = aylar[{gun.year(), gun.month(), st.text(2)}];
        const bool iade = st.text(1).contains(QStringLiteral("İade"));
        ++t.fatura;
        (iade ? t.iade : t.satis) += st.real(3);
        t.vergi += iade ? -st.real(4) : st.real(4);
    }

    media::ReportContent content;
    content.title = QStringLiteral("Cari Alış Satış Tablosu");
    content.customerCode = b.kod;
    content.customerName = b.adi;
    content.representative = temsilciSecimi(saticiadi).isEmpty() ? b.satici : saticiadi.trimmed();
    content.from = aralik.ilkGun();
    content.to = aralik.sonGun();
    content.generatedAt = QDateTime::currentDateTime();
    content.columns = {QStringLiteral("Ay"),    QStringLiteral("Temsilci"), QStringLiteral("Fatura"),
                       QStringLiteral("Satış"), QStringLiteral("İade"),     QStringLiteral("Net Satış"),
                       QStringLiteral("KDV"),   QStringLiteral("KDV Dahil")};
    Toplam genel;
    for (const auto &[anahtar, t] : aylar) {
        const double net = Yuvarla(t.satis - t.iade), vergi = Yuvarla(t.vergi);
        content.rows.append({ayAdi(std::get<0>(anahtar), std::get<1>(anahtar)), std::get<2>(anahtar),
                             QString::number(t.fatura), tutarMetni(t.satis), tutarMetni(t.iade),
                             tutarMetni(net), tutarMetni(vergi), tutarMetni(net + vergi)});
        genel.fatura += t.fatura;
        genel.satis = Yuvarla(genel.satis + t.satis);
        genel.iade = Yuvarla(genel.iade + t.iade);
        genel.vergi = Yuvarla(genel.vergi + vergi);
    }
    const double net = Yuvarla(genel.satis - genel.iade);
    content.rows.append({QStringLiteral("TOPLAM"), QString(), QString::number(genel.fatura),
                         tutarMetni(genel.satis), tutarMetni(genel.iade), tutarMetni(net),
                         tutarMetni(genel.vergi), tutarMetni(net + genel.vergi)});
    return media::reportPdf(content);
}

// The reports of the customer selection menu. `idno` is the login asking;
// it bounds which customers any report may cover, whatever else is sent.
void RaporGetir(Call &call)
{
    const int raporno = call.int32(0);
    const qint64 carino = call.int32(3);
    const QString saticiadi = call.text(4);
    const GunAraligi aralik = gunAraligi(call.real(5), call.real(6));
    const Kapsam k = kapsamBul(call.db, qint64(call.int32(2)));

    QByteArray pdf;
    if (raporno == 6 && carino > 0)
        pdf = cariOzeti(call, k, carino, saticiadi, aralik);
    else if (raporno == 6 && carino == 0)
        pdf = topluAlacakVadeleri(call, k, saticiadi, aralik);
    else if (raporno == 7 && carino > 0)
        pdf = alisSatisTablosu(call, k, carino, saticiadi, aralik);
    call.returnStream(pdf);
}

} // namespace

void registerRepresentativeOperations(Registry &r)
{
    r.insert(QStringLiteral("CariAra"), &CariAra);
    r.insert(QStringLiteral("CariSepetVer"), &CariSepetVer);
    r.insert(QStringLiteral("SepetSayisi"), &SepetSayisi);
    r.insert(QStringLiteral("TusSonuclariVer"), &TusSonuclariVer);
    r.insert(QStringLiteral("RaporAlinanSiparisler"), &RaporAlinanSiparisler);
    r.insert(QStringLiteral("RaporEnCokSatilanStoklar"), &RaporEnCokSatilanStoklar);
    r.insert(QStringLiteral("RaporGetir"), &RaporGetir);
}

} // namespace zelvora::server
