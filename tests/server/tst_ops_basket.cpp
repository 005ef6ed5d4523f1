// The basket through the real server and client proxy: what the basket page
// reads, every way a line is put in, changed, marked and removed, and turning
// the marked lines into an order, which happens completely or not at all.
#include "server/demo/demodata.h"
#include "server/ops/pricing.h"
#include "server/storage/db.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "testserver.h"
#include "wire/objects.h"

#include <QDate>
#include <QTest>

#include <cmath>
#include <limits>

using namespace zelvora;
using zelvora::server::Db;

Q_DECLARE_METATYPE(zelvora::FieldKind)

namespace {

// Demo logins by position; KULLANICI.SIRANO is the position + 1.
constexpr int girisDemo = 0;   // dealer, customer 1
constexpr int girisYildiz = 2; // dealer, customer 3
constexpr int girisUludag = 5; // dealer, customer 6
constexpr int girisAhmet = 9;  // representative, kind 1

struct Kalem
{
    qint64 stokno = 0;
    QString barkod, adi;
    double kdv = 20, fiyat = 0, kalan = 0;
    int durum = 0;
};

double f(Table &t, const char *name)
{
    return t.fieldByName(QLatin1String(name)).asFloat();
}

int n(Table &t, const char *name)
{
    return t.fieldByName(QLatin1String(name)).asInteger();
}

QString s(Table &t, const char *name)
{
    return t.fieldByName(QLatin1String(name)).asString();
}

} // namespace

class TestOpsBasket : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void basketColumns_data();
    void basketColumns();
    void secIsWritableAndStored();
    void emptyBasketKeepsColumns();
    void addShowsLineWithComputedAmounts_data();
    void addShowsLineWithComputedAmounts();
    void badAddChangesNothing_data();
    void badAddChangesNothing();
    void updateRecomputesOwnLineOnly();
    void badUpdateChangesNothing_data();
    void badUpdateChangesNothing();
    void deleteOneLineOfOwnBasketOnly();
    void deleteAllEmptiesOnlyThatBasket();
    void markingIsStored_data();
    void markingIsStored();
    void overdueWarning();
    void orderNeedsAMarkedLine();
    void orderRefusesBadChoices_data();
    void orderRefusesBadChoices();
    void orderFailingHalfwayLeavesEverythingAsItWas();
    void orderTakesMarkedLinesOnly();

private:
    std::unique_ptr<Connection> connect();
    std::unique_ptr<TSonucBilgisi> login(int index, qint32 carino = -1) const;
    Table basket(qint32 carino);
    Table previousOrders(qint32 carino);
    QList<Kalem> kalemler(int count, qint64 after = 0);
    qint32 addLine(int loginIndex, const Kalem &k, double miktar, double fiyat, double ind1 = 0,
                   double ind2 = 0, double ind3 = 0, double ind4 = 0, qint32 carino = -1);
    void emptyBasket(int loginIndex);
    qint64 count(const QString &sql, server::SqlValues values = {});
    // SIRANO, SEC and amounts of every basket line of the customer, to see that nothing moved.
    QString basketState(qint64 carino);

    TestServer m_server{400};
    std::unique_ptr<Db> m_db;
};

void TestOpsBasket::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    m_db = Db::open(m_server.databasePath());
    QVERIFY(m_db);
    // The demo dealer's basket gets one line of ours so it is never empty.
    QCOMPARE(addLine(girisDemo, kalemler(1, 0).first(), 1, 10), 1);
}

std::unique_ptr<Connection> TestOpsBasket::connect()
{
    return m_server.openConnection();
}

std::unique_ptr<TSonucBilgisi> TestOpsBasket::login(int index, qint32 carino) const
{
    const server::DemoLogin d = server::demoLogins().at(index);
    auto b = std::make_unique<TSonucBilgisi>();
    b->setSirano(index + 1);
    b->setADI(d.user);
    b->setSIFRE(d.password);
    b->setAKTIF(1);
    b->setVarmi(true);
    b->setVersion(6);
    b->setMusteriTipi(d.kind);
    b->setSaticiNo(d.saticiNo);
    b->setCARINO(carino >= 0 ? carino : qint32(d.carino));
    b->setBILGISAYARID(d.workstation);
    return b;
}

Table TestOpsBasket::basket(qint32 carino)
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    return Table(client.SepetVer2(carino).table());
}

Table TestOpsBasket::previousOrders(qint32 carino)
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table t;
    LoadFromReader(*client.OncekiSiparisler(carino), t);
    return t;
}

