// The basket table as the main window keeps it: loaded whole from the real
// server for the acting customer, money columns formatted for display, and
// left alone when the server cannot be reached.
#include "basket/sepettablosu.h"
#include "scriptedseams.h"
#include "service/connection.h"
#include "table/table.h"
#include "testserver.h"
#include "wire/objects.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTest>

using namespace zelvora;

namespace {

constexpr qint32 demoCarino = 1; // the DEMO dealer's account

std::unique_ptr<Connection> baglantiTanimi(quint16 port)
{
    auto bagc = std::make_unique<Connection>();
    bagc->setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    bagc->setParam(QStringLiteral("Port"), QString::number(port));
    return bagc;
}

TSonucBilgisi girisKaydi(qint32 carino)
{
    TSonucBilgisi sbilgi;
    sbilgi.setCARINO(carino);
    return sbilgi;
}

} // namespace

class TestSepetTablosu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void neverLoadedIsClosed();
    void loadsTheDealersBasket();
    void contractColumns_data();
    void contractColumns();
    void floatsGetTheDisplayFormat();
    void secondLoadReplacesRows();
    void emptyBasketIsOpenWithColumns();
    void unreachableServerKeepsTable_data();
    void unreachableServerKeepsTable();

private:
    TestServer m_server{400};
    std::unique_ptr<ScriptedSeams> m_seams;
};

void TestSepetTablosu::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
}

void TestSepetTablosu::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
}

void TestSepetTablosu::cleanup()
{
    m_seams.reset();
}

void TestSepetTablosu::neverLoadedIsClosed()
{
    Table sepet;
    QVERIFY(!sepet.active());
}

void TestSepetTablosu::loadsTheDealersBasket()
{
    const auto bagc = baglantiTanimi(m_server.port());
    Table sepet;
    QVERIFY(SepetYukle(*bagc, girisKaydi(demoCarino), sepet));
    QVERIFY(sepet.active());
    QVERIFY(sepet.recordCount() > 0);
    QVERIFY(m_seams->dialogs().isEmpty());
    QVERIFY(m_seams->messages().isEmpty());
    // The caller's connection is only the pattern; it is never opened by the load.
    QVERIFY(!bagc->connected());
    sepet.first();
    while (!sepet.eof()) {
        QVERIFY(sepet.fieldByName(QStringLiteral("SIRANO")).asInteger() > 0);
        QVERIFY(sepet.fieldByName(QStringLiteral("STOKNO")).asInteger() > 0);
        QVERIFY(sepet.fieldByName(QStringLiteral("MIKTAR")).asFloat() > 0);
        sepet.next();
    }
}

void TestSepetTablosu::contractColumns_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name :
         {"SEC",           "SIRANO",        "STOKNO",        "BARKOD",        "STOKADI",       "MARKA",
          "FINISHKOD",     "MODEL",         "MIKTAR",        "BIRIMFIYAT",    "NETBIRIMFIYAT", "KDV",
          "INDIRIMORANI1", "INDIRIMORANI2", "INDIRIMORANI3", "INDIRIMORANI4", "TUTAR",         "INDIRIMTUTAR",
          "VERGITUTARI",   "NETTUTAR",      "INDIRIMYAZI",   "DURUM",         "KALAN",         "CARINO"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestSepetTablosu::contractColumns()
{
    QFETCH(QString, name);
    const auto bagc = baglantiTanimi(m_server.port());
    Table sepet;
    QVERIFY(SepetYukle(*bagc, girisKaydi(demoCarino), sepet));
    const int i = sepet.indexOf(name);
    QVERIFY2(i >= 0, qPrintable(name));
    QCOMPARE(sepet.column(i).name(), name);
}

void TestSepetTablosu::floatsGetTheDisplayFormat()
{
    const auto bagc = baglantiTanimi(m_server.port());
    Table sepet;
    QVERIFY(SepetYukle(*bagc, girisKaydi(demoCarino), sepet));
    int floats = 0;
    for (int i = 0; i < sepet.fieldCount(); ++i) {
        if (sepet.column(i).kind() == FieldKind::Float) {
            ++floats;
            QCOMPARE(sepet.column(i).displayFormat(), QStringLiteral("#,###,##0.00"));
        }
    }
    QVERIFY(floats >= 5);
    const int tutar = sepet.indexOf(QStringLiteral("TUTAR"));
    QCOMPARE(sepet.column(tutar).kind(), FieldKind::Float);
    // What the grid shows: two decimals whatever the amount.
    QVERIFY(sepet.displayText(0, tutar).contains(QRegularExpression(QStringLiteral("[.,]\\d\\d$"))));
}

void TestSepetTablosu::secondLoadReplacesRows()
{
    const auto bagc = baglantiTanimi(m_server.port());
    Table sepet;
    QVERIFY(SepetYukle(*bagc, girisKaydi(demoCarino), sepet));
    const qsizetype rows = sepet.recordCount();
    QVERIFY(SepetYukle(*bagc, girisKaydi(demoCarino), sepet));
    QCOMPARE(sepet.recordCount(), rows);
}

void TestSepetTablosu::emptyBasketIsOpenWithColumns()
{
    // No account of that number: no lines, but the server's columns.
    const auto bagc = baglantiTanimi(m_server.port());
    Table sepet;
    QVERIFY(SepetYukle(*bagc, girisKaydi(999999), sepet));
    QVERIFY(sepet.active());
    QCOMPARE(sepet.recordCount(), 0);
    QVERIFY(sepet.indexOf(QStringLiteral("SIRANO")) >= 0);
    QVERIFY(sepet.indexOf(QStringLiteral("SEC")) >= 0);
}

void TestSepetTablosu::unreachableServerKeepsTable_data()
{
    QTest::addColumn<bool>("loadedBefore");
    QTest::newRow("never loaded stays closed") << false;
    QTest::newRow("loaded keeps its rows") << true;
}

void TestSepetTablosu::unreachableServerKeepsTable()
{
    QFETCH(bool, loadedBefore);
    Table sepet;
    qsizetype rows = 0;
    if (loadedBefore) {
        const auto iyi = baglantiTanimi(m_server.port());
        QVERIFY(SepetYukle(*iyi, girisKaydi(demoCarino), sepet));
        rows = sepet.recordCount();
        QVERIFY(rows > 0);
    }
    const auto kotu = baglantiTanimi(KapaliPort());
    QVERIFY(!SepetYukle(*kotu, girisKaydi(demoCarino), sepet));
    QCOMPARE(sepet.active(), loadedBefore);
    if (loadedBefore)
        QCOMPARE(sepet.recordCount(), rows);
    const QList<MesajIstegi> dialogs = m_seams->dialogs();
    QCOMPARE(dialogs.size(), 1);
    QCOMPARE(dialogs.first().text, QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
    QCOMPARE(m_seams->sleeps().size(), 11);
}

QTEST_MAIN(TestSepetTablosu)
#include "tst_sepettablosu.moc"
