#include "server/storage/schema.h"

#include "server/storage/db.h"

#include <QStringList>

namespace zelvora::server {

namespace {

// Dates and times are OLE automation dates (days since 1899-12-30) kept as
// floating point, the form the tables carry them on the wire. Money, rates and
// quantities are DOUBLE PRECISION rather than REAL: SQLite treats both the same,
// but PostgreSQL's REAL has only six digits, too few for a price in kuruş.
// Text columns default to '' so a grid never shows a null where the old
// program showed an empty cell.
const char *const tables[] = {
    // Catalogue. IND1..IND4 are the item's own standard discounts in percent;
    // KAMPFIYAT is above 0 only for campaign items (K = 1).
    R"(CREATE TABLE IF NOT EXISTS STOK (
        STOKNO INTEGER PRIMARY KEY,
        BARKOD TEXT NOT NULL,
        BARKOD_BARKODNO INTEGER NOT NULL DEFAULT 0,
        ADI TEXT NOT NULL DEFAULT '',
        DIGERADI TEXT NOT NULL DEFAULT '',
        OEM1 TEXT NOT NULL DEFAULT '',
        OEM2 TEXT NOT NULL DEFAULT '',
        OEM3 TEXT NOT NULL DEFAULT '',
        OEM4 TEXT NOT NULL DEFAULT '',
        OEMNO TEXT NOT NULL DEFAULT '',
        URETICIKODU TEXT NOT NULL DEFAULT '',
        FINISHKOD TEXT NOT NULL DEFAULT '',
        DPKOD TEXT NOT NULL DEFAULT '',
        PKOD TEXT NOT NULL DEFAULT '',
        MARKA TEXT NOT NULL DEFAULT '',
        MODEL TEXT NOT NULL DEFAULT '',
        ANAGRUP TEXT NOT NULL DEFAULT '',
        ALTGRUP TEXT NOT NULL DEFAULT '',
        OZELKOD TEXT NOT NULL DEFAULT '',
        DEPARTMAN TEXT NOT NULL DEFAULT '',
        BIRIM TEXT NOT NULL DEFAULT 'ADET',
        KDV DOUBLE PRECISION NOT NULL DEFAULT 20,
        LISTEFIYAT1 DOUBLE PRECISION NOT NULL DEFAULT 0,
        KAMPFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        IND1 DOUBLE PRECISION NOT NULL DEFAULT 0,
        IND2 DOUBLE PRECISION NOT NULL DEFAULT 0,
        IND3 DOUBLE PRECISION NOT NULL DEFAULT 0,
        IND4 DOUBLE PRECISION NOT NULL DEFAULT 0,
        DURUM INTEGER NOT NULL DEFAULT 0,
        KALAN DOUBLE PRECISION NOT NULL DEFAULT 0,
        ALINANSIPARIS DOUBLE PRECISION NOT NULL DEFAULT 0,
        VERILENSIPARIS DOUBLE PRECISION NOT NULL DEFAULT 0,
        Y INTEGER NOT NULL DEFAULT 0,
        K INTEGER NOT NULL DEFAULT 0,
        RESIM INTEGER NOT NULL DEFAULT 0,
        GIRISTARIHI DOUBLE PRECISION NOT NULL DEFAULT 0
    ))",
    R"(CREATE TABLE IF NOT EXISTS SATICI (
        SATICINO INTEGER PRIMARY KEY,
        SATICIADI TEXT NOT NULL,
        TELEFON TEXT NOT NULL DEFAULT '',
        EMAIL TEXT NOT NULL DEFAULT '',
        TIPI INTEGER NOT NULL DEFAULT 1
    ))",
    // INDIRIM and EKINDIRIM are the customer's own discounts in percent; they
    // fill the item's third and fourth discount when the item leaves them 0.
    R"(CREATE TABLE IF NOT EXISTS CARI (
        CARINO INTEGER PRIMARY KEY,
        CARIKOD TEXT NOT NULL,
        CARIADI TEXT NOT NULL,
        ADRES1 TEXT NOT NULL DEFAULT '',
        ADRES2 TEXT NOT NULL DEFAULT '',
        ILCE TEXT NOT NULL DEFAULT '',
        IL TEXT NOT NULL DEFAULT '',
        ULKE TEXT NOT NULL DEFAULT '',
        TEL1 TEXT NOT NULL DEFAULT '',
        TEL2 TEXT NOT NULL DEFAULT '',
        FAX1 TEXT NOT NULL DEFAULT '',
        FAX2 TEXT NOT NULL DEFAULT '',
        GSM TEXT NOT NULL DEFAULT '',
        EMAIL TEXT NOT NULL DEFAULT '',
        VERGIDAIRESI TEXT NOT NULL DEFAULT '',
        VERGINO TEXT NOT NULL DEFAULT '',
        YETKILI TEXT NOT NULL DEFAULT '',
        ANAGRUP TEXT NOT NULL DEFAULT '',
        ALTGRUP TEXT NOT NULL DEFAULT '',
        OZELKOD TEXT NOT NULL DEFAULT '',
        KOD1 TEXT NOT NULL DEFAULT '',
        KOD2 TEXT NOT NULL DEFAULT '',
        KOD3 TEXT NOT NULL DEFAULT '',
        KOD4 TEXT NOT NULL DEFAULT '',
        KOD5 TEXT NOT NULL DEFAULT '',
        INDIRIM DOUBLE PRECISION NOT NULL DEFAULT 0,
        EKINDIRIM DOUBLE PRECISION NOT NULL DEFAULT 0,
        VADE INTEGER NOT NULL DEFAULT 0,
        VADEKONTROLGUN INTEGER NOT NULL DEFAULT 0,
        VADEKONTROLAY INTEGER NOT NULL DEFAULT 0,
        SATICINO INTEGER REFERENCES SATICI (SATICINO)
    ))",
    // One row per workstation a person logs in from: the workstation is what
    // identifies the login, so the same ADI may appear on several rows.
    R"(CREATE TABLE IF NOT EXISTS KULLANICI (
        SIRANO INTEGER PRIMARY KEY,
        ADI TEXT NOT NULL,
        SIFRE TEXT NOT NULL,
        AKTIF INTEGER NOT NULL DEFAULT 1,
        MUSTERITIPI INTEGER NOT NULL DEFAULT 0,
        MAIL TEXT NOT NULL DEFAULT '',
        CARINO INTEGER REFERENCES CARI (CARINO),
        SATICINO INTEGER REFERENCES SATICI (SATICINO),
        BILGISAYARID TEXT
    ))",
    // The basket keeps the amounts it was computed with, so the totals a
    // dealer saw are the totals that become the order.
    R"(CREATE TABLE IF NOT EXISTS SEPET (
        SIRANO INTEGER PRIMARY KEY,
        CARINO INTEGER NOT NULL REFERENCES CARI (CARINO),
        STOKNO INTEGER NOT NULL REFERENCES STOK (STOKNO),
        BARKOD TEXT NOT NULL DEFAULT '',
        STOKADI TEXT NOT NULL DEFAULT '',
        MIKTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        BIRIMFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        ILKFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMORANI1 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMORANI2 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMORANI3 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMORANI4 DOUBLE PRECISION NOT NULL DEFAULT 0,
        KDV DOUBLE PRECISION NOT NULL DEFAULT 0,
        TUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        NETBIRIMFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        VERGITUTARI DOUBLE PRECISION NOT NULL DEFAULT 0,
        NETTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMYAZI TEXT NOT NULL DEFAULT '',
        SEC INTEGER NOT NULL DEFAULT 0,
        K INTEGER NOT NULL DEFAULT 0,
        VEREN TEXT NOT NULL DEFAULT '',
        VERENIDNO INTEGER NOT NULL DEFAULT 0,
        VERILISTARIHI DOUBLE PRECISION NOT NULL DEFAULT 0,
        TARIH DOUBLE PRECISION NOT NULL DEFAULT 0,
        SAAT TEXT NOT NULL DEFAULT '',
        KUR TEXT NOT NULL DEFAULT 'TL',
        KURTL DOUBLE PRECISION NOT NULL DEFAULT 1
    ))",
    R"(CREATE TABLE IF NOT EXISTS TESLIMCINSI (
        TESLIMID INTEGER PRIMARY KEY,
        ADI TEXT NOT NULL
    ))",
    R"(CREATE TABLE IF NOT EXISTS KARGOCINSI (
        KARGOID INTEGER PRIMARY KEY,
        ADI TEXT NOT NULL
    ))",
    R"(CREATE TABLE IF NOT EXISTS KARGOFIRMA (
        SIRANO INTEGER PRIMARY KEY,
        ADI TEXT NOT NULL,
        UYARI TEXT NOT NULL DEFAULT '',
        KARGOID INTEGER NOT NULL REFERENCES KARGOCINSI (KARGOID)
    ))",
    // DURUM is the status text as lists show it, DURUMKODU the same status as a
    // number (see SiparisDurumu); both are written together.
    R"(CREATE TABLE IF NOT EXISTS SIPARIS (
        IDNO INTEGER PRIMARY KEY,
        CARINO INTEGER NOT NULL REFERENCES CARI (CARINO),
        TARIH DOUBLE PRECISION NOT NULL,
        SAAT TEXT NOT NULL DEFAULT '',
        DURUM TEXT NOT NULL,
        DURUMKODU INTEGER NOT NULL,
        TESLIMID INTEGER REFERENCES TESLIMCINSI (TESLIMID),
        KARGOID INTEGER REFERENCES KARGOCINSI (KARGOID),
        KARGOFIRMANO INTEGER REFERENCES KARGOFIRMA (SIRANO),
        VERENINNOTU TEXT NOT NULL DEFAULT '',
        ALANNOTU TEXT NOT NULL DEFAULT '',
        SATICINOTU TEXT NOT NULL DEFAULT '',
        VEREN TEXT NOT NULL DEFAULT '',
        VERENIDNO INTEGER NOT NULL DEFAULT 0,
        SATICINO INTEGER REFERENCES SATICI (SATICINO),
        KUR TEXT NOT NULL DEFAULT 'TL',
        KURTL DOUBLE PRECISION NOT NULL DEFAULT 1
    ))",
    // KALAN is the open balance of the line. It starts as MIKTAR - TESLIMEDILEN
    // but is kept on its own, because a balance can be closed or changed
    // without anything being delivered.
    R"(CREATE TABLE IF NOT EXISTS SIPARISSATIR (
        STOKHAR_NO INTEGER PRIMARY KEY,
        IDNO INTEGER NOT NULL REFERENCES SIPARIS (IDNO) ON DELETE CASCADE,
        SIRANO INTEGER NOT NULL DEFAULT 0,
        CARINO INTEGER NOT NULL REFERENCES CARI (CARINO),
        STOKNO INTEGER NOT NULL REFERENCES STOK (STOKNO),
        BARKOD TEXT NOT NULL DEFAULT '',
        STOKADI TEXT NOT NULL DEFAULT '',
        MIKTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        TESLIMEDILEN DOUBLE PRECISION NOT NULL DEFAULT 0,
        KALAN DOUBLE PRECISION NOT NULL DEFAULT 0,
        BIRIMFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        ILKFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMORANI1 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMORANI2 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMORANI3 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMORANI4 DOUBLE PRECISION NOT NULL DEFAULT 0,
        KDV DOUBLE PRECISION NOT NULL DEFAULT 0,
        TUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        NETBIRIMFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        VERGITUTARI DOUBLE PRECISION NOT NULL DEFAULT 0,
        NETTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIMYAZI TEXT NOT NULL DEFAULT '',
        K INTEGER NOT NULL DEFAULT 0,
        VEREN TEXT NOT NULL DEFAULT '',
        VERENIDNO INTEGER NOT NULL DEFAULT 0,
        VERILISTARIHI DOUBLE PRECISION NOT NULL DEFAULT 0,
        SAAT TEXT NOT NULL DEFAULT '',
        KUR TEXT NOT NULL DEFAULT 'TL',
        KURTL DOUBLE PRECISION NOT NULL DEFAULT 1
    ))",
    R"(CREATE TABLE IF NOT EXISTS FATURA (
        IDNO INTEGER PRIMARY KEY,
        CARINO INTEGER NOT NULL REFERENCES CARI (CARINO),
        EVRAKNO TEXT NOT NULL,
        EVRAKSERI TEXT NOT NULL DEFAULT '',
        EVRAKSIRA INTEGER NOT NULL DEFAULT 0,
        TARIH DOUBLE PRECISION NOT NULL,
        SAAT TEXT NOT NULL DEFAULT '',
        TURU TEXT NOT NULL,
        VADE INTEGER NOT NULL DEFAULT 0,
        SATICINO INTEGER REFERENCES SATICI (SATICINO),
        SIPARISNO INTEGER,
        SIPARISTARIHI DOUBLE PRECISION,
        IRSALIYENO TEXT NOT NULL DEFAULT '',
        IRSALIYETARIHI DOUBLE PRECISION,
        IRSALIYETIPI TEXT NOT NULL DEFAULT '',
        KUR TEXT NOT NULL DEFAULT 'TL',
        KURTL DOUBLE PRECISION NOT NULL DEFAULT 1
    ))",
    R"(CREATE TABLE IF NOT EXISTS FATURASATIR (
        SIRANO INTEGER PRIMARY KEY,
        IDNO INTEGER NOT NULL REFERENCES FATURA (IDNO) ON DELETE CASCADE,
        STOKNO INTEGER NOT NULL REFERENCES STOK (STOKNO),
        STOKHAR_MIKTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_TLBIRIMFIYATI DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_TLTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_INDIRIM1 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_INDIRIM2 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_INDIRIM3 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_INDIRIM4 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_INDIRIM5 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_INDIRIM6 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_INDIRIM7 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_INDIRIM8 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_TOPLAMINDIRIM DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_MASRAF1 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_MASRAF2 DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_TOPLAMMASRAF DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_NETTLBIRIMFIYATI DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_NETTLTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        STOKHAR_TLVERGI DOUBLE PRECISION NOT NULL DEFAULT 0,
        KDV DOUBLE PRECISION NOT NULL DEFAULT 0,
        SATIRACIKLMASI TEXT NOT NULL DEFAULT ''
    ))",
    R"(CREATE TABLE IF NOT EXISTS FATURAALT (
        IDNO INTEGER PRIMARY KEY REFERENCES FATURA (IDNO) ON DELETE CASCADE,
        TOPLAM DOUBLE PRECISION NOT NULL DEFAULT 0,
        TOPLAMINDIRIM DOUBLE PRECISION NOT NULL DEFAULT 0,
        MATRAH DOUBLE PRECISION NOT NULL DEFAULT 0,
        KDVTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        KDVDAHIL DOUBLE PRECISION NOT NULL DEFAULT 0
    ))",
    // TURU is "Tahsilat" (we received) or "Tediye" (we paid); CINS how.
    R"(CREATE TABLE IF NOT EXISTS TAHSILAT (
        IDNO INTEGER PRIMARY KEY,
        CARINO INTEGER NOT NULL REFERENCES CARI (CARINO),
        TARIH DOUBLE PRECISION NOT NULL,
        SAAT TEXT NOT NULL DEFAULT '',
        TURU TEXT NOT NULL,
        CINS TEXT NOT NULL DEFAULT '',
        VADE DOUBLE PRECISION NOT NULL DEFAULT 0,
        TUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        DOVIZTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        KUR TEXT NOT NULL DEFAULT 'TL',
        KURTL DOUBLE PRECISION NOT NULL DEFAULT 1,
        ACIKLAMA TEXT NOT NULL DEFAULT '',
        EVRAKNO TEXT NOT NULL DEFAULT '',
        REF TEXT NOT NULL DEFAULT ''
    ))",
    // The receipt PDF is drawn from this row when asked for; only the masked
    // card number is ever kept.
    R"(CREATE TABLE IF NOT EXISTS SANALPOS (
        SIRANO INTEGER PRIMARY KEY,
        TAHSILATIDNO INTEGER NOT NULL REFERENCES TAHSILAT (IDNO) ON DELETE CASCADE,
        CARINO INTEGER NOT NULL REFERENCES CARI (CARINO),
        TARIH DOUBLE PRECISION NOT NULL,
        KARTNO TEXT NOT NULL DEFAULT '',
        KARTSAHIBI TEXT NOT NULL DEFAULT '',
        BANKA TEXT NOT NULL DEFAULT '',
        ONAYKODU TEXT NOT NULL DEFAULT '',
        ISLEMNO TEXT NOT NULL DEFAULT '',
        TAKSIT INTEGER NOT NULL DEFAULT 1,
        TUTAR DOUBLE PRECISION NOT NULL DEFAULT 0
    ))",
    // Account statement. IDNO points at the document behind the movement:
    // FATURA.IDNO when TURADI contains "Fatura", TAHSILAT.IDNO for "Tahsilat"
    // and "Tediye", 0 for a carried-over balance.
    R"(CREATE TABLE IF NOT EXISTS CARIHAREKET (
        SIRANO INTEGER PRIMARY KEY,
        CARINO INTEGER NOT NULL REFERENCES CARI (CARINO),
        TARIH DOUBLE PRECISION NOT NULL,
        VADETARIHI DOUBLE PRECISION NOT NULL DEFAULT 0,
        TURADI TEXT NOT NULL,
        EVRAK TEXT NOT NULL DEFAULT '',
        BORC DOUBLE PRECISION NOT NULL DEFAULT 0,
        ALACAK DOUBLE PRECISION NOT NULL DEFAULT 0,
        KUR TEXT NOT NULL DEFAULT 'TL',
        ACIKLAMA TEXT NOT NULL DEFAULT '',
        IDNO INTEGER NOT NULL DEFAULT 0
    ))",
    R"(CREATE TABLE IF NOT EXISTS STOKHAREKET (
        SIRANO INTEGER PRIMARY KEY,
        STOKNO INTEGER NOT NULL REFERENCES STOK (STOKNO),
        CARINO INTEGER NOT NULL REFERENCES CARI (CARINO),
        TARIH DOUBLE PRECISION NOT NULL,
        TURU TEXT NOT NULL,
        EVRAKSERI TEXT NOT NULL DEFAULT '',
        EVRAKSIRA INTEGER NOT NULL DEFAULT 0,
        MIKTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        TLBIRIMFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        TLTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIM1 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIM2 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIM3 DOUBLE PRECISION NOT NULL DEFAULT 0,
        INDIRIM4 DOUBLE PRECISION NOT NULL DEFAULT 0,
        TOPLAMINDIRIM DOUBLE PRECISION NOT NULL DEFAULT 0,
        NETBIRIMFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        NETTLTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        TLVERGI DOUBLE PRECISION NOT NULL DEFAULT 0,
        KDVDAHILBIRIMFIYAT DOUBLE PRECISION NOT NULL DEFAULT 0,
        KDVDAHILTUTAR DOUBLE PRECISION NOT NULL DEFAULT 0,
        VADE INTEGER NOT NULL DEFAULT 0,
        SATICINO INTEGER REFERENCES SATICI (SATICINO),
        FATURAIDNO INTEGER REFERENCES FATURA (IDNO) ON DELETE CASCADE
    ))",
    R"(CREATE TABLE IF NOT EXISTS YENISTOK (
        SIRA INTEGER PRIMARY KEY,
        STOKNO INTEGER NOT NULL REFERENCES STOK (STOKNO) ON DELETE CASCADE
    ))",
    R"(CREATE TABLE IF NOT EXISTS KAMPANYA (
        SIRA INTEGER PRIMARY KEY,
        STOKNO INTEGER NOT NULL REFERENCES STOK (STOKNO) ON DELETE CASCADE
    ))",
    // Announcements double as opening advertisements; their pictures are drawn
    // from SIRA and BASLIK when asked for.
    R"(CREATE TABLE IF NOT EXISTS DUYURU (
        SIRA INTEGER PRIMARY KEY,
        BASLIK TEXT NOT NULL DEFAULT '',
        ARAMA TEXT NOT NULL DEFAULT ''
    ))",
    R"(CREATE TABLE IF NOT EXISTS BANNER (
        SIRA INTEGER PRIMARY KEY,
        TUR TEXT NOT NULL,
        METIN TEXT NOT NULL DEFAULT ''
    ))",
    R"(CREATE TABLE IF NOT EXISTS KAYANYAZI (
        SIRA INTEGER PRIMARY KEY,
        METIN TEXT NOT NULL DEFAULT ''
    ))",
    R"(CREATE TABLE IF NOT EXISTS AYAR (
        ANAHTAR TEXT PRIMARY KEY,
        DEGER TEXT NOT NULL DEFAULT ''
    ))",
    // Password-change and mail-form requests exactly as the client sent them.
    R"(CREATE TABLE IF NOT EXISTS ISTEK (
        SIRANO INTEGER PRIMARY KEY,
        ZAMAN DOUBLE PRECISION NOT NULL,
        TUR TEXT NOT NULL,
        IDSI TEXT NOT NULL DEFAULT '',
        BASLIK TEXT NOT NULL DEFAULT '',
        FIRMAADI TEXT NOT NULL DEFAULT '',
        ADRES1 TEXT NOT NULL DEFAULT '',
        ADRES2 TEXT NOT NULL DEFAULT '',
        ILCE TEXT NOT NULL DEFAULT '',
        SEHIR TEXT NOT NULL DEFAULT '',
        TELEFON TEXT NOT NULL DEFAULT '',
        FAX TEXT NOT NULL DEFAULT '',
        VD TEXT NOT NULL DEFAULT '',
        VN TEXT NOT NULL DEFAULT '',
        YETKILI TEXT NOT NULL DEFAULT '',
        KULLANICIADI TEXT NOT NULL DEFAULT '',
        SIFRE TEXT NOT NULL DEFAULT '',
        MAIL TEXT NOT NULL DEFAULT '',
        KARGOAMBAR TEXT NOT NULL DEFAULT '',
        KONU TEXT NOT NULL DEFAULT ''
    ))",
    // Workstations that asked for a login and had none, newest last seen
    // first, so an operator can bind the one that just tried.
    R"(CREATE TABLE IF NOT EXISTS BILINMEYENBILGISAYAR (
        BILGISAYARID TEXT PRIMARY KEY,
        ILKGORULME DOUBLE PRECISION NOT NULL,
        SONGORULME DOUBLE PRECISION NOT NULL,
        SAYI INTEGER NOT NULL DEFAULT 1
    ))",
};