QList<Kalem> TestOpsBasket::kalemler(int count, qint64 after)
{
    server::Statement st = m_db->prepare(
        QStringLiteral("SELECT STOKNO, BARKOD, ADI, KDV, LISTEFIYAT1, KALAN, DURUM FROM STOK WHERE STOKNO > ?"
                       " ORDER BY STOKNO LIMIT ?"));
    st.bindAll({after, qint64(count)});
    QList<Kalem> out;
    while (st.step())
        out << Kalem{st.int64(0), st.text(1), st.text(2),      st.real(3),
                     st.real(4),  st.real(5), int(st.int64(6))};
    return out;
}

qint32 TestOpsBasket::addLine(int loginIndex, const Kalem &k, double miktar, double fiyat, double ind1,
                              double ind2, double ind3, double ind4, qint32 carino)
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    auto b = login(loginIndex, carino);
    const qint32 cari = b->CARINO();
    return client.SepetEkle2(std::move(b), cari, qint32(k.stokno), k.barkod, k.adi, miktar, k.kdv, fiyat,
                             ind1, loginIndex + 1, 0, ind2, ind3, ind4);
}

void TestOpsBasket::emptyBasket(int loginIndex)
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    client.SepetHepsiniSil(login(loginIndex));
}

qint64 TestOpsBasket::count(const QString &sql, server::SqlValues values)
{
    return m_db->scalarInt(sql, values);
}

QString TestOpsBasket::basketState(qint64 carino)
{
    server::Statement st =
        m_db->prepare(QStringLiteral("SELECT SIRANO, SEC, STOKNO, MIKTAR, BIRIMFIYAT, TUTAR, NETTUTAR FROM "
                                     "SEPET WHERE CARINO = ? ORDER BY SIRANO"));
    st.bindAll({carino});
    QStringList rows;
    while (st.step()) {
        QStringList cells;
        for (int i = 0; i < st.columnCount(); ++i)
            cells << st.text(i);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1Char('\n'));
}

// ---------------------------------------------------------------- columns

void TestOpsBasket::basketColumns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<FieldKind>("kind");
    const auto add = [](const char *name, FieldKind kind) {
        QTest::newRow(name) << QString::fromLatin1(name) << kind;
    };
    for (const char *name : {"SEC", "SIRANO", "STOKNO", "DURUM", "SIPARISNO", "CARINO", "VERENIDNO",
                             "TESLIMID", "KARGOID", "IDNO", "VERENSIRANO", "STOK_STOKNO", "AKTAR"})
        add(name, FieldKind::Integer);
    for (const char *name :
         {"MIKTAR", "BIRIMFIYAT", "NETBIRIMFIYAT", "KDV", "INDIRIMORANI1", "INDIRIMORANI2", "INDIRIMORANI3",
          "INDIRIMORANI4", "TUTAR", "INDIRIMTUTAR", "VERGITUTARI", "NETTUTAR", "KALAN", "KURTL"})
        add(name, FieldKind::Float);
    for (const char *name :
         {"BARKOD",  "STOKADI", "MARKA", "FINISHKOD", "MODEL",   "OEMNO",      "INDIRIMYAZI", "VEREN",
          "KUR",     "SAAT",    "OEM1",  "OEM2",      "OEM3",    "OEM4",       "DIGERADI",    "DPKOD",
          "ANAGRUP", "OZELKOD", "PKOD",  "CARIKOD",   "CARIADI", "URETICIKODU"})
        add(name, FieldKind::Text);
    add("VERILISTARIHI", FieldKind::DateTime);
    add("TARIH", FieldKind::DateTime);
}

void TestOpsBasket::basketColumns()
{
    QFETCH(QString, name);
    QFETCH(FieldKind, kind);
    Table t = basket(1);
    QVERIFY(t.recordCount() > 0);
    const int i = t.indexOf(name);
    QVERIFY2(i >= 0, qPrintable(name));
    QCOMPARE(t.column(i).name(), name); // exact spelling, not only case-insensitively
    QCOMPARE(t.column(i).kind(), kind);
    QVERIFY(t.indexOf(QStringLiteral("ACIKLAMA")) >= 0);
}

void TestOpsBasket::secIsWritableAndStored()
{
    Table t = basket(1);
    QVERIFY(t.recordCount() > 0);
    t.first();
    const int before = n(t, "SEC");
    QVERIFY(before == 0 || before == 1);
    t.edit();
    t.fieldByName(QStringLiteral("SEC")).setValue(1 - before);
    t.post();
    QCOMPARE(n(t, "SEC"), 1 - before);
    // The client posts it locally and then stores it: a reload shows the stored value.
    {
        auto c = connect();
        TServerMethods1Client client(c.get());
        client.SepetSecimGuncelle(n(t, "SIRANO"), 1 - before);
    }
    Table again = basket(1);
    QVERIFY(again.locate(QStringLiteral("SIRANO"), n(t, "SIRANO")));
    QCOMPARE(n(again, "SEC"), 1 - before);
}

