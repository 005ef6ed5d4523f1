#include "catalogue/stoklistesi.h"
#include "grid/grid.h"
#include "service/connection.h"
#include "service/sayfabaglami.h"
#include "service/servermethods.h"
#include "table/table.h"
#include "wire/objects.h"

#include "scriptedseams.h"
#include "testserver.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace zelvora;

namespace {

// The main window's part that the page needs: the search bar, the page
// control with the page as its first tab, the table and the login record.
struct Pencere
{
    explicit Pencere(quint16 port, int tip = 0)
    {
        bagc.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        bagc.setParam(QStringLiteral("Port"), QString::number(port));
        sbilgi.setMusteriTipi(tip);
        baglam.bagc = &bagc;
        baglam.sbilgi = &sbilgi;
        baglam.stok = &stok;
        baglam.MusteriTipi = tip;

        auto *yerlesim = new QVBoxLayout(&ana);
        araedit = new QLineEdit(&ana);
        araedit->setValidator(new BuyukHarfTest(araedit));
        arabuton = new QToolButton(&ana);
        temizlebuton = new QToolButton(&ana);
        gosterge = new QWidget(&ana);
        sayfalar = new QTabWidget(&ana);
        auto *sayfa = new QWidget(sayfalar);
        sayfalar->addTab(sayfa, QStringLiteral("Stok Listesi"));
        sayfalar->addTab(new QWidget(sayfalar), QStringLiteral("Sepet"));
        baglam.sayfalar = sayfalar;
        yerlesim->addWidget(araedit);
        yerlesim->addWidget(sayfalar);

        AramaCubugu cubuk{araedit, arabuton, temizlebuton, gosterge};
        liste = new TStokListesi(baglam, cubuk, sayfa);
        auto *ic = new QVBoxLayout(sayfa);
        ic->setContentsMargins(0, 0, 0, 0);
        ic->addWidget(liste);
        QObject::connect(arabuton, &QToolButton::clicked, liste, &TStokListesi::SpeedButton2Click);
        QObject::connect(temizlebuton, &QToolButton::clicked, liste, &TStokListesi::SpeedButton1Click);
    }

    // The main window's upper-case box, as the program's validator does it.
    class BuyukHarfTest final : public QValidator
    {
    public:
        using QValidator::QValidator;
        State validate(QString &input, int &) const override
        {
            input = input.toUpper();
            return Acceptable;
        }
    };

    QString baslik() const { return sayfalar->tabText(0); }

    // Enter in the box; true when a search ran and completed.
    bool ara(const QString &metin)
    {
        araedit->setText(metin);
        QSignalSpy bitti(liste, &TStokListesi::aramaBittiChanged);
        QTest::keyClick(araedit, Qt::Key_Return);
        if (!liste->aramaSuruyor())
            return !bitti.isEmpty();
        return bitti.wait(30000);
    }

    QList<qint64> stokNolari()
    {
        QList<qint64> nolar;
        const int alan = stok.indexOf(QStringLiteral("STOK_STOKNO"));
        for (qsizetype i = 0; i < stok.recordCount(); ++i)
            nolar.append(stok.value(i, alan).toLongLong());
        return nolar;
    }

    Connection bagc;
    TSonucBilgisi sbilgi;
    Table stok;
    SayfaBaglami baglam;
    QWidget ana;
    QLineEdit *araedit = nullptr;
    QToolButton *arabuton = nullptr;
    QToolButton *temizlebuton = nullptr;
    QWidget *gosterge = nullptr;
    QTabWidget *sayfalar = nullptr;
    TStokListesi *liste = nullptr;
};

} // namespace

class TestStokListesi : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void aramaHarfi_data();
    void aramaHarfi();
    void ucHarfKurali_data();
    void ucHarfKurali();
    void bosluklarSunucuyaGider();
    void bosSonuc();
    void temizle();
    void yerlesim_data();
    void yerlesim();
    void kampanyaGizliKullanici();
    void temsilciKolonlari();
    void fiyatBilgisi_data();
    void fiyatBilgisi();
    void durmusSunucu();