const char *const indexes[] = {
    "CREATE UNIQUE INDEX IF NOT EXISTS UX_STOK_BARKOD ON STOK (BARKOD)",
    "CREATE UNIQUE INDEX IF NOT EXISTS UX_CARI_CARIKOD ON CARI (CARIKOD)",
    "CREATE INDEX IF NOT EXISTS IX_CARI_SATICINO ON CARI (SATICINO)",
    "CREATE INDEX IF NOT EXISTS IX_KULLANICI_BILGISAYARID ON KULLANICI (BILGISAYARID)",
    // Unique only where a workstation is bound; unbound rows carry NULL or ''.
    ("CREATE UNIQUE INDEX IF NOT EXISTS UX_KULLANICI_BILGISAYARID ON KULLANICI (BILGISAYARID)"
     " WHERE BILGISAYARID IS NOT NULL AND BILGISAYARID <> ''"),
    "CREATE INDEX IF NOT EXISTS IX_KULLANICI_ADI ON KULLANICI (ADI)",
    "CREATE INDEX IF NOT EXISTS IX_KULLANICI_SATICINO ON KULLANICI (SATICINO)",
    "CREATE INDEX IF NOT EXISTS IX_SEPET_CARINO ON SEPET (CARINO)",
    "CREATE UNIQUE INDEX IF NOT EXISTS UX_KARGOFIRMA_ADI ON KARGOFIRMA (ADI)",
    "CREATE INDEX IF NOT EXISTS IX_KARGOFIRMA_KARGOID ON KARGOFIRMA (KARGOID)",
    "CREATE INDEX IF NOT EXISTS IX_SIPARIS_CARINO_TARIH ON SIPARIS (CARINO, TARIH)",
    "CREATE INDEX IF NOT EXISTS IX_SIPARIS_TARIH ON SIPARIS (TARIH)",
    "CREATE INDEX IF NOT EXISTS IX_SIPARIS_DURUMKODU ON SIPARIS (DURUMKODU, CARINO)",
    "CREATE INDEX IF NOT EXISTS IX_SIPARISSATIR_IDNO ON SIPARISSATIR (IDNO)",
    "CREATE INDEX IF NOT EXISTS IX_SIPARISSATIR_STOKNO ON SIPARISSATIR (STOKNO)",
    "CREATE INDEX IF NOT EXISTS IX_SIPARISSATIR_CARINO_STOKNO ON SIPARISSATIR (CARINO, STOKNO)",
    "CREATE INDEX IF NOT EXISTS IX_FATURA_CARINO ON FATURA (CARINO, TARIH)",
    "CREATE INDEX IF NOT EXISTS IX_FATURASATIR_IDNO ON FATURASATIR (IDNO)",
    "CREATE INDEX IF NOT EXISTS IX_TAHSILAT_CARINO ON TAHSILAT (CARINO, TARIH)",
    "CREATE INDEX IF NOT EXISTS IX_SANALPOS_TAHSILATIDNO ON SANALPOS (TAHSILATIDNO)",
    "CREATE INDEX IF NOT EXISTS IX_CARIHAREKET_CARINO_TARIH ON CARIHAREKET (CARINO, TARIH)",
    "CREATE INDEX IF NOT EXISTS IX_STOKHAREKET_STOKNO_CARINO ON STOKHAREKET (STOKNO, CARINO, TARIH)",
    "CREATE INDEX IF NOT EXISTS IX_STOKHAREKET_TARIH ON STOKHAREKET (TARIH)",
    "CREATE INDEX IF NOT EXISTS IX_STOKHAREKET_FATURAIDNO ON STOKHAREKET (FATURAIDNO)",
    "CREATE UNIQUE INDEX IF NOT EXISTS UX_YENISTOK_STOKNO ON YENISTOK (STOKNO)",
    "CREATE UNIQUE INDEX IF NOT EXISTS UX_KAMPANYA_STOKNO ON KAMPANYA (STOKNO)",
};