void TestOpsBasket::emptyBasketKeepsColumns()
{
    emptyBasket(girisYildiz);
    Table t = basket(3);
    QCOMPARE(t.recordCount(), qsizetype(0));
    QVERIFY(t.indexOf(QStringLiteral("SEC")) >= 0);
    QVERIFY(t.indexOf(QStringLiteral("URETICIKODU")) >= 0);
    QCOMPARE(t.fieldByName(QStringLiteral("TUTAR")).kind(), FieldKind::Float);
    // A customer number nobody has: the same empty table, not an error.
    QCOMPARE(basket(987654).recordCount(), qsizetype(0));
    QCOMPARE(basket(987654).fieldCount(), t.fieldCount());
}

// ---------------------------------------------------------------- adding

void TestOpsBasket::addShowsLineWithComputedAmounts_data()
{
    QTest::addColumn<double>("miktar");
    QTest::addColumn<double>("fiyat");
    QTest::addColumn<double>("ind1");
    QTest::addColumn<double>("ind2");
    QTest::addColumn<double>("ind3");
    QTest::addColumn<double>("ind4");
    QTest::addColumn<QString>("yazi");
    QTest::newRow("no discount") << 3.0 << 125.40 << 0.0 << 0.0 << 0.0 << 0.0 << QString();
    QTest::newRow("one rate") << 2.0 << 1999.99 << 25.0 << 0.0 << 0.0 << 0.0 << QStringLiteral("25");
    QTest::newRow("chain of four") << 7.0 << 86.35 << 30.0 << 10.0 << 5.0 << 2.5
                                   << QStringLiteral("30+10+5+2,5");
    QTest::newRow("gap in the chain") << 1.0 << 412.0 << 0.0 << 15.0 << 0.0 << 3.0 << QStringLiteral("15+3");
    QTest::newRow("large quantity") << 10000.0 << 0.37 << 12.5 << 0.0 << 0.0 << 0.0 << QStringLiteral("12,5");
    QTest::newRow("free of charge") << 4.0 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0 << QString();
}

void TestOpsBasket::addShowsLineWithComputedAmounts()
{
    QFETCH(double, miktar);
    QFETCH(double, fiyat);
    QFETCH(double, ind1);
    QFETCH(double, ind2);
    QFETCH(double, ind3);
    QFETCH(double, ind4);
    QFETCH(QString, yazi);
    const Kalem k = kalemler(1, 20).first();
    const qint64 enBuyuk = count(QStringLiteral("SELECT COALESCE(MAX(SIRANO), 0) FROM SEPET"));

    QCOMPARE(addLine(girisUludag, k, miktar, fiyat, ind1, ind2, ind3, ind4), 1);

    Table t = basket(6);
    const qint64 yeni = count(QStringLiteral("SELECT MAX(SIRANO) FROM SEPET WHERE CARINO = 6"));
    QVERIFY(yeni > enBuyuk);
    QVERIFY(t.locate(QStringLiteral("SIRANO"), yeni));
    const server::SatirTutari beklenen = server::satirHesapla(miktar, fiyat, ind1, ind2, ind3, ind4, k.kdv);
    QCOMPARE(n(t, "STOKNO"), int(k.stokno));
    QCOMPARE(n(t, "STOK_STOKNO"), int(k.stokno));
    QCOMPARE(s(t, "BARKOD"), k.barkod);
    QCOMPARE(s(t, "STOKADI"), k.adi);
    QCOMPARE(n(t, "SEC"), 1); // a new line is meant to be ordered
    QCOMPARE(f(t, "MIKTAR"), miktar);
    QCOMPARE(f(t, "BIRIMFIYAT"), fiyat);
    QCOMPARE(f(t, "KDV"), k.kdv);
    QCOMPARE(f(t, "INDIRIMORANI1"), ind1);
    QCOMPARE(f(t, "INDIRIMORANI4"), ind4);
    QCOMPARE(f(t, "TUTAR"), beklenen.tutar);
    QCOMPARE(f(t, "INDIRIMTUTAR"), beklenen.indirimTutar);
    QCOMPARE(f(t, "NETTUTAR"), beklenen.netTutar);
    QCOMPARE(f(t, "NETBIRIMFIYAT"), beklenen.netBirimFiyat);
    QCOMPARE(f(t, "VERGITUTARI"), beklenen.vergiTutari);
    QCOMPARE(s(t, "INDIRIMYAZI"), yazi);
    // The relations the basket page's totals rely on.
    QCOMPARE(server::Yuvarla(f(t, "TUTAR") - f(t, "INDIRIMTUTAR")), f(t, "NETTUTAR"));
    QCOMPARE(f(t, "TUTAR"), server::Yuvarla(fiyat * miktar));
    QCOMPARE(s(t, "VEREN"), server::demoLogins().at(girisUludag).user);
    QCOMPARE(n(t, "VERENIDNO"), girisUludag + 1);
    QCOMPARE(n(t, "CARINO"), 6);
    QCOMPARE(n(t, "DURUM"), k.durum);
    QCOMPARE(f(t, "KALAN"), k.kalan);
    QVERIFY(!s(t, "CARIADI").isEmpty());
    QVERIFY(std::fabs(f(t, "VERILISTARIHI") - toOleDate(QDateTime::currentDateTime())) < 1);
}

