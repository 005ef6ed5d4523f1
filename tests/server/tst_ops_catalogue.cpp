// The catalogue and promotion operations through the real client proxy
// against a real server: the stock search and its prices, item pictures, the
// new and campaign pages, item movements, announcements, banners and the
// start-up badges.
#include "server/demo/demodata.h"
#include "server/ops/pricing.h"
#include "server/storage/db.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "service/streamcopy.h"
#include "testserver.h"
#include "wire/errors.h"

#include <QSet>
#include <QStringList>
#include <QTest>

#include <cmath>
#include <memory>

using namespace zelvora;
using zelvora::server::Db;
using zelvora::server::Statement;
using zelvora::server::Yuvarla;

namespace {

// The columns the stock list reads, with their kinds.
struct Kolon
{
    const char *ad;
    FieldKind tur;
};

const Kolon stokKolonlari[] = {
    {"STOK_STOKNO", FieldKind::Integer},
    {"DURUM", FieldKind::Integer},
    {"OEM1", FieldKind::Text},
    {"OEM2", FieldKind::Text},
    {"OEM3", FieldKind::Text},
    {"OEM4", FieldKind::Text},
    {"BARKOD", FieldKind::Text},
    {"ADI", FieldKind::Text},
    {"FINISHKOD", FieldKind::Text},
    {"URETICIKODU", FieldKind::Text},
    {"RESIM", FieldKind::Integer},
    {"BARKOD_BARKODNO", FieldKind::Integer},
    {"DIGERADI", FieldKind::Text},
    {"DPKOD", FieldKind::Text},
    {"OEMNO", FieldKind::Text},
    {"BIRIM", FieldKind::Text},
    {"MARKA", FieldKind::Text},
    {"MODEL", FieldKind::Text},
    {"ANAGRUP", FieldKind::Text},
    {"OZELKOD", FieldKind::Text},
    {"KALAN", FieldKind::Float},
    {"PKOD", FieldKind::Text},
    {"KDV", FieldKind::Float},
    {"ALINANSIPARIS", FieldKind::Float},
    {"VERILENSIPARIS", FieldKind::Float},
    {"LISTEFIYAT1", FieldKind::Float},
    {"KAMPFIYAT", FieldKind::Float},
    {"FIYAT", FieldKind::Float},
    {"Y", FieldKind::Integer},
    {"K", FieldKind::Integer},
    {"INDIRIMYAZI", FieldKind::Text},
    {"NETFIYAT", FieldKind::Float},
    {"KDVDAHIL", FieldKind::Float},
    {"IND1", FieldKind::Float},
    {"IND2", FieldKind::Float},
    {"IND3", FieldKind::Float},
    {"IND4", FieldKind::Float},
};

QString ad(const char *s)
{
    return QString::fromLatin1(s);
}

double deger(Table &t, const char *kolon)
{
    return t.fieldByName(ad(kolon)).asFloat();
}

} // namespace

class TestOpsCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void searchHasStockListColumns_data();
    void searchHasStockListColumns();
    void oemFragmentFindsItem();
    void turkishFoldedSearch_data();
    void turkishFoldedSearch();
    void exactCodeComesFirst();
    void shortTextGivesEmptyTableWithColumns_data();
    void shortTextGivesEmptyTableWithColumns();
    void pricesFollowTheChain_data();
    void pricesFollowTheChain();
    void fleetLoginGetsNoCampaignPrices();

    void itemPicture_data();
    void itemPicture();

    void newItems();
    void campaignItems();
    void campaignPageEmptyForFleet_data();
    void campaignPageEmptyForFleet();
    void itemMovements();
    void badIdsGiveEmptyResults();

    void announcements();
    void advertisementsByPosition();
    void banners_data();
    void banners();
    void scrollingText();
    void badgesMatchPages_data();
    void badgesMatchPages();

private:
    std::unique_ptr<TSonucBilgisi> giris(const QString &kullanici) const;
    std::unique_ptr<Connection> baglan() const;
    Table ara(const QString &kod, const QString &kullanici);

    TestServer m_server{400};
    std::unique_ptr<Db> m_db;
    std::unique_ptr<Connection> m_conn;
    std::unique_ptr<TServerMethods1Client> m_client;
};