private:
    std::unique_ptr<TestServer> m_server;
    std::unique_ptr<ScriptedSeams> m_seams;
};

void TestStokListesi::initTestCase()
{
    m_server = std::make_unique<TestServer>();
    QString error;
    QVERIFY2(m_server->start(&error), qPrintable(error));
}

void TestStokListesi::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
}

void TestStokListesi::cleanup()
{
    m_seams.reset();
}

void TestStokListesi::aramaHarfi_data()
{
    QTest::addColumn<QString>("yazilan");
    QTest::addColumn<QString>("kutuda");
    QTest::newRow("şişe") << QStringLiteral("şişe") << QStringLiteral("SISE");
    QTest::newRow("small letters") << QStringLiteral("çğıöşü") << QStringLiteral("CGIOSU");
    QTest::newRow("capitals") << QStringLiteral("ÇĞİÖŞÜ") << QStringLiteral("CGIOSU");
    QTest::newRow("others unchanged") << QStringLiteral("ab-1 2/x") << QStringLiteral("AB-1 2/X");
}

void TestStokListesi::aramaHarfi()
{
    QFETCH(QString, yazilan);
    QFETCH(QString, kutuda);
    Pencere p(m_server->port());
    p.ana.show();
    // QTest::keyClicks takes Latin-1 only; the box gets what a Turkish keyboard sends.
    for (const QChar harf : yazilan) {
        QKeyEvent basildi(QEvent::KeyPress, 0, Qt::NoModifier, QString(harf));
        QApplication::sendEvent(p.araedit, &basildi);
        QKeyEvent birakildi(QEvent::KeyRelease, 0, Qt::NoModifier, QString(harf));
        QApplication::sendEvent(p.araedit, &birakildi);
    }
    QCOMPARE(p.araedit->text(), kutuda);
    for (const QChar harf : yazilan)
        QVERIFY(AramaHarfi(harf).unicode() < 128);
}

void TestStokListesi::ucHarfKurali_data()
{
    QTest::addColumn<QString>("metin");
    QTest::addColumn<bool>("arar");
    QTest::newRow("two letters") << QStringLiteral("FR") << false;
    QTest::newRow("two letters with blanks") << QStringLiteral("  FR  ") << false;
    QTest::newRow("three letters") << QStringLiteral("FRE") << true;
}

void TestStokListesi::ucHarfKurali()
{
    QFETCH(QString, metin);
    QFETCH(bool, arar);
    Pencere p(m_server->port());
    p.sayfalar->setCurrentIndex(1);
    p.ana.show();
    QVERIFY(p.ara(metin) == arar);
    QCOMPARE(p.sayfalar->currentIndex(), 0); // Enter brings the stock list forward either way
    if (arar) {
        QVERIFY(m_seams->dialogs().isEmpty());
        QVERIFY(p.stok.recordCount() > 0);
        QCOMPARE(p.baslik(), QString::number(p.stok.recordCount()) + QStringLiteral("=Stok Listesi"));
        QVERIFY(p.araedit->isEnabled());
        QCOMPARE(p.liste->cxGrid1DBTableView1()->table(), &p.stok);
    } else {
        QCOMPARE(m_seams->dialogs().size(), 1);
        QCOMPARE(m_seams->dialogs().first().text, QStringLiteral("Lütfen en az 3 harf giriniz !"));
        QCOMPARE(m_seams->dialogs().first().kind, int(mtUyari));
        QVERIFY(!p.stok.active());
        QCOMPARE(p.baslik(), QStringLiteral("Stok Listesi"));
    }
}