void TestOpsBasket::badAddChangesNothing_data()
{
    QTest::addColumn<qint32>("carino");
    QTest::addColumn<qint32>("stokno");
    QTest::addColumn<double>("miktar");
    QTest::addColumn<double>("fiyat");
    QTest::addColumn<double>("kdv");
    QTest::addColumn<double>("ind1");
    QTest::addColumn<double>("ind4");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("unknown customer") << 987654 << 0 << 1.0 << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("customer 0") << 0 << 0 << 1.0 << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("unknown item") << 6 << 987654 << 1.0 << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("item 0") << 6 << -1 << 1.0 << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("quantity 0") << 6 << 0 << 0.0 << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("negative quantity") << 6 << 0 << -3.0 << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("absurd quantity") << 6 << 0 << 1000001.0 << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("quantity not a number") << 6 << 0 << nan << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("infinite quantity") << 6 << 0 << inf << 10.0 << 20.0 << 0.0 << 0.0;
    QTest::newRow("negative price") << 6 << 0 << 1.0 << -0.01 << 20.0 << 0.0 << 0.0;
    QTest::newRow("price not a number") << 6 << 0 << 1.0 << nan << 20.0 << 0.0 << 0.0;
    QTest::newRow("rate over 100") << 6 << 0 << 1.0 << 10.0 << 20.0 << 100.5 << 0.0;
    QTest::newRow("negative rate") << 6 << 0 << 1.0 << 10.0 << 20.0 << 0.0 << -5.0;
    QTest::newRow("VAT over 100") << 6 << 0 << 1.0 << 10.0 << 120.0 << 0.0 << 0.0;
    QTest::newRow("negative VAT") << 6 << 0 << 1.0 << 10.0 << -1.0 << 0.0 << 0.0;
}

void TestOpsBasket::badAddChangesNothing()
{
    QFETCH(qint32, carino);
    QFETCH(qint32, stokno);
    QFETCH(double, miktar);
    QFETCH(double, fiyat);
    QFETCH(double, kdv);
    QFETCH(double, ind1);
    QFETCH(double, ind4);
    Kalem k = kalemler(1, 40).first();
    if (stokno != 0)
        k.stokno = stokno;
    k.kdv = kdv;
    const qint64 before = count(QStringLiteral("SELECT COUNT(*) FROM SEPET"));
    QCOMPARE(addLine(girisUludag, k, miktar, fiyat, ind1, 0, 0, ind4, carino), 0);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SEPET")), before);
}

// ---------------------------------------------------------------- changing

void TestOpsBasket::updateRecomputesOwnLineOnly()
{
    const Kalem k = kalemler(1, 60).first();
    QCOMPARE(addLine(girisUludag, k, 2, 100, 10, 5, 0, 0), 1);
    const qint32 sirano = qint32(count(QStringLiteral("SELECT MAX(SIRANO) FROM SEPET WHERE CARINO = 6")));

    auto c = connect();
    TServerMethods1Client client(c.get());
    // The line change dialog sends stokno 0 and the line's stored code, name, VAT and rates.
    QCOMPARE(client.SepetGuncelle2(login(girisUludag), 6, 0, k.barkod, k.adi, 5, k.kdv, 87.5, 10,
                                   girisUludag + 1, sirano, 5, 0, 0),
             1);
    Table t = basket(6);
    QVERIFY(t.locate(QStringLiteral("SIRANO"), sirano));
    const server::SatirTutari beklenen = server::satirHesapla(5, 87.5, 10, 5, 0, 0, k.kdv);
    QCOMPARE(f(t, "MIKTAR"), 5.0);
    QCOMPARE(f(t, "BIRIMFIYAT"), 87.5);
    QCOMPARE(f(t, "TUTAR"), beklenen.tutar);
    QCOMPARE(f(t, "INDIRIMTUTAR"), beklenen.indirimTutar);
    QCOMPARE(f(t, "NETTUTAR"), beklenen.netTutar);
    QCOMPARE(f(t, "NETBIRIMFIYAT"), beklenen.netBirimFiyat);
    QCOMPARE(f(t, "VERGITUTARI"), beklenen.vergiTutari);
    QCOMPARE(s(t, "INDIRIMYAZI"), QStringLiteral("10+5"));
    QCOMPARE(n(t, "STOKNO"), int(k.stokno)); // stokno 0 on the wire does not touch the item

    // The same line asked for under another customer is not found.
    const QString before = basketState(6);
    QCOMPARE(
        client.SepetGuncelle2(login(girisYildiz), 3, 0, k.barkod, k.adi, 9, k.kdv, 1, 0, 3, sirano, 0, 0, 0),
        0);
    QCOMPARE(
        client.SepetGuncelle2(login(girisUludag), 6, 0, k.barkod, k.adi, 9, k.kdv, 1, 0, 6, 987654, 0, 0, 0),
        0);
    QCOMPARE(basketState(6), before);
}