void TestOpsCatalogue::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    m_db = Db::open(m_server.databasePath());
    m_conn = baglan();
    m_client = std::make_unique<TServerMethods1Client>(m_conn.get());
}

std::unique_ptr<Connection> TestOpsCatalogue::baglan() const
{
    return m_server.openConnection();
}

// The login record as the client holds it after logging in.
std::unique_ptr<TSonucBilgisi> TestOpsCatalogue::giris(const QString &kullanici) const
{
    const QList<server::DemoLogin> girisler = server::demoLogins();
    for (qsizetype i = 0; i < girisler.size(); ++i) {
        const server::DemoLogin &g = girisler[i];
        if (g.user != kullanici)
            continue;
        auto b = std::make_unique<TSonucBilgisi>();
        b->setADI(g.user);
        b->setSIFRE(g.password);
        b->setSirano(qint32(i + 1));
        b->setCARINO(qint32(g.carino));
        b->setSaticiNo(g.saticiNo);
        b->setMusteriTipi(g.kind);
        b->setAKTIF(1);
        b->setVarmi(true);
        b->setVersion(6);
        b->setBILGISAYARID(g.workstation);
        b->setDisip(QStringLiteral("127.0.0.1"));
        return b;
    }
    qFatal("no demo login %s", qPrintable(kullanici));
}

Table TestOpsCatalogue::ara(const QString &kod, const QString &kullanici)
{
    return m_client->StokAraGetir(kod, giris(kullanici)).table();
}

// ---------------------------------------------------------------- search

void TestOpsCatalogue::searchHasStockListColumns_data()
{
    QTest::addColumn<QString>("kolon");
    QTest::addColumn<int>("tur");
    for (const Kolon &k : stokKolonlari)
        QTest::newRow(k.ad) << ad(k.ad) << int(k.tur);
}

void TestOpsCatalogue::searchHasStockListColumns()
{
    QFETCH(QString, kolon);
    QFETCH(int, tur);
    Table t = ara(QStringLiteral("BALATA"), QStringLiteral("DEMO"));
    QVERIFY(t.recordCount() > 0);
    QCOMPARE(t.fieldCount(), int(std::size(stokKolonlari)));
    QCOMPARE(int(t.fieldByName(kolon).kind()), tur);
}

void TestOpsCatalogue::oemFragmentFindsItem()
{
    Statement st = m_db->prepare(
        QStringLiteral("SELECT STOKNO, OEM1 FROM STOK WHERE LENGTH(OEM1) >= 6 ORDER BY STOKNO"));
    QVERIFY(st.step());
    const qint64 stokno = st.int64(0);
    // Three letters or digits from the middle of the number.
    QString parca;
    for (const QChar ch : st.text(1).mid(2)) {
        if (ch.isLetterOrNumber())
            parca += ch;
        if (parca.size() == 3)
            break;
    }
    QCOMPARE(parca.size(), 3);

    Table t = ara(parca, QStringLiteral("DEMO"));
    QVERIFY2(t.locate(QStringLiteral("STOK_STOKNO"), stokno), qPrintable(parca));
}

void TestOpsCatalogue::turkishFoldedSearch_data()
{
    QTest::addColumn<QString>("kod");
    QTest::newRow("client's plain upper case") << QStringLiteral("BALATA");
    QTest::newRow("with blanks around") << QStringLiteral("  BALATA ");
    QTest::newRow("Turkish lower case") << QStringLiteral("balatası");
    QTest::newRow("words in another order") << QStringLiteral("BALATASI FREN");
}

void TestOpsCatalogue::turkishFoldedSearch()
{
    QFETCH(QString, kod);
    QSet<qint64> beklenen;
    Statement st = m_db->prepare(QStringLiteral("SELECT STOKNO FROM STOK WHERE ADI LIKE ?"));
    st.bindAll({QStringLiteral("%FREN BALATASI%")});
    while (st.step())
        beklenen.insert(st.int64(0));
    QVERIFY(!beklenen.isEmpty());

    Table t = ara(kod, QStringLiteral("DEMO"));
    QSet<qint64> bulunan;
    for (t.first(); !t.eof(); t.next())
        bulunan.insert(t.fieldByName(QStringLiteral("STOK_STOKNO")).asInteger());
    QVERIFY2(bulunan.contains(beklenen),
             qPrintable(QStringLiteral("%1 of %2 found").arg(bulunan.size()).arg(beklenen.size())));
}