void TestStokListesi::bosluklarSunucuyaGider()
{
    Pencere p(m_server->port());
    p.ana.show();
    QVERIFY(p.ara(QStringLiteral(" FRE ")));
    QCOMPARE(p.araedit->text(), QStringLiteral(" FRE "));

    // The same text, blanks and all, asked for directly.
    std::unique_ptr<Connection> baglanti = m_server->openConnection();
    TServerMethods1Client istemci(baglanti.get());
    auto bilgi = std::make_unique<TSonucBilgisi>();
    bilgi->Kopyala(p.sbilgi);
    Table dogrudan;
    dogrudan.assign(istemci.StokAraGetir(QStringLiteral(" FRE "), std::move(bilgi)).table());
    QList<qint64> beklenen;
    for (qsizetype i = 0; i < dogrudan.recordCount(); ++i)
        beklenen.append(dogrudan.value(i, dogrudan.indexOf(QStringLiteral("STOK_STOKNO"))).toLongLong());
    QCOMPARE(p.stokNolari(), beklenen);

    Pencere kirpilmis(m_server->port());
    QVERIFY(kirpilmis.ara(QStringLiteral("FRE")));
    qInfo() << "' FRE ':" << beklenen.size() << "rows, 'FRE':" << kirpilmis.stok.recordCount() << "rows";
}

void TestStokListesi::bosSonuc()
{
    Pencere p(m_server->port());
    p.ana.show();
    QVERIFY(p.ara(QStringLiteral("QQZZXXNOPE")));
    QVERIFY(p.stok.active());
    QCOMPARE(p.stok.recordCount(), 0);
    QCOMPARE(p.baslik(), QStringLiteral("0=Stok Listesi"));
    QCOMPARE(p.liste->cxGrid1DBTableView1()->model()->rowCount(), 0);
    QVERIFY(m_seams->dialogs().isEmpty());
}

void TestStokListesi::temizle()
{
    Pencere p(m_server->port());
    p.ana.show();
    QVERIFY(p.ara(QStringLiteral("FRE")));
    QVERIFY(p.stok.recordCount() > 0);
    p.sayfalar->setCurrentIndex(1);
    p.temizlebuton->click();
    QCOMPARE(p.stok.recordCount(), 0);
    QCOMPARE(p.baslik(), QStringLiteral("Stok Listesi"));
    QCOMPARE(p.araedit->text(), QString());
    QCOMPARE(p.sayfalar->currentIndex(), 0);
    QCOMPARE(p.liste->cxGrid1DBTableView1()->model()->rowCount(), 0);
}

void TestStokListesi::yerlesim_data()
{
    QTest::addColumn<int>("genislik");
    QTest::addColumn<bool>("genis");
    QTest::newRow("1152 narrow") << 1152 << false;
    QTest::newRow("1153 wide") << 1153 << true;
    QTest::newRow("1600 wide") << 1600 << true;
    QTest::newRow("900 narrow") << 900 << false;
}

void TestStokListesi::yerlesim()
{
    QFETCH(int, genislik);
    QFETCH(bool, genis);
    Pencere p(m_server->port());
    p.ana.resize(genislik, 700);
    p.ana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.ana));
    QVERIFY(p.ara(QStringLiteral("FRE")));
    grid::Grid *g = p.liste->cxGrid1DBTableView1();
    for (const char *alan : {"LISTEFIYAT1", "KAMPFIYAT", "NETFIYAT", "KDVDAHIL"})
        QCOMPARE(g->isColumnVisible(QLatin1String(alan)), genis);
    QCOMPARE(g->isColumnVisible(QStringLiteral("FiyatBilgisi")), !genis);
    QCOMPARE(g->rowHeight(), genis ? 60 : 100);
    if (!genis)
        QCOMPARE(g->columnWidth(QStringLiteral("FiyatBilgisi")), 150);
    else
        QVERIFY(g->columnWidth(QStringLiteral("ADI")) > 0);
    // Columns the layout never touches.
    QVERIFY(g->isColumnVisible(QStringLiteral("DURUM")));
    QVERIFY(!g->isColumnVisible(QStringLiteral("STOK_STOKNO")));
}