void TestOpsBasket::badUpdateChangesNothing_data()
{
    QTest::addColumn<double>("miktar");
    QTest::addColumn<double>("fiyat");
    QTest::addColumn<double>("ind1");
    QTest::newRow("quantity 0") << 0.0 << 10.0 << 0.0;
    QTest::newRow("absurd quantity") << 5e6 << 10.0 << 0.0;
    QTest::newRow("negative price") << 1.0 << -10.0 << 0.0;
    QTest::newRow("price not a number") << 1.0 << std::numeric_limits<double>::quiet_NaN() << 0.0;
    QTest::newRow("rate over 100") << 1.0 << 10.0 << 101.0;
}

void TestOpsBasket::badUpdateChangesNothing()
{
    QFETCH(double, miktar);
    QFETCH(double, fiyat);
    QFETCH(double, ind1);
    const Kalem k = kalemler(1, 70).first();
    QCOMPARE(addLine(girisUludag, k, 2, 100), 1);
    const qint32 sirano = qint32(count(QStringLiteral("SELECT MAX(SIRANO) FROM SEPET WHERE CARINO = 6")));
    const QString before = basketState(6);
    auto c = connect();
    TServerMethods1Client client(c.get());
    QCOMPARE(client.SepetGuncelle2(login(girisUludag), 6, 0, k.barkod, k.adi, miktar, k.kdv, fiyat, ind1, 6,
                                   sirano, 0, 0, 0),
             0);
    QCOMPARE(basketState(6), before);
}

void TestOpsBasket::deleteOneLineOfOwnBasketOnly()
{
    const QList<Kalem> k = kalemler(2, 80);
    QCOMPARE(addLine(girisUludag, k[0], 1, 10), 1);
    QCOMPARE(addLine(girisUludag, k[1], 1, 10), 1);
    const qint32 sirano = qint32(count(QStringLiteral("SELECT MAX(SIRANO) FROM SEPET WHERE CARINO = 6")));
    const qsizetype lines = basket(6).recordCount();

    auto c = connect();
    TServerMethods1Client client(c.get());
    // Another customer's login cannot remove it.
    QCOMPARE(client.SepetSatirSil(login(girisYildiz), sirano, k[1].barkod + QStringLiteral("-") + k[1].adi),
             0);
    QCOMPARE(basket(6).recordCount(), lines);

    QCOMPARE(client.SepetSatirSil(login(girisUludag), sirano, k[1].barkod + QStringLiteral("-") + k[1].adi),
             1);
    Table t = basket(6);
    QCOMPARE(t.recordCount(), lines - 1);
    QVERIFY(!t.locate(QStringLiteral("SIRANO"), sirano));
    QCOMPARE(client.SepetSatirSil(login(girisUludag), sirano, QString()), 0); // already gone
}

void TestOpsBasket::deleteAllEmptiesOnlyThatBasket()
{
    const QList<Kalem> k = kalemler(3, 90);
    emptyBasket(girisYildiz);
    for (const Kalem &kalem : k)
        QCOMPARE(addLine(girisYildiz, kalem, 1, 5), 1);
    QCOMPARE(addLine(girisUludag, k[0], 1, 5), 1);
    const QString other = basketState(6);

    auto c = connect();
    TServerMethods1Client client(c.get());
    // The answer is the number of lines removed.
    QCOMPARE(client.SepetHepsiniSil(login(girisYildiz)), 3);
    QCOMPARE(basket(3).recordCount(), qsizetype(0));
    QCOMPARE(basketState(6), other);
    QCOMPARE(client.SepetHepsiniSil(login(girisYildiz)), 0);
}