// The list is ordered by relevance: a whole item code puts that item on top.
void TestOpsCatalogue::exactCodeComesFirst()
{
    Statement st =
        m_db->prepare(QStringLiteral("SELECT STOKNO, BARKOD FROM STOK ORDER BY STOKNO LIMIT 1 OFFSET 17"));
    QVERIFY(st.step());
    Table t = ara(st.text(1), QStringLiteral("DEMO"));
    QVERIFY(t.recordCount() >= 1);
    t.first();
    QCOMPARE(qint64(t.fieldByName(QStringLiteral("STOK_STOKNO")).asInteger()), st.int64(0));
}

void TestOpsCatalogue::shortTextGivesEmptyTableWithColumns_data()
{
    QTest::addColumn<QString>("kod");
    QTest::newRow("empty") << QString();
    QTest::newRow("two letters") << QStringLiteral("BA");
    QTest::newRow("two letters in blanks") << QStringLiteral("  BA  ");
    QTest::newRow("blanks only") << QStringLiteral("     ");
}

void TestOpsCatalogue::shortTextGivesEmptyTableWithColumns()
{
    QFETCH(QString, kod);
    Table t = ara(kod, QStringLiteral("DEMO"));
    QCOMPARE(qint64(t.recordCount()), qint64(0));
    QCOMPARE(t.fieldCount(), int(std::size(stokKolonlari)));
    for (const Kolon &k : stokKolonlari)
        QCOMPARE(t.fieldByName(ad(k.ad)).kind(), k.tur);
}

void TestOpsCatalogue::pricesFollowTheChain_data()
{
    QTest::addColumn<QString>("kullanici");
    QTest::addColumn<bool>("kampanyaGorur");
    QTest::newRow("dealer with one discount") << QStringLiteral("DEMO") << true;
    QTest::newRow("dealer with two discounts") << QStringLiteral("KARTAL") << true;
    QTest::newRow("fleet") << QStringLiteral("MARMARA") << false;
}

