#include "server/media/pdf.h"
#include "server/ops/call.h"
#include "server/ops/carihesap.h"
#include "server/ops/pricing.h"

#include <cmath>

namespace zelvora::server {

namespace {

// The client adds up BAKIYE and D itself in statement order and writes them
// back into these two columns, so they only need to be there and writable.
void CariEkstreVer(Call &call)
{
    call.returnTable(call.db.query(
        QStringLiteral("SELECT CARINO, TARIH, TURADI, EVRAK, BORC, ALACAK, KUR, 0.0, ' ', IDNO, ACIKLAMA "
                       "FROM CARIHAREKET WHERE CARINO = ? ORDER BY TARIH, SIRANO"),
        QStringLiteral("CARINO:i, TARIH:d, TURADI:s50, EVRAK:s50, BORC:f, ALACAK:f, KUR:s5, BAKIYE:f, D:s1, "
                       "IDNO:i, ACIKLAMA:s200"),
        {qint64(call.int32(0))}));
}

// Foreign-currency columns are the TL ones at the invoice's rate; an invoice
// in TL has rate 1 and shows the same numbers twice.
QString dovizde(const char *tlKolonu)
{
    return QStringLiteral("CASE WHEN f.KURTL > 0 THEN s.%1 / f.KURTL ELSE s.%1 END")
        .arg(QLatin1String(tlKolonu));
}

void FaturaGetir(Call &call)
{
    const QString sql =
        QStringLiteral("SELECT "
                       // header, repeated on every line: the window reads the first row
                       "f.TARIH, f.TURU, COALESCE(t.SATICIADI, ''), f.EVRAKNO, f.VADE, "
                       // visible lines
                       "k.OEMNO, k.ADI, k.FINISHKOD, k.MARKA, k.MODEL, k.ANAGRUP, k.BIRIM, "
                       "s.STOKHAR_MIKTAR, s.STOKHAR_TLBIRIMFIYATI, s.STOKHAR_TLTUTAR, s.STOKHAR_INDIRIM1, "
                       "s.STOKHAR_INDIRIM2, s.KDV, s.STOKHAR_TOPLAMINDIRIM, s.STOKHAR_TOPLAMMASRAF, "
                       "s.STOKHAR_NETTLBIRIMFIYATI, s.STOKHAR_NETTLTUTAR, "
                       // offered in the column chooser
                       "k.OZELKOD, k.BARKOD, s.STOKHAR_TLVERGI, f.IRSALIYENO, f.IRSALIYETARIHI, "
                       "s.SATIRACIKLMASI, f.SAAT, COALESCE(CAST(f.SIPARISNO AS TEXT), ''), f.SIPARISTARIHI, "
                       "f.IRSALIYETIPI, "
                       // carried
                       "s.STOKHAR_INDIRIM3, s.STOKHAR_INDIRIM4, s.STOKHAR_INDIRIM5, s.STOKHAR_INDIRIM6, "
                       "s.STOKHAR_INDIRIM7, s.STOKHAR_INDIRIM8, ") +
        dovizde("STOKHAR_TLBIRIMFIYATI") + QStringLiteral(", ") + dovizde("STOKHAR_TLVERGI") +
        QStringLiteral(", ") + dovizde("STOKHAR_TLTUTAR") +
        QStringLiteral(", '', '', '', s.STOKHAR_MASRAF1, s.STOKHAR_MASRAF2, ") +
        dovizde("STOKHAR_TOPLAMINDIRIM") + QStringLiteral(", ") + dovizde("STOKHAR_TOPLAMMASRAF") +
        QStringLiteral(", ") + dovizde("STOKHAR_NETTLBIRIMFIYATI") + QStringLiteral(", ") +
        dovizde("STOKHAR_NETTLTUTAR") +
        QStringLiteral(", f.KURTL, '', 0, c.CARIKOD, 0, f.CARINO, f.KUR, k.URETICIKODU, k.DPKOD, k.DIGERADI, "
                       "k.PKOD, f.EVRAKNO, f.IDNO "
                       "FROM FATURA f "
                       "JOIN FATURASATIR s ON s.IDNO = f.IDNO "
                       "JOIN CARI c ON c.CARINO = f.CARINO "
                       "LEFT JOIN STOK k ON k.STOKNO = s.STOKNO "
                       "LEFT JOIN SATICI t ON t.SATICINO = f.SATICINO "
                       "WHERE f.IDNO = ? AND f.CARINO = ? ORDER BY s.SIRANO");
    const QString shape = QStringLiteral(
        "STOKHAR_HAREKETTARIHI:d, STOKHAR_HAREKETTIPI2:s50, SATICIADI:s50, EVRAKNO:s25, STOKHAR_VADE:i, "
        "OEMNO:s50, STOKADI:s100, FINISHKOD:s50, MARKA:s50, MODEL:s50, ANAGRUP:s50, BIRIM:s10, "
        "STOKHAR_MIKTAR:f, STOKHAR_TLBIRIMFIYATI:f, STOKHAR_TLTUTAR:f, STOKHAR_INDIRIM1:f, "
        "STOKHAR_INDIRIM2:f, "
        "KDV:f, STOKHAR_TOPLAMINDIRIM:f, STOKHAR_TOPLAMMASRAF:f, STOKHAR_NETTLBIRIMFIYATI:f, "
        "STOKHAR_NETTLTUTAR:f, "
        "OZELKOD:s50, BARKOD:s50, STOKHAR_TLVERGI:f, IRSALIYEEVRAKNO:s25, STOKHAR_IRSTARIHI:d, "
        "SATIRACIKLMASI:s200, STOKHAR_SAAT:s10, SIPARISEVRAKNO:s25, SIPARISTARIHI:d, IRSALIYETIP2:s50, "
        "STOKHAR_INDIRIM3:f, STOKHAR_INDIRIM4:f, STOKHAR_INDIRIM5:f, STOKHAR_INDIRIM6:f, STOKHAR_INDIRIM7:f, "
        "STOKHAR_INDIRIM8:f, STOKHAR_DOVIZBIRIMFIYATI:f, STOKHAR_DOVIZVERGI:f, STOKHAR_DOVIZTUTAR:f, "
        "STOKHAR_PARTI:s25, STOKHAR_BEDEN:s25, STOKHAR_RENK:s25, STOKHAR_MASRAF1:f, STOKHAR_MASRAF2:f, "
        "STOKHAR_DOVIZTOPLAMINDIRIM:f, STOKHAR_DOVIZTOPLAMMASRAF:f, STOKHAR_NETDOVIZBIRIMFIYATI:f, "
        "STOKHAR_NETDOVIZTUTAR:f, STOKHAR_KURTL:f, SIPARISTIPI:s25, IRSALIYETIPINO:i, STOKCARIKOD:s25, "
        "SUBE_NO:i, STOKHAR_CARINO:i, KUR_KURSIMGE:s5, URETICIKODU:s50, DPKOD:s50, ENADI:s100, PKOD:s50, "
        "BELGENO:s25, IDNO:i");
    call.returnTable(call.db.query(sql, shape, {qint64(call.int32(1)), qint64(call.int32(0))}));
}

void FaturaAltGetir(Call &call)
{
    const qint64 idno = call.int32(0);
    const QString shape = QStringLiteral("TOPLAM:f, TOPLAMINDIRIM:f, MATRAH:f, KDVTUTAR:f, KDVDAHIL:f");
    Table alt = call.db.query(
        QStringLiteral(
            "SELECT TOPLAM, TOPLAMINDIRIM, MATRAH, KDVTUTAR, KDVDAHIL FROM FATURAALT WHERE IDNO = ?"),
        shape, {idno});
    if (alt.recordCount() == 0) {
        // No stored totals: add up the lines. An aggregate always gives one
        // row, zeros for an unknown invoice, and the window reads one row.
        alt = call.db.query(
            QStringLiteral("SELECT COALESCE(SUM(STOKHAR_TLTUTAR), 0), "
                           "COALESCE(SUM(STOKHAR_TOPLAMINDIRIM), 0), "
                           "COALESCE(SUM(STOKHAR_TLTUTAR - STOKHAR_TOPLAMINDIRIM), 0), "
                           "COALESCE(SUM(STOKHAR_TLVERGI), 0), "
                           "COALESCE(SUM(STOKHAR_TLTUTAR - STOKHAR_TOPLAMINDIRIM + STOKHAR_TLVERGI), 0) "
                           "FROM FATURASATIR WHERE IDNO = ?"),
            shape, {idno});
        for (int c = 0; c < alt.fieldCount(); ++c)
            alt.column(c).setDouble(0, Yuvarla(alt.column(c).doubleAt(0)));
    }
    call.returnTable(std::move(alt));
}

// The column names are the grid headers, Turkish letters and blanks included.
void Tahsilat(Call &call)
{
    call.returnTable(call.db.query(
        QStringLiteral(
            "SELECT TARIH, TURU, CINS, CASE WHEN VADE > 0 THEN VADE END, TUTAR, ACIKLAMA, EVRAKNO, REF, "
            "SAAT, KUR, KURTL, DOVIZTUTAR FROM TAHSILAT WHERE IDNO = ?"),
        QStringLiteral("Tarih:d, Türü:s50, Cins:s50, Vade:d, Tutar:f, Açıklama:s200, EvrakNo:s25, Ref:s50, "
                       "Saat:s10, Kur:s5, KurTL:f, Döviz Tutar:f"),
        {qint64(call.int32(0))}));
}

void SanalposSiranoVer(Call &call)
{
    call.returnInt(qint32(call.db.scalarInt(
        QStringLiteral("SELECT SIRANO FROM SANALPOS WHERE TAHSILATIDNO = ? ORDER BY SIRANO LIMIT 1"),
        {qint64(call.int32(0))}, 0)));
}

void SAnalPosPdfVer(Call &call)
{
    Statement st = call.db.prepare(QStringLiteral(
        "SELECT p.SIRANO, p.TARIH, p.KARTNO, p.KARTSAHIBI, p.BANKA, p.ONAYKODU, p.ISLEMNO, p.TAKSIT, "
        "p.TUTAR, "
        "c.CARIKOD, c.CARIADI, COALESCE(h.KUR, 'TL'), COALESCE(h.EVRAKNO, ''), COALESCE(h.ACIKLAMA, '') "
        "FROM SANALPOS p JOIN CARI c ON c.CARINO = p.CARINO "
        "LEFT JOIN TAHSILAT h ON h.IDNO = p.TAHSILATIDNO WHERE p.SIRANO = ?"));
    st.bindAll({qint64(call.int32(0))});
    if (!st.step()) {
        call.returnStream(QByteArray());
        return;
    }
    media::ReceiptContent content;
    const QString islemNo = st.text(6).trimmed();
    content.receiptNo = islemNo.isEmpty() ? QString::number(st.int64(0)) : islemNo;
    content.issuedAt = fromOleDate(st.real(1));
    content.cardNumber = st.text(2);
    content.cardHolder = st.text(3);
    content.bank = st.text(4);
    content.authorisationCode = st.text(5);
    content.installments = std::max(1, int(st.int64(7)));
    content.amountKurus = std::llround(Yuvarla(st.real(8)) * 100);
    content.customerCode = st.text(9);
    content.customerName = st.text(10);
    if (!st.text(11).trimmed().isEmpty())
        content.currency = st.text(11).trimmed();
    const QString evrak = st.text(12).trimmed(), aciklama = st.text(13).trimmed();
    content.note = !aciklama.isEmpty() ? aciklama
                   : !evrak.isEmpty()  ? QStringLiteral("Tahsilat makbuzu ") + evrak
                                       : QString();
    call.returnStream(media::cardPaymentReceipt(content));
}

// The payment page gets this verbatim in its address, unencoded, so it holds
// no blanks, "&" or "#": "12345,67B" (owes us), "12345,67A" (in credit), "0,00".
void CariDurumVer(Call &call)
{
    const double bakiye = cariBakiye(call.db, call.int32(0));
    const qint64 kurus = std::llround(std::fabs(bakiye) * 100);
    QString metin = QString::number(kurus / 100) + QLatin1Char(',') +
                    QStringLiteral("%1").arg(kurus % 100, 2, 10, QLatin1Char('0'));
    if (kurus != 0)
        metin += bakiye > 0 ? QLatin1Char('B') : QLatin1Char('A');
    call.returnText(metin);
}

} // namespace

void registerAccountOperations(Registry &r)
{
    r.insert(QStringLiteral("CariEkstreVer"), &CariEkstreVer);
    r.insert(QStringLiteral("FaturaGetir"), &FaturaGetir);
    r.insert(QStringLiteral("FaturaAltGetir"), &FaturaAltGetir);
    r.insert(QStringLiteral("Tahsilat"), &Tahsilat);
    r.insert(QStringLiteral("SanalposSiranoVer"), &SanalposSiranoVer);
    r.insert(QStringLiteral("SAnalPosPdfVer"), &SAnalPosPdfVer);
    r.insert(QStringLiteral("CariDurumVer"), &CariDurumVer);
}

} // namespace zelvora::server