void TestOpsBasket::markingIsStored_data()
{
    QTest::addColumn<int>("secim");
    QTest::addColumn<int>("sec");
    QTest::newRow("unmark") << 0 << 0;
    QTest::newRow("mark") << 1 << 1;
    QTest::newRow("anything else unmarks") << 7 << 0;
    QTest::newRow("negative unmarks") << -1 << 0;
}

void TestOpsBasket::markingIsStored()
{
    QFETCH(int, secim);
    QFETCH(int, sec);
    const Kalem k = kalemler(1, 100).first();
    QCOMPARE(addLine(girisUludag, k, 1, 10), 1);
    const qint32 sirano = qint32(count(QStringLiteral("SELECT MAX(SIRANO) FROM SEPET WHERE CARINO = 6")));
    auto c = connect();
    TServerMethods1Client client(c.get());
    client.SepetSecimGuncelle(sirano, 1 - sec); // from the other state
    client.SepetSecimGuncelle(sirano, secim);
    Table t = basket(6);
    QVERIFY(t.locate(QStringLiteral("SIRANO"), sirano));
    QCOMPARE(n(t, "SEC"), sec);
    client.SepetSecimGuncelle(987654, 1); // nothing to mark, nothing breaks
}

// ---------------------------------------------------------------- overdue warning

void TestOpsBasket::overdueWarning()
{
    // A customer of our own, so the demo history does not get in the way.
    m_db->execute(QStringLiteral("INSERT INTO CARI (CARINO, CARIKOD, CARIADI) VALUES (?, ?, ?)"),
                  {qint64(90001), QStringLiteral("TST-90001"), QStringLiteral("TEST CARİ")});
    auto c = connect();
    TServerMethods1Client client(c.get());
    QCOMPARE(client.CariVadeGunGecmismiBul(90001), QString());
    QCOMPARE(client.CariVadeGunGecmismiBul(987654), QString());

    const double today = toOleDate(QDateTime(QDate::currentDate(), QTime(0, 0)));
    const auto move = [&](double vade, double borc, double alacak) {
        m_db->execute(
            QStringLiteral("INSERT INTO CARIHAREKET (CARINO, TARIH, VADETARIHI, TURADI, BORC, ALACAK)"
                           " VALUES (?, ?, ?, ?, ?, ?)"),
            {qint64(90001), vade - 30, vade, QStringLiteral("Satış Faturası"), borc, alacak});
    };
    move(today + 10, 5000, 0); // not due yet
    QCOMPARE(client.CariVadeGunGecmismiBul(90001), QString());
    move(today - 1, 12345.67, 0);
    QString text = client.CariVadeGunGecmismiBul(90001);
    QVERIFY2(text.contains(QStringLiteral("12.345,67 TL")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Vadesi geçmiş")));
    move(today - 5, 0, 345.67); // a payment settles the oldest debt first
    text = client.CariVadeGunGecmismiBul(90001);
    QVERIFY2(text.contains(QStringLiteral("12.000,00 TL")), qPrintable(text));
    move(today - 2, 0, 12000); // paid up: what is left is not due yet
    QCOMPARE(client.CariVadeGunGecmismiBul(90001), QString());
    move(today, 700, 0); // due today is not yet overdue
    QCOMPARE(client.CariVadeGunGecmismiBul(90001), QString());
}

// ---------------------------------------------------------------- ordering

void TestOpsBasket::orderNeedsAMarkedLine()
{
    emptyBasket(girisYildiz);
    const QList<Kalem> k = kalemler(2, 110);
    for (const Kalem &kalem : k)
        QCOMPARE(addLine(girisYildiz, kalem, 1, 10), 1);
    auto c = connect();
    TServerMethods1Client client(c.get());
    for (qint32 sirano : {qint32(count(QStringLiteral("SELECT MIN(SIRANO) FROM SEPET WHERE CARINO = 3"))),
                          qint32(count(QStringLiteral("SELECT MAX(SIRANO) FROM SEPET WHERE CARINO = 3")))})
        client.SepetSecimGuncelle(sirano, 0);
    const QString before = basketState(3);
    const qint64 orders = count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS"));
    QVERIFY(!client.SiparisKaydet(login(girisYildiz), 3, 2, 1, QStringLiteral("not"), 3, 1));
    QCOMPARE(basketState(3), before);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS")), orders);

    // An empty basket likewise.
    emptyBasket(girisYildiz);
    QVERIFY(!client.SiparisKaydet(login(girisYildiz), 3, 2, 1, QString(), 3, 1));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS")), orders);
}

void TestOpsBasket::orderRefusesBadChoices_data()
{
    QTest::addColumn<qint32>("carino");
    QTest::addColumn<qint32>("teslim");
    QTest::addColumn<qint32>("kargo");
    QTest::addColumn<qint32>("firma");
    // Cargo kind 1 is "Anlaşmalı Kargo" with firm 1 among its firms; firm 5 belongs to kind 2.
    QTest::newRow("unknown customer") << 987654 << 2 << 1 << 1;
    QTest::newRow("no delivery kind") << 3 << 0 << 1 << 1;
    QTest::newRow("unknown delivery kind") << 3 << 999 << 1 << 1;
    QTest::newRow("no cargo kind") << 3 << 2 << 0 << 1;
    QTest::newRow("unknown cargo kind") << 3 << 2 << 999 << 1;
    QTest::newRow("no cargo firm") << 3 << 2 << 1 << 0;
    QTest::newRow("unknown cargo firm") << 3 << 2 << 1 << 999;
    QTest::newRow("firm of another cargo kind") << 3 << 2 << 1 << 5;
}

void TestOpsBasket::orderRefusesBadChoices()
{
    QFETCH(qint32, carino);
    QFETCH(qint32, teslim);
    QFETCH(qint32, kargo);
    QFETCH(qint32, firma);
    QCOMPARE(count(QStringLiteral("SELECT KARGOID FROM KARGOFIRMA WHERE SIRANO = 5")), qint64(2));
    emptyBasket(girisYildiz);
    for (const Kalem &kalem : kalemler(2, 120))
        QCOMPARE(addLine(girisYildiz, kalem, 2, 10), 1);
    const QString before = basketState(3);
    const qint64 orders = count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS"));
    const qint64 lines = count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR"));
    auto c = connect();
    TServerMethods1Client client(c.get());
    QVERIFY(!client.SiparisKaydet(login(girisYildiz, carino), carino, teslim, kargo, QStringLiteral("x"), 3,
                                  firma));
    QCOMPARE(basketState(3), before);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS")), orders);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR")), lines);
}