void TestOpsCatalogue::pricesFollowTheChain()
{
    QFETCH(QString, kullanici);
    QFETCH(bool, kampanyaGorur);
    const auto login = giris(kullanici);
    Statement c = m_db->prepare(QStringLiteral("SELECT INDIRIM, EKINDIRIM FROM CARI WHERE CARINO = ?"));
    c.bindAll({qint64(login->CARINO())});
    QVERIFY(c.step());
    const double cariInd = c.real(0), cariEkInd = c.real(1);
    QVERIFY(cariInd > 0);

    Statement item =
        m_db->prepare(QStringLiteral("SELECT LISTEFIYAT1, KAMPFIYAT, K, IND1, IND2, IND3, IND4, KDV "
                                     "FROM STOK WHERE STOKNO = ?"));
    // A broad search that covers campaign and plain items alike.
    Table t = ara(QStringLiteral("FREN"), kullanici);
    QVERIFY(t.recordCount() > 10);
    int kampanyali = 0;
    for (t.first(); !t.eof(); t.next()) {
        const qint64 stokno = t.fieldByName(QStringLiteral("STOK_STOKNO")).asInteger();
        item.reset();
        item.bindAll({stokno});
        QVERIFY(item.step());

        // The chain the stock line dialog applies to the row's own values.
        double net = deger(t, "FIYAT");
        for (const char *ind : {"IND1", "IND2", "IND3", "IND4"}) {
            const double oran = deger(t, ind);
            if (oran > 0)
                net -= net * oran / 100;
        }
        QCOMPARE(deger(t, "NETFIYAT"), Yuvarla(net));
        QCOMPARE(deger(t, "KDVDAHIL"), Yuvarla(deger(t, "NETFIYAT") * (1 + deger(t, "KDV") / 100)));
        QCOMPARE(deger(t, "LISTEFIYAT1"), item.real(0));

        // And the shared per-customer pricing, field by field.
        const bool k = kampanyaGorur && item.int64(2) > 0 && item.real(1) > 0;
        const double itemInd[4] = {item.real(3), item.real(4), item.real(5), item.real(6)};
        const server::BirimFiyat b = server::birimFiyatHesapla(item.real(0), item.real(1), k, itemInd,
                                                               cariInd, cariEkInd, item.real(7));
        QCOMPARE(t.fieldByName(QStringLiteral("K")).asInteger(), k ? 1 : 0);
        QCOMPARE(deger(t, "KAMPFIYAT"), k ? item.real(1) : 0.0);
        QCOMPARE(deger(t, "FIYAT"), b.fiyat);
        QCOMPARE(deger(t, "IND1"), b.ind[0]);
        QCOMPARE(deger(t, "IND2"), b.ind[1]);
        QCOMPARE(deger(t, "IND3"), b.ind[2]);
        QCOMPARE(deger(t, "IND4"), b.ind[3]);
        QCOMPARE(deger(t, "NETFIYAT"), b.net);
        QCOMPARE(deger(t, "KDVDAHIL"), b.kdvDahil);
        QCOMPARE(t.fieldByName(QStringLiteral("INDIRIMYAZI")).asString(), b.indirimYazi);

        if (k) {
            ++kampanyali;
            // A campaign price is already net.
            QCOMPARE(deger(t, "FIYAT"), item.real(1));
            QCOMPARE(deger(t, "NETFIYAT"), Yuvarla(item.real(1)));
        } else {
            QCOMPARE(deger(t, "FIYAT"), item.real(0));
            // The customer's own discounts fill the item's empty third and fourth.
            QCOMPARE(deger(t, "IND3"), item.real(5) > 0 ? item.real(5) : cariInd);
            QCOMPARE(deger(t, "IND4"), item.real(6) > 0 ? item.real(6) : cariEkInd);
        }
    }
    QCOMPARE(kampanyali > 0, kampanyaGorur);
}

void TestOpsCatalogue::fleetLoginGetsNoCampaignPrices()
{
    Statement st = m_db->prepare(QStringLiteral("SELECT ST.STOKNO, ST.BARKOD, ST.LISTEFIYAT1, ST.KAMPFIYAT "
                                                "FROM KAMPANYA KA JOIN STOK ST ON ST.STOKNO = KA.STOKNO"
                                                " WHERE ST.K = 1 AND ST.KAMPFIYAT > 0 ORDER BY KA.SIRA"));
    QVERIFY(st.step());
    const qint64 stokno = st.int64(0);

    Table bayi = ara(st.text(1), QStringLiteral("DEMO"));
    QVERIFY(bayi.locate(QStringLiteral("STOK_STOKNO"), stokno));
    QCOMPARE(bayi.fieldByName(QStringLiteral("K")).asInteger(), 1);
    QCOMPARE(deger(bayi, "FIYAT"), st.real(3));
    QCOMPARE(deger(bayi, "KAMPFIYAT"), st.real(3));

    Table filo = ara(st.text(1), QStringLiteral("MARMARA"));
    QVERIFY(filo.locate(QStringLiteral("STOK_STOKNO"), stokno));
    QCOMPARE(filo.fieldByName(QStringLiteral("K")).asInteger(), 0);
    QCOMPARE(deger(filo, "KAMPFIYAT"), 0.0);
    QCOMPARE(deger(filo, "FIYAT"), st.real(2));
    QCOMPARE(deger(filo, "LISTEFIYAT1"), st.real(2));
}

// ---------------------------------------------------------------- pictures

void TestOpsCatalogue::itemPicture_data()
{
    QTest::addColumn<bool>("resimVar");
    QTest::newRow("item with picture") << true;
    QTest::newRow("item without picture") << false;
}