constexpr int currentSchemaVersion = 1;

const char *const searchColumns =
    "BARKOD, OEM1, OEM2, OEM3, OEM4, OEMNO, URETICIKODU, FINISHKOD, ADI, DIGERADI";

// The index row of one item, from a statement that selected STOKNO and then
// the searchable columns in the order of searchColumns.
struct SearchRow
{
    QString kod, oem, uretici, finish, adlar, sade;
};

void appendWord(QString &to, QStringView word)
{
    if (word.isEmpty())
        return;
    if (!to.isEmpty())
        to += QLatin1Char(' ');
    to += word;
}

SearchRow searchRow(const Statement &st)
{
    SearchRow r;
    r.kod = foldSearchText(st.text(1));
    QStringList oems;
    for (int c = 2; c <= 6; ++c) {
        const QString oem = foldSearchText(st.text(c));
        // OEMNO usually repeats OEM1; one copy is enough to be found.
        if (!oem.isEmpty() && !oems.contains(oem))
            oems << oem;
    }
    r.oem = oems.join(QLatin1Char(' '));
    r.uretici = foldSearchText(st.text(7));
    r.finish = foldSearchText(st.text(8));
    appendWord(r.adlar, foldSearchText(st.text(9)));
    appendWord(r.adlar, foldSearchText(st.text(10)));
    QStringList compacts;
    for (int c = 1; c <= 8; ++c) {
        const QString compact = compactSearchText(st.text(c));
        // A code without blanks or punctuation is already searchable as it is.
        if (compact.size() >= 3 && compact != foldSearchText(st.text(c)) && !compacts.contains(compact))
            compacts << compact;
    }
    r.sade = compacts.join(QLatin1Char(' '));
    return r;
}