void TestOpsBasket::orderFailingHalfwayLeavesEverythingAsItWas()
{
    emptyBasket(girisYildiz);
    const QList<Kalem> k = kalemler(3, 130);
    for (const Kalem &kalem : k)
        QCOMPARE(addLine(girisYildiz, kalem, 4, 10), 1);
    const QString before = basketState(3);
    const qint64 orders = count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS"));
    const qint64 lines = count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR"));
    const double ordered = m_db->scalarReal(QStringLiteral("SELECT SUM(ALINANSIPARIS) FROM STOK"));

    // The store refuses the second line of any order: by then the order row,
    // the first line, its stock total and its basket removal are all written.
    m_db->exec(QStringLiteral("CREATE TRIGGER TST_IKINCI_SATIR BEFORE INSERT ON SIPARISSATIR"
                              " WHEN (SELECT COUNT(*) FROM SIPARISSATIR WHERE IDNO = NEW.IDNO) >= 1"
                              " BEGIN SELECT RAISE(ABORT, 'test'); END"));
    bool saved = true;
    {
        auto c = connect();
        TServerMethods1Client client(c.get());
        saved = client.SiparisKaydet(login(girisYildiz), 3, 2, 1, QStringLiteral("yarım"), 3, 1);
    }
    m_db->exec(QStringLiteral("DROP TRIGGER TST_IKINCI_SATIR"));
    QVERIFY(!saved);
    QCOMPARE(basketState(3), before);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS")), orders);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR")), lines);
    QCOMPARE(m_db->scalarReal(QStringLiteral("SELECT SUM(ALINANSIPARIS) FROM STOK")), ordered);

    // Without the obstacle the same basket goes through.
    auto c = connect();
    TServerMethods1Client client(c.get());
    QVERIFY(client.SiparisKaydet(login(girisYildiz), 3, 2, 1, QStringLiteral("tam"), 3, 1));
    QCOMPARE(basket(3).recordCount(), qsizetype(0));
}