void TestOpsCatalogue::itemPicture()
{
    QFETCH(bool, resimVar);
    const qint64 stokno = m_db->scalarInt(QStringLiteral("SELECT MIN(STOKNO) FROM STOK WHERE RESIM = ?"),
                                          {qint64(resimVar ? 1 : 0)});
    QVERIFY(stokno > 0);

    qint64 boy = -1;
    QIODevice *akis = m_client->ResimVer5(qint32(stokno), boy);
    if (!resimVar) {
        QCOMPARE(boy, qint64(0));
        return;
    }
    QVERIFY(boy > 0);
    const std::optional<QByteArray> jpeg = CopyAnnouncedStream(akis, boy);
    QVERIFY(jpeg.has_value());
    QCOMPARE(qint64(jpeg->size()), boy);
    QVERIFY(jpeg->startsWith("\xFF\xD8"));

    // The same item gives the same bytes again.
    qint64 ikinciBoy = -1;
    QIODevice *ikinci = m_client->ResimVer5(qint32(stokno), ikinciBoy);
    QCOMPARE(CopyAnnouncedStream(ikinci, ikinciBoy).value_or(QByteArray()), *jpeg);
}

// ---------------------------------------------------------------- new and campaign items

void TestOpsCatalogue::newItems()
{
    const auto login = giris(QStringLiteral("DEMO"));
    Table t = m_client->YenilerVer2(login->CARINO()).table();

    QList<qint64> beklenen;
    Statement st = m_db->prepare(QStringLiteral("SELECT STOKNO FROM YENISTOK ORDER BY SIRA"));
    while (st.step())
        beklenen << st.int64(0);
    QVERIFY(!beklenen.isEmpty());
    QCOMPARE(qint64(t.recordCount()), qint64(beklenen.size()));

    QCOMPARE(t.fieldByName(QStringLiteral("INDIRIM")).kind(), FieldKind::Float);
    for (const char *kolon :
         {"STOK_STOKNO", "BARKOD", "ADI", "FINISHKOD", "MARKA", "MODEL", "KDV", "FIYAT", "K", "LISTEFIYAT1",
          "KAMPFIYAT", "INDIRIMYAZI", "NETFIYAT", "KDVDAHIL", "IND1", "IND2", "IND3", "IND4", "OEM1"})
        QVERIFY2(t.findField(ad(kolon)).isValid(), kolon);

    QList<qint64> gelen;
    for (t.first(); !t.eof(); t.next()) {
        gelen << t.fieldByName(QStringLiteral("STOK_STOKNO")).asInteger();
        QCOMPARE(deger(t, "KDVDAHIL"), Yuvarla(deger(t, "NETFIYAT") * (1 + deger(t, "KDV") / 100)));
        if (t.fieldByName(QStringLiteral("K")).asInteger() == 0) {
            // The total rate the chain amounts to.
            const double kalan = 100 * (1 - deger(t, "IND1") / 100) * (1 - deger(t, "IND2") / 100) *
                                 (1 - deger(t, "IND3") / 100) * (1 - deger(t, "IND4") / 100);
            QVERIFY(qAbs(deger(t, "INDIRIM") - (100 - kalan)) < 0.01);
        }
    }
    QCOMPARE(gelen, beklenen);
}

void TestOpsCatalogue::campaignItems()
{
    const auto login = giris(QStringLiteral("DEMO"));
    Table t = m_client->KampanyaliVer2(login->CARINO(), login->MusteriTipi()).table();
    const qint64 sayi = m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM KAMPANYA"));
    QVERIFY(sayi > 0);
    QCOMPARE(qint64(t.recordCount()), sayi);

    for (const char *kolon : {"ESKIFIYAT", "FIYAT", "INDIRIM", "NETFIYAT", "KDVDAHIL", "IND1", "KDV"})
        QCOMPARE(t.fieldByName(ad(kolon)).kind(), FieldKind::Float);
    for (const char *kolon : {"STOK_STOKNO", "K", "Y", "RESIM", "DURUM"})
        QCOMPARE(t.fieldByName(ad(kolon)).kind(), FieldKind::Integer);

    Statement item =
        m_db->prepare(QStringLiteral("SELECT LISTEFIYAT1, KAMPFIYAT FROM STOK WHERE STOKNO = ?"));
    for (t.first(); !t.eof(); t.next()) {
        QCOMPARE(t.fieldByName(QStringLiteral("K")).asInteger(), 1);
        item.reset();
        item.bindAll({qint64(t.fieldByName(QStringLiteral("STOK_STOKNO")).asInteger())});
        QVERIFY(item.step());
        QCOMPARE(deger(t, "ESKIFIYAT"), item.real(0));
        if (item.real(1) > 0)
            QCOMPARE(deger(t, "FIYAT"), item.real(1));
        QCOMPARE(deger(t, "NETFIYAT"), Yuvarla(deger(t, "FIYAT")));
    }
}