void TestStokListesi::kampanyaGizliKullanici()
{
    Pencere p(m_server->port(), 4);
    p.ana.resize(1600, 700);
    p.ana.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.ana));
    grid::Grid *g = p.liste->cxGrid1DBTableView1();
    p.liste->StokGridDuzenle();
    QVERIFY(g->isColumnVisible(QStringLiteral("LISTEFIYAT1")));
    QVERIFY(!g->isColumnVisible(QStringLiteral("KAMPFIYAT")));
    QVERIFY(!g->isColumnVisible(QStringLiteral("K")));
    const auto &kolonlar = g->columns();
    for (const grid::ColumnDef &k : kolonlar)
        if (k.field == QLatin1String("KAMPFIYAT") || k.field == QLatin1String("K"))
            QVERIFY2(!k.customizable, qPrintable(k.field));
}

void TestStokListesi::temsilciKolonlari()
{
    for (int tip : {0, 1, 2, 3}) {
        Pencere p(m_server->port(), tip);
        const bool temsilci = tip == 1 || tip == 2;
        for (const grid::ColumnDef &k : p.liste->cxGrid1DBTableView1()->columns()) {
            if (k.field == QLatin1String("KALAN") || k.field == QLatin1String("ALINANSIPARIS") ||
                k.field == QLatin1String("VERILENSIPARIS")) {
                QCOMPARE(k.visible, temsilci);
                QCOMPARE(k.customizable, temsilci);
            }
            if (k.field == QLatin1String("STOK_STOKNO"))
                QVERIFY(!k.customizable && !k.visible);
        }
    }
}

void TestStokListesi::fiyatBilgisi_data()
{
    QTest::addColumn<double>("kampanya");
    QTest::addColumn<QString>("beklenen");
    const QLocale yerel;
    auto para = [&](double v) { return yerel.toString(v, 'f', 2); };
    QTest::newRow("no campaign") << 0.0
                                 << QStringLiteral("Liste Fiyatı: ") + para(1234.5) +
                                        QStringLiteral("\nNetFiyat: ") + para(987.65) +
                                        QStringLiteral("\nKDV li Fiyat: ") + para(1185.18) +
                                        QStringLiteral("\n");
    QTest::newRow("campaign") << 1100.0
                              << QStringLiteral("Liste Fiyatı: ") + para(1234.5) +
                                     QStringLiteral("\nKampanyalı Fiyat: ") + para(1100) +
                                     QStringLiteral("\nNetFiyat: ") + para(987.65) +
                                     QStringLiteral("\nKDV li Fiyat: ") + para(1185.18) +
                                     QStringLiteral("\n");
}

void TestStokListesi::fiyatBilgisi()
{
    QFETCH(double, kampanya);
    QFETCH(QString, beklenen);
    const QString yazi = FiyatBilgisiYazisi(1234.5, kampanya, 987.65, 1185.18);
    QCOMPARE(yazi.count(QLatin1Char('\n')), kampanya > 0 ? 4 : 3);
    QCOMPARE(yazi, beklenen);
}

void TestStokListesi::durmusSunucu()
{
    TestServer durmus;
    QString error;
    QVERIFY2(durmus.start(&error), qPrintable(error));
    const quint16 port = durmus.port();

    Pencere p(port);
    p.ana.show();
    QVERIFY(p.ara(QStringLiteral("FRE")));
    QVERIFY(p.stok.recordCount() > 0);

    durmus.stop();
    QVERIFY(p.ara(QStringLiteral("FREN")));
    QCOMPARE(p.stok.recordCount(), 0);
    QCOMPARE(p.baslik(), QStringLiteral("Stok Listesi"));
    QCOMPARE(m_seams->dialogs().size(), 1);
    QCOMPARE(m_seams->dialogs().first().text,
             QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
    QCOMPARE(m_seams->dialogs().first().kind, int(mtHata));
    QVERIFY(p.araedit->isEnabled());
    QVERIFY(!p.gosterge->isVisible());
    QCOMPARE(p.liste->cxGrid1DBTableView1()->table(), &p.stok);
    QCOMPARE(p.liste->cxGrid1DBTableView1()->model()->rowCount(), 0);
}

QTEST_MAIN(TestStokListesi)
#include "tst_stoklistesi.moc"
