#include "server/demo/demodata.h"
#include "server/storage/db.h"
#include "server/storage/schema.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zelvora::server;

namespace {

// A fixed day, so that fills made on different days compare equal.
const QDate demoToday(2026, 12, 11);

DemoOptions smallOptions(quint32 seed = DemoOptions().seed)
{
    DemoOptions o;
    o.items = 500;
    o.seed = seed;
    o.today = demoToday;
    return o;
}

std::unique_ptr<Db> filledStore(const QTemporaryDir &dir, const QString &name, const DemoOptions &options)
{
    auto db = Db::open(dir.filePath(name));
    createSchema(*db);
    fillDemoData(*db, options);
    return db;
}

// Every column of every row, in key order, through one hash.
QByteArray checksum(Db &db, const QString &table, const QString &key)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    Statement st = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(table, key));
    while (st.step()) {
        for (int c = 0; c < st.columnCount(); ++c) {
            const std::string_view v = st.utf8(c);
            hash.addData(QByteArrayView(v.data(), qsizetype(v.size())));
            hash.addData(QByteArrayView("\x1f", 1));
        }
        hash.addData(QByteArrayView("\x1e", 1));
    }
    return hash.result().toHex();
}

} // namespace

class tst_DemoData : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sameSeedGivesSameData();
    void otherSeedGivesOtherData();
    void schemaIsIdempotent();
    void refusesFilledStore();
    void catalogue();
    void logins();
    void orders();
    void baskets();
    void statementDocuments();
    void lookupsAndPromotions();
    void folding();
    void searchFindsOemFragment();
    void searchFindsTurkishName();
    void searchIndexFollowsChanges();
    void fullSizeFill();

private:
    qint64 count(const QString &sql, SqlValues values = {}) { return m_db->scalarInt(sql, values); }

    QTemporaryDir m_dir;
    std::unique_ptr<Db> m_db;
};

void tst_DemoData::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_db = filledStore(m_dir, QStringLiteral("demo.db"), smallOptions());
}

void tst_DemoData::sameSeedGivesSameData()
{
    auto again = filledStore(m_dir, QStringLiteral("again.db"), smallOptions());
    const struct
    {
        const char *table;
        const char *key;
    } tables[] = {{"STOK", "STOKNO"},        {"CARI", "CARINO"},
                  {"SEPET", "SIRANO"},       {"SIPARISSATIR", "STOKHAR_NO"},
                  {"CARIHAREKET", "SIRANO"}, {"SANALPOS", "SIRANO"}};
    for (const auto &t : tables) {
        const QString table = QLatin1String(t.table);
        const QString key = QLatin1String(t.key);
        QCOMPARE(checksum(*again, table, key), checksum(*m_db, table, key));
    }
}

void tst_DemoData::otherSeedGivesOtherData()
{
    auto other = filledStore(m_dir, QStringLiteral("other.db"), smallOptions(7));
    QVERIFY(checksum(*other, QStringLiteral("STOK"), QStringLiteral("STOKNO")) !=
            checksum(*m_db, QStringLiteral("STOK"), QStringLiteral("STOKNO")));
}

void tst_DemoData::schemaIsIdempotent()
{
    QVERIFY(schemaVersion() >= 1);
    createSchema(*m_db);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STOK")), 500);
    QCOMPARE(m_db->scalarText(QStringLiteral("SELECT DEGER FROM AYAR WHERE ANAHTAR = ?"),
                              {QStringLiteral("SEMA")}),
             QString::number(schemaVersion()));
}

void tst_DemoData::refusesFilledStore()
{
    QVERIFY_THROWS_EXCEPTION(DbError, fillDemoData(*m_db, smallOptions()));
}

void tst_DemoData::catalogue()
{
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STOK")), 500);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT BARKOD) FROM STOK")), 500);
    // Every availability status occurs.
    QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT DURUM) FROM STOK WHERE DURUM BETWEEN 0 AND 5")), 6);
    // Campaign items are exactly the campaign list, each cheaper than its list price.
    const qint64 campaign = count(QStringLiteral("SELECT COUNT(*) FROM KAMPANYA"));
    QVERIFY(campaign >= 30);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STOK WHERE K = 1")), campaign);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STOK S JOIN KAMPANYA K ON K.STOKNO = S.STOKNO "
                                  "WHERE S.K = 1 AND S.KAMPFIYAT > 0 AND S.KAMPFIYAT < S.LISTEFIYAT1")),
             campaign);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STOK WHERE K = 0 AND KAMPFIYAT <> 0")), 0);
    const qint64 fresh = count(QStringLiteral("SELECT COUNT(*) FROM YENISTOK"));
    QVERIFY(fresh >= 30);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STOK WHERE Y = 1")), fresh);
    // About seven in ten have a picture; most are taxed at 20 %.
    const qint64 pictures = count(QStringLiteral("SELECT COUNT(*) FROM STOK WHERE RESIM = 1"));
    QVERIFY2(pictures > 300 && pictures < 400, qPrintable(QString::number(pictures)));
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM STOK WHERE KDV = 20")) > 450);
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM STOK WHERE LISTEFIYAT1 <= 0 OR ADI = '' OR MARKA = ''")),
        0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM STOK_ARA")), 500);
}