void TestOpsCatalogue::campaignPageEmptyForFleet_data()
{
    QTest::addColumn<int>("carino");
    QTest::addColumn<int>("tip");
    QTest::newRow("fleet login") << 8 << 4;
    QTest::newRow("dealer's customer asked as fleet kind") << 1 << 4;
    QTest::newRow("fleet customer asked by a representative") << 8 << 1;
}

void TestOpsCatalogue::campaignPageEmptyForFleet()
{
    QFETCH(int, carino);
    QFETCH(int, tip);
    Table t = m_client->KampanyaliVer2(carino, tip).table();
    QCOMPARE(qint64(t.recordCount()), qint64(0));
    for (const char *kolon : {"STOK_STOKNO", "BARKOD", "ADI", "FIYAT", "ESKIFIYAT", "K", "KDVDAHIL", "IND4"})
        QVERIFY2(t.findField(ad(kolon)).isValid(), kolon);
}

// ---------------------------------------------------------------- movements

void TestOpsCatalogue::itemMovements()
{
    Statement st = m_db->prepare(QStringLiteral("SELECT CARINO, STOKNO, COUNT(*) FROM STOKHAREKET GROUP BY "
                                                "CARINO, STOKNO ORDER BY COUNT(*) DESC, CARINO, STOKNO"));
    if (!st.step())
        QSKIP("the demo store has no item movements");
    const qint32 carino = qint32(st.int64(0)), stokno = qint32(st.int64(1));

    Table t = m_client->StokHareketVer(carino, stokno).table();
    QCOMPARE(qint64(t.recordCount()), st.int64(2));
    const char *paralar[] = {"MIKTAR",
                             "TLBIRIMFIYAT",
                             "TLVERGI",
                             "TLTUTAR",
                             "INDIRIM1",
                             "INDIRIM8",
                             "TOPLAMINDIRIM",
                             "MASRAF1",
                             "MASRAF2",
                             "TOPLAMMASRAF",
                             "NETBIRIMFIYAT",
                             "NETTLTUTAR",
                             "KDVDAHILBIRIMFIYAT",
                             "KDVDAHILTUTAR"};
    for (const char *kolon : paralar)
        QCOMPARE(t.fieldByName(ad(kolon)).kind(), FieldKind::Float);
    QCOMPARE(t.fieldByName(QStringLiteral("TARIH")).kind(), FieldKind::DateTime);
    for (const char *kolon : {"BARKOD", "TURU", "EVRAKSERI", "EVRAKSIRA", "VADE", "STOKCARIKOD", "SATICI"})
        QVERIFY2(t.findField(ad(kolon)).isValid(), kolon);

    const QString barkod =
        m_db->scalarText(QStringLiteral("SELECT BARKOD FROM STOK WHERE STOKNO = ?"), {qint64(stokno)});
    for (t.first(); !t.eof(); t.next()) {
        QCOMPARE(t.fieldByName(QStringLiteral("BARKOD")).asString(), barkod);
        for (const char *kolon : paralar)
            QCOMPARE(deger(t, kolon), Yuvarla(deger(t, kolon)));
    }
}