void TestOpsBasket::orderTakesMarkedLinesOnly()
{
    emptyBasket(girisYildiz);
    const QList<Kalem> k = kalemler(3, 140);
    // The representative puts two lines in for the customer, the dealer one.
    QCOMPARE(addLine(girisAhmet, k[0], 3, 120.50, 10, 0, 5, 0, 3), 1);
    QCOMPARE(addLine(girisYildiz, k[1], 2, 49.99, 0, 0, 0, 0), 1);
    QCOMPARE(addLine(girisAhmet, k[2], 6, 15.25, 20, 0, 0, 0, 3), 1);
    const qint32 bekleyen = qint32(count(QStringLiteral("SELECT MAX(SIRANO) FROM SEPET WHERE CARINO = 3")));
    auto c = connect();
    TServerMethods1Client client(c.get());
    client.SepetSecimGuncelle(bekleyen, 0);

    // What the basket page would show as the order's totals.
    Table sepet = basket(3);
    double toplam = 0, indirim = 0, vergi = 0, net = 0;
    for (sepet.first(); !sepet.eof(); sepet.next()) {
        if (n(sepet, "SEC") != 1)
            continue;
        toplam = server::Yuvarla(toplam + f(sepet, "TUTAR"));
        indirim = server::Yuvarla(indirim + f(sepet, "INDIRIMTUTAR"));
        vergi = server::Yuvarla(vergi + f(sepet, "VERGITUTARI"));
        net = server::Yuvarla(net + f(sepet, "NETTUTAR"));
    }
    QCOMPARE(net, server::Yuvarla(toplam - indirim));
    const double alinan0 =
        m_db->scalarReal(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {k[0].stokno});
    const double alinan2 =
        m_db->scalarReal(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {k[2].stokno});
    const double alinan1 =
        m_db->scalarReal(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {k[1].stokno});

    QVERIFY(
        client.SiparisKaydet(login(girisAhmet, 3), 3, 2, 1, QStringLiteral("Öğleden önce gelsin"), 10, 3));

    // The unmarked line waits in the basket, the marked ones left it.
    Table kalan = basket(3);
    QCOMPARE(kalan.recordCount(), qsizetype(1));
    QCOMPARE(n(kalan, "SIRANO"), bekleyen);
    QCOMPARE(n(kalan, "SEC"), 0);

    Table onceki = previousOrders(3);
    QVERIFY(onceki.recordCount() > 0);
    onceki.first();
    const qint64 idno = count(QStringLiteral("SELECT MAX(IDNO) FROM SIPARIS WHERE CARINO = 3"));
    QCOMPARE(qint64(n(onceki, "IDNO")), idno);
    QCOMPARE(f(onceki, "TUTAR"), toplam);
    QCOMPARE(f(onceki, "VERGI"), vergi);
    QCOMPARE(f(onceki, "NETTUTAR"), net);
    QCOMPARE(s(onceki, "DURUM"), QStringLiteral("Alındı"));
    QCOMPARE(s(onceki, "VERENINNOTU"), QStringLiteral("Öğleden önce gelsin"));
    QCOMPARE(s(onceki, "VEREN"), QStringLiteral("AHMET"));
    QCOMPARE(n(onceki, "VERENIDNO"), 10);
    QCOMPARE(s(onceki, "TESLIM"),
             m_db->scalarText(QStringLiteral("SELECT ADI FROM TESLIMCINSI WHERE TESLIMID = 2")));
    QCOMPARE(s(onceki, "KARGO"),
             m_db->scalarText(QStringLiteral("SELECT ADI FROM KARGOCINSI WHERE KARGOID = 1")));
    QCOMPARE(s(onceki, "KARGOADI"),
             m_db->scalarText(QStringLiteral("SELECT ADI FROM KARGOFIRMA WHERE SIRANO = 3")));
    QCOMPARE(count(QStringLiteral("SELECT DURUMKODU FROM SIPARIS WHERE IDNO = ?"), {idno}), qint64(1));
    QCOMPARE(count(QStringLiteral("SELECT SATICINO FROM SIPARIS WHERE IDNO = ?"), {idno}),
             count(QStringLiteral("SELECT SATICINO FROM CARI WHERE CARINO = 3")));

    // Its lines: open for the whole quantity, first price = price, line "Veren" who put it in.
    Table satirlar;
    LoadFromReader(*client.SiparisAyrintisi2(3, qint32(idno)), satirlar);
    QCOMPARE(satirlar.recordCount(), qsizetype(2));
    for (satirlar.first(); !satirlar.eof(); satirlar.next()) {
        QCOMPARE(f(satirlar, "KALAN"), f(satirlar, "MIKTAR"));
        QCOMPARE(f(satirlar, "TESLIMEDILEN"), 0.0);
        const bool dealers = qint64(n(satirlar, "STOK_STOKNO")) == k[1].stokno;
        QCOMPARE(s(satirlar, "VEREN"), dealers ? QStringLiteral("YILDIZ") : QStringLiteral("AHMET"));
    }
    QCOMPARE(
        count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR WHERE IDNO = ? AND ILKFIYAT = BIRIMFIYAT"),
              {idno}),
        qint64(2));

    // Customers now have these quantities on order; the waiting line adds nothing.
    QCOMPARE(
        m_db->scalarReal(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {k[0].stokno}),
        alinan0 + 3);
    QCOMPARE(
        m_db->scalarReal(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {k[1].stokno}),
        alinan1 + 2);
    QCOMPARE(
        m_db->scalarReal(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {k[2].stokno}),
        alinan2);
}

QTEST_GUILESS_MAIN(TestOpsBasket)
#include "tst_ops_basket.moc"