void tst_DemoData::logins()
{
    const QList<DemoLogin> logins = demoLogins();
    const QRegularExpression allowed(QStringLiteral("^[A-Z0-9]+$"));
    QSet<int> kinds;
    QSet<qint64> dealerAccounts;
    for (const DemoLogin &l : logins) {
        QVERIFY2(allowed.match(l.user).hasMatch(), qPrintable(l.user));
        QVERIFY2(allowed.match(l.password).hasMatch(), qPrintable(l.password));
        QCOMPARE(count(QStringLiteral(
                           "SELECT COUNT(*) FROM KULLANICI WHERE ADI = ? AND SIFRE = ? AND MUSTERITIPI = ? "
                           "AND AKTIF = ? AND BILGISAYARID = ?"),
                       {l.user, l.password, qint64(l.kind), qint64(l.active ? 1 : 0), l.workstation}),
                 1);
        if (!l.active)
            continue;
        kinds.insert(l.kind);
        if (l.kind == 1 || l.kind == 2) {
            QCOMPARE(l.carino, 0);
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SATICI WHERE SATICINO = ? AND TIPI = ?"),
                           {qint64(l.saticiNo), qint64(l.kind)}),
                     1);
        } else {
            QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CARI WHERE CARINO = ? AND SATICINO = ?"),
                           {l.carino, qint64(l.saticiNo)}),
                     1);
            if (l.kind != 3 && l.kind != 4)
                dealerAccounts.insert(l.carino);
        }
    }
    for (int kind : {1, 2, 3, 4})
        QVERIFY2(kinds.contains(kind), qPrintable(QString::number(kind)));
    QVERIFY(dealerAccounts.size() >= 6);

    const auto dealer = std::find_if(logins.begin(), logins.end(),
                                     [](const DemoLogin &l) { return l.user == demoDealerUser(); });
    QVERIFY(dealer != logins.end());
    QVERIFY(dealer->active);
    QVERIFY(dealer->carino > 0);

    // Representatives have customers of their own to pick from.
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM CARI WHERE SATICINO = 1")) >= 5);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM CARI")) >= 30);
}

void tst_DemoData::orders()
{
    for (int code = 1; code <= siparisDurumuSayisi; ++code) {
        QVERIFY2(count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS WHERE DURUMKODU = ? AND DURUM = ?"),
                       {qint64(code), siparisDurumMetni(code)}) > 0,
                 qPrintable(siparisDurumMetni(code)));
    }
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS WHERE DURUMKODU NOT BETWEEN 1 AND 6")), 0);
    // The demo dealer alone has all six.
    QCOMPARE(count(QStringLiteral("SELECT COUNT(DISTINCT DURUMKODU) FROM SIPARIS WHERE CARINO = 1")), 6);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS O WHERE NOT EXISTS "
                                  "(SELECT 1 FROM SIPARISSATIR L WHERE L.IDNO = O.IDNO)")),
             0);
    // Open balances, some of them left over from a partial delivery.
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR WHERE KALAN > 0")) > 0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR WHERE TESLIMEDILEN > 0 AND KALAN > 0")) >
            0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR WHERE KALAN > MIKTAR - TESLIMEDILEN")),
             0);
    QCOMPARE(count(QStringLiteral(
                 "SELECT COUNT(*) FROM SIPARISSATIR WHERE ABS(TUTAR - INDIRIMTUTAR - NETTUTAR) > 0.005")),
             0);
}