void TestOpsCatalogue::badIdsGiveEmptyResults()
{
    QCOMPARE(qint64(m_client->StokHareketVer(-1, -1).recordCount()), qint64(0));
    QCOMPARE(qint64(m_client->StokHareketVer(1, 2147483647).recordCount()), qint64(0));
    qint64 boy = -1;
    m_client->ResimVer5(-5, boy);
    QCOMPARE(boy, qint64(0));
    m_client->ResimVer5(2147483647, boy);
    QCOMPARE(boy, qint64(0));
    // An unknown customer still sees the new items, at list prices with the items' own discounts.
    QCOMPARE(qint64(m_client->YenilerVer2(-7).recordCount()),
             m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM YENISTOK")));
    // Search syntax characters are plain text to the search.
    QCOMPARE(ara(QStringLiteral("\"*^ OR NEAR("), QStringLiteral("DEMO")).fieldCount(),
             int(std::size(stokKolonlari)));
}

// ---------------------------------------------------------------- announcements and banners

void TestOpsCatalogue::announcements()
{
    TAcilisEkranlariki *ekranlar = m_client->AcilisEkranlarVer2();
    QVERIFY(ekranlar);
    Statement st = m_db->prepare(QStringLiteral("SELECT SIRA, BASLIK, ARAMA FROM DUYURU ORDER BY SIRA"));
    size_t i = 0;
    while (st.step()) {
        QVERIFY(i < ekranlar->Ekranlar().size());
        const TAcilisEkran *e = ekranlar->Ekranlar()[i].get();
        QVERIFY(e);
        QCOMPARE(qint64(e->SiraNo()), st.int64(0));
        QCOMPARE(e->Baslik(), st.text(1));
        QCOMPARE(e->Arama(), st.text(2));
        const QString hex = e->Resim();
        QVERIFY(hex.size() % 2 == 0);
        QCOMPARE(hex, hex.toUpper());
        QVERIFY(hex.startsWith(QLatin1String("FFD8")));
        const QByteArray jpeg = QByteArray::fromHex(hex.toLatin1());
        QCOMPARE(jpeg.size(), hex.size() / 2);
        QVERIFY(jpeg.endsWith("\xFF\xD9"));
        ++i;
    }
    QVERIFY(i > 0);
    QCOMPARE(ekranlar->Ekranlar().size(), i);

    // Asked again (from the cache), the same pictures.
    const QString ilk = ekranlar->Ekranlar()[0]->Resim();
    TAcilisEkranlariki *yine = m_client->AcilisEkranlarVer2();
    QCOMPARE(yine->Ekranlar()[0]->Resim(), ilk);
}

void TestOpsCatalogue::advertisementsByPosition()
{
    const qint32 adet = m_client->AcilisReklamAdet();
    QCOMPARE(qint64(adet), m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM DUYURU")));
    QVERIFY(adet > 0);

    TAcilisEkranlariki *hepsi = m_client->AcilisEkranlarVer2();
    QCOMPARE(qint64(hepsi->Ekranlar().size()), qint64(adet));
    // The proxy frees the list at the next call of the same operation only,
    // but the entries are compared by value anyway.
    QStringList basliklar, aramalar, resimler;
    for (const auto &e : hepsi->Ekranlar()) {
        basliklar << e->Baslik();
        aramalar << e->Arama();
        resimler << e->Resim();
    }

    for (qint32 sira = 0; sira < adet; ++sira) {
        TAcilisEkran *e = m_client->AcilisREklamVer(sira);
        QVERIFY(e);
        QCOMPARE(e->Baslik(), basliklar[sira]);
        QCOMPARE(e->Arama(), aramalar[sira]);
        QCOMPARE(e->Resim(), resimler[sira]);
    }
    QVERIFY(!m_client->AcilisREklamVer(adet));
    QVERIFY(!m_client->AcilisREklamVer(-1));
    QVERIFY(!m_client->AcilisREklamVer(2147483647));
}

void TestOpsCatalogue::banners_data()
{
    QTest::addColumn<int>("hangisi");
    QTest::addColumn<QByteArray>("imza");
    QTest::addColumn<int>("genislik");
    QTest::addColumn<int>("yukseklik");
    QTest::newRow("header banner") << 1 << QByteArray("GIF89a") << 409 << 100;
    QTest::newRow("strip") << 2 << QByteArray("GIF89a") << 0 << 0;
    QTest::newRow("bitmap") << 3 << QByteArray("BM") << 0 << 0;
}

void TestOpsCatalogue::banners()
{
    QFETCH(int, hangisi);
    QFETCH(QByteArray, imza);
    QFETCH(int, genislik);
    QFETCH(int, yukseklik);

    qint64 boy = -1;
    QIODevice *akis = hangisi == 1   ? m_client->BannerResimVer(boy)
                      : hangisi == 2 ? m_client->BannerResimVer2(boy)
                                     : m_client->BannerResimVer3(boy);
    QVERIFY(boy > 0);
    const std::optional<QByteArray> bayt = CopyAnnouncedStream(akis, boy);
    QVERIFY(bayt.has_value());
    QCOMPARE(qint64(bayt->size()), boy);
    QVERIFY(bayt->startsWith(imza));
    if (imza == "BM") {
        QVERIFY(bayt->size() >= 11);
    } else {
        // Logical screen size, little-endian, right after the signature.
        const auto u16 = [&](int at) {
            return int(quint8(bayt->at(at))) | int(quint8(bayt->at(at + 1))) << 8;
        };
        if (genislik > 0) {
            QCOMPARE(u16(6), genislik);
            QCOMPARE(u16(8), yukseklik);
        }
        QVERIFY(bayt->endsWith(';'));
    }
}

void TestOpsCatalogue::scrollingText()
{
    const QString yazi = m_client->KayanYaziGetir();
    QVERIFY(!yazi.trimmed().isEmpty());
    Statement st = m_db->prepare(QStringLiteral("SELECT METIN FROM KAYANYAZI ORDER BY SIRA"));
    while (st.step())
        QVERIFY(yazi.contains(st.text(0)));
}

// ---------------------------------------------------------------- badges

void TestOpsCatalogue::badgesMatchPages_data()
{
    QTest::addColumn<QString>("kullanici");
    QTest::newRow("dealer") << QStringLiteral("DEMO");
    QTest::newRow("dealer with other orders") << QStringLiteral("KARTAL");
    QTest::newRow("fleet") << QStringLiteral("MARMARA");
}

void TestOpsCatalogue::badgesMatchPages()
{
    QFETCH(QString, kullanici);
    const auto login = giris(kullanici);
    const qint32 carino = login->CARINO();

    TableReader *okuyucu = m_client->BalonGetir(giris(kullanici));
    QVERIFY(okuyucu);
    QCOMPARE(okuyucu->columnCount(), 5);
    QVERIFY(okuyucu->next());
    const double sepet = okuyucu->asFloat(0);
    const qint32 yeni = okuyucu->asInteger(1);
    const qint32 kampanya = okuyucu->asInteger(2);
    const qint32 duyuru = okuyucu->asInteger(3);
    const double bakiye = okuyucu->asFloat(4);
    QVERIFY(!okuyucu->next());
    QCOMPARE(okuyucu->columnKind(0), FieldKind::Float);
    QCOMPARE(okuyucu->columnKind(1), FieldKind::Integer);
    QCOMPARE(okuyucu->columnKind(2), FieldKind::Integer);
    QCOMPARE(okuyucu->columnKind(3), FieldKind::Integer);
    QCOMPARE(okuyucu->columnKind(4), FieldKind::Float);

    // The basket page may be served by a server without SepetVer2 yet; then
    // the store itself is counted.
    qint64 sepetSatiri =
        m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM SEPET WHERE CARINO = ?"), {qint64(carino)});
    try {
        sepetSatiri = m_client->SepetVer2(carino).recordCount();
    } catch (const wire::RemoteError &) {
    }
    QCOMPARE(sepet, double(sepetSatiri));
    QCOMPARE(qint64(yeni), qint64(m_client->YenilerVer2(carino).recordCount()));
    QCOMPARE(qint64(kampanya), qint64(m_client->KampanyaliVer2(carino, login->MusteriTipi()).recordCount()));
    if (login->MusteriTipi() == 4)
        QCOMPARE(kampanya, 0);
    else
        QVERIFY(kampanya > 0);
    QCOMPARE(duyuru, m_client->AcilisReklamAdet());
    QCOMPARE(bakiye, std::floor(bakiye));
    QCOMPARE(
        qint64(bakiye),
        m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR WHERE CARINO = ? AND KALAN > 0"),
                        {qint64(carino)}));
}

QTEST_GUILESS_MAIN(TestOpsCatalogue)
#include "tst_ops_catalogue.moc"