void insertSearchRow(Statement &insert, qint64 stokNo, const SearchRow &r)
{
    insert.reset();
    insert.bindAll({stokNo, r.kod, r.oem, r.uretici, r.finish, r.adlar, r.sade});
    insert.step();
}

QString insertSearchSql()
{
    return QStringLiteral(
        "INSERT INTO STOK_ARA (rowid, KOD, OEM, URETICI, FINISH, ADLAR, SADE) VALUES (?, ?, ?, ?, ?, ?, ?)");
}

QString phrase(QStringView text)
{
    QString quoted = text.toString();
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

int schemaVersion()
{
    return currentSchemaVersion;
}

void createSchema(Db &db)
{
    Transaction tx(db);
    for (const char *sql : tables)
        db.exec(QString::fromUtf8(sql));
    for (const char *sql : indexes)
        db.exec(QString::fromUtf8(sql));
    createSearchIndex(db);

    const QString version = QString::number(currentSchemaVersion);
    db.execute(QStringLiteral("UPDATE AYAR SET DEGER = ? WHERE ANAHTAR = ?"),
               {version, QStringLiteral("SEMA")});
    if (db.changes() == 0)
        db.execute(QStringLiteral("INSERT INTO AYAR (ANAHTAR, DEGER) VALUES (?, ?)"),
                   {QStringLiteral("SEMA"), version});
    tx.commit();
}

QString siparisDurumMetni(int durumKodu)
{
    switch (SiparisDurumu(durumKodu)) {
    case SiparisDurumu::Alindi:
        return QStringLiteral("Alındı");
    case SiparisDurumu::Onaylandi:
        return QStringLiteral("Onaylandı");
    case SiparisDurumu::Goruldu:
        return QStringLiteral("Görüldü");
    case SiparisDurumu::ParcaliHazirlandi:
        return QStringLiteral("Parçalı Hazırlandı");
    case SiparisDurumu::Hazirlandi:
        return QStringLiteral("Hazırlandı");
    case SiparisDurumu::SevkEdildi:
        return QStringLiteral("Sevk Edildi");
    }
    return QString();
}

// ---------------------------------------------------------------- search

void createSearchIndex(Db &db)
{
    // Trigrams answer any substring of three or more characters, which is how
    // dealers search: a piece of an OEM number, the middle of a name.
    db.exec(QStringLiteral("CREATE VIRTUAL TABLE IF NOT EXISTS STOK_ARA USING fts5("
                           "KOD, OEM, URETICI, FINISH, ADLAR, SADE, tokenize = 'trigram')"));
}

void rebuildSearchIndex(Db &db)
{
    db.exec(QStringLiteral("DELETE FROM STOK_ARA"));
    Statement select = db.prepare(QStringLiteral("SELECT STOKNO, ") + QLatin1String(searchColumns) +
                                  QStringLiteral(" FROM STOK ORDER BY STOKNO"));
    Statement insert = db.prepare(insertSearchSql());
    while (select.step())
        insertSearchRow(insert, select.int64(0), searchRow(select));
}

void updateSearchIndex(Db &db, qint64 stokNo)
{
    db.execute(QStringLiteral("DELETE FROM STOK_ARA WHERE rowid = ?"), {stokNo});
    Statement select = db.prepare(QStringLiteral("SELECT STOKNO, ") + QLatin1String(searchColumns) +
                                  QStringLiteral(" FROM STOK WHERE STOKNO = ?"));
    select.bindAll({stokNo});
    if (!select.step())
        return;
    Statement insert = db.prepare(insertSearchSql());
    insertSearchRow(insert, stokNo, searchRow(select));
}

QString foldSearchText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80) {
            out += (c >= u'a' && c <= u'z') ? QChar(char16_t(c - 0x20)) : ch;
            continue;
        }
        switch (c) {
        case u'ç':
        case u'Ç':
            out += QLatin1Char('C');
            break;
        case u'ğ':
        case u'Ğ':
            out += QLatin1Char('G');
            break;
        case u'ı':
        case u'İ':
        case u'î':
        case u'Î':
            out += QLatin1Char('I');
            break;
        case u'ö':
        case u'Ö':
            out += QLatin1Char('O');
            break;
        case u'ş':
        case u'Ş':
            out += QLatin1Char('S');
            break;
        case u'ü':
        case u'Ü':
        case u'û':
        case u'Û':
            out += QLatin1Char('U');
            break;
        case u'â':
        case u'Â':
            out += QLatin1Char('A');
            break;
        default:
            out += ch.toUpper();
            break;
        }
    }
    return out;
}

QString compactSearchText(QStringView text)
{
    const QString folded = foldSearchText(text);
    QString out;
    out.reserve(folded.size());
    for (const QChar ch : folded) {
        if (ch.isLetterOrNumber())
            out += ch;
    }
    return out;
}

QString searchMatchExpression(QStringView typed)
{
    const QString folded = foldSearchText(typed).simplified();
    QStringList alternatives;
    if (folded.size() >= 3)
        alternatives << phrase(folded);

    // Words in any order: "BALATA DOBLO" should find "ÖN FREN BALATASI DOBLO".
    QStringList words;
    for (const QStringView word : QStringView(folded).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.size() >= 3)
            words << phrase(word);
    }
    if (words.size() > 1)
        alternatives << QLatin1Char('(') + words.join(QLatin1String(" AND ")) + QLatin1Char(')');

    const QString compact = compactSearchText(folded);
    if (compact.size() >= 3 && compact != folded)
        alternatives << phrase(compact);

    return alternatives.join(QLatin1String(" OR "));
}

} // namespace zelvora::server