void tst_DemoData::baskets()
{
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM SEPET WHERE SEC = 1")) > 0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM SEPET WHERE SEC = 0")) > 0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(DISTINCT CARINO) FROM SEPET")) >= 5);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM SEPET WHERE CARINO = 1 AND K = 1")) > 0);
    // One line per item in a basket.
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM (SELECT CARINO, STOKNO FROM SEPET "
                                  "GROUP BY CARINO, STOKNO HAVING COUNT(*) > 1) D")),
             0);
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM SEPET WHERE ABS(TUTAR - BIRIMFIYAT * MIKTAR) > 0.005")),
        0);

    // The customer's price: list price with the item's discounts, the
    // customer's own in third and fourth place where the item has none there;
    // campaign items at the campaign price and nothing off.
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM SEPET B JOIN STOK S ON S.STOKNO = B.STOKNO JOIN CARI C ON "
                             "C.CARINO = B.CARINO "
                             "WHERE B.K = 0 AND (B.BIRIMFIYAT <> S.LISTEFIYAT1 OR B.INDIRIMORANI1 <> S.IND1 "
                             "OR B.INDIRIMORANI2 <> S.IND2 "
                             "OR B.INDIRIMORANI3 <> CASE WHEN S.IND3 > 0 THEN S.IND3 ELSE C.INDIRIM END "
                             "OR B.INDIRIMORANI4 <> CASE WHEN S.IND4 > 0 THEN S.IND4 ELSE C.EKINDIRIM END)")),
        0);
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM SEPET B JOIN STOK S ON S.STOKNO = B.STOKNO WHERE B.K = 1 "
                             "AND (B.BIRIMFIYAT <> S.KAMPFIYAT OR B.INDIRIMORANI1 + B.INDIRIMORANI2 "
                             "+ B.INDIRIMORANI3 + B.INDIRIMORANI4 <> 0)")),
        0);
}

void tst_DemoData::statementDocuments()
{
    // An invoice on the statement with its lines and a footer that adds up.
    const qint64 invoice = count(QStringLiteral("SELECT H.IDNO FROM CARIHAREKET H JOIN FATURA F ON F.IDNO = "
                                                "H.IDNO JOIN FATURAALT A ON A.IDNO = F.IDNO "
                                                "WHERE H.TURADI = ? AND EXISTS (SELECT 1 FROM FATURASATIR S "
                                                "WHERE S.IDNO = F.IDNO) ORDER BY H.SIRANO"),
                                 {QStringLiteral("Satış Faturası")});
    QVERIFY(invoice > 0);
    QCOMPARE(count(QStringLiteral(
                 "SELECT COUNT(*) FROM FATURAALT WHERE ABS(MATRAH - (TOPLAM - TOPLAMINDIRIM)) > 0.005 "
                 "OR ABS(KDVDAHIL - (MATRAH + KDVTUTAR)) > 0.005")),
             0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM CARIHAREKET H JOIN FATURAALT A ON A.IDNO = H.IDNO "
                                  "WHERE H.TURADI = ? AND ABS(H.BORC - A.KDVDAHIL) > 0.005"),
                   {QStringLiteral("Satış Faturası")}),
             0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM CARIHAREKET WHERE TURADI = ?"),
                  {QStringLiteral("İade Faturası")}) > 0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM CARIHAREKET WHERE TURADI = ?"),
                  {QStringLiteral("Devir")}) > 0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM STOKHAREKET")) > 0);

    // Collections with and without a card payment behind them.
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM CARIHAREKET H JOIN TAHSILAT T ON T.IDNO = H.IDNO "
                                 "JOIN SANALPOS P ON P.TAHSILATIDNO = T.IDNO WHERE H.TURADI = ?"),
                  {QStringLiteral("Tahsilat")}) > 0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM TAHSILAT T WHERE NOT EXISTS "
                                 "(SELECT 1 FROM SANALPOS P WHERE P.TAHSILATIDNO = T.IDNO)")) > 0);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM SANALPOS P JOIN TAHSILAT T ON T.IDNO = P.TAHSILATIDNO "
                                 "WHERE T.CARINO = 1")) > 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SANALPOS WHERE KARTNO NOT LIKE '%****%'")), 0);
}

void tst_DemoData::lookupsAndPromotions()
{
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM TESLIMCINSI")) >= 2);
    QVERIFY(count(QStringLiteral("SELECT COUNT(*) FROM KARGOCINSI")) >= 2);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM KARGOCINSI C WHERE NOT EXISTS "
                                  "(SELECT 1 FROM KARGOFIRMA F WHERE F.KARGOID = C.KARGOID)")),
             0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM KARGOFIRMA WHERE UYARI = ''")), 0);
    const qint64 duyurular = count(QStringLiteral("SELECT COUNT(*) FROM DUYURU"));
    QVERIFY(duyurular >= 3 && duyurular <= 5);
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM DUYURU WHERE ARAMA = ?"), {QStringLiteral("#KAMPANYA#")}),
        1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM DUYURU WHERE ARAMA = ?"), {QStringLiteral("#YENİ#")}),
             1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM BANNER")), 3);
    QCOMPARE(m_db->scalarText(QStringLiteral("SELECT TUR FROM BANNER WHERE SIRA = 3")),
             QStringLiteral("bmp"));
    QVERIFY(!m_db->scalarText(QStringLiteral("SELECT METIN FROM KAYANYAZI")).trimmed().isEmpty());
    QCOMPARE(m_db->scalarText(QStringLiteral("SELECT DEGER FROM AYAR WHERE ANAHTAR = ?"),
                              {QStringLiteral("SURUM")}),
             QStringLiteral("6"));
}

void tst_DemoData::folding()
{
    QCOMPARE(foldSearchText(u"çğıİöşü ÇĞÖŞÜ abc"), QStringLiteral("CGIIOSU CGOSU ABC"));
    QCOMPARE(compactSearchText(u"0 986 494-12/3"), QStringLiteral("098649412"
                                                                  "3"));
    QCOMPARE(searchMatchExpression(u"  ab "), QString());
    QCOMPARE(searchMatchExpression(u"balata"), QStringLiteral("\"BALATA\""));
}

void tst_DemoData::searchFindsOemFragment()
{
    Statement st = m_db->prepare(QStringLiteral(
        "SELECT STOKNO, OEM1 FROM STOK WHERE LENGTH(OEM1) >= 8 ORDER BY STOKNO LIMIT 1 OFFSET 17"));
    QVERIFY(st.step());
    const qint64 stokNo = st.int64(0);
    const QString oem = st.text(1);
    const QString fragment = oem.mid(oem.size() / 2 - 1, 3);

    QList<qint64> found;
    Statement search = m_db->prepare(QStringLiteral("SELECT rowid FROM STOK_ARA WHERE STOK_ARA MATCH ?"));
    search.bindAll({searchMatchExpression(fragment)});
    while (search.step())
        found << search.int64(0);
    QVERIFY2(found.contains(stokNo), qPrintable(oem + QStringLiteral(" / ") + fragment));

    // The same number typed without its blanks and dashes.
    const QString compact = compactSearchText(oem);
    search.reset();
    search.bindAll({searchMatchExpression(compact)});
    found.clear();
    while (search.step())
        found << search.int64(0);
    QVERIFY2(found.contains(stokNo), qPrintable(compact));
}

void tst_DemoData::searchFindsTurkishName()
{
    const qint64 expected = count(QStringLiteral("SELECT COUNT(*) FROM STOK WHERE ADI LIKE ?"),
                                  {QStringLiteral("%FREN BALATASI%")});
    QVERIFY(expected > 0);
    // Typed in lower case with Turkish letters, as a dealer would.
    const qint64 found =
        count(QStringLiteral("SELECT COUNT(*) FROM STOK_ARA A JOIN STOK S ON S.STOKNO = A.rowid "
                             "WHERE STOK_ARA MATCH ? AND S.ADI LIKE ?"),
              {searchMatchExpression(u"fren balatası"), QStringLiteral("%FREN BALATASI%")});
    QCOMPARE(found, expected);
}

void tst_DemoData::searchIndexFollowsChanges()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto db = filledStore(dir, QStringLiteral("changes.db"), smallOptions());
    const auto hits = [&](const QString &typed) {
        return db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM STOK_ARA WHERE STOK_ARA MATCH ?"),
                             {searchMatchExpression(typed)});
    };
    const QString oldOem = db->scalarText(QStringLiteral("SELECT OEM1 FROM STOK WHERE STOKNO = 3"));
    QVERIFY(hits(oldOem) > 0);
    db->execute(QStringLiteral("UPDATE STOK SET OEM1 = ?, OEMNO = ? WHERE STOKNO = 3"),
                {QStringLiteral("ZQX-4711"), QStringLiteral("ZQX-4711")});
    updateSearchIndex(*db, 3);
    QCOMPARE(hits(QStringLiteral("zqx4711")), 1);
    QCOMPARE(
        db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM STOK_ARA WHERE STOK_ARA MATCH ? AND rowid = 3"),
                      {searchMatchExpression(oldOem)}),
        0);
    QCOMPARE(db->scalarInt(QStringLiteral("SELECT rowid FROM STOK_ARA WHERE STOK_ARA MATCH ?"),
                           {searchMatchExpression(u"QX-47")}),
             3);
    db->execute(QStringLiteral("DELETE FROM STOK_ARA WHERE rowid = 3"));
    QCOMPARE(hits(QStringLiteral("ZQX-4711")), 0);
    rebuildSearchIndex(*db);
    QCOMPARE(hits(QStringLiteral("ZQX-4711")), 1);
    QCOMPARE(db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM STOK_ARA")), 500);
}

void tst_DemoData::fullSizeFill()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto db = Db::open(dir.filePath(QStringLiteral("full.db")));
    createSchema(*db);
    DemoOptions options;
    options.today = demoToday;
    QElapsedTimer timer;
    timer.start();
    fillDemoData(*db, options);
    qInfo("demo fill of %d items took %lld ms", options.items, timer.elapsed());
    QCOMPARE(db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM STOK")), options.items);
    QCOMPARE(db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM STOK_ARA")), options.items);
}

QTEST_GUILESS_MAIN(tst_DemoData)
#include "tst_demodata.moc"
