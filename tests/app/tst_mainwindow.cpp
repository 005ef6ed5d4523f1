#include "testserver.h"

#include "app/arkaplanzinciri.h"
#include "app/form1.h"
#include "app/kayanyazi.h"
#include "app/zirconstyle.h"
#include "basket/sepetsayfasi.h"
#include "grid/grid.h"
#include "service/connection.h"
#include "service/mesajgoster.h"
#include "service/mesgulgostergesi.h"
#include "service/resimler.h"
#include "service/seams.h"
#include "service/servermethods.h"
#include "wire/objects.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMovie>
#include <QMutex>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTcpServer>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace zelvora;

namespace {

const QString Final = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");
const QString CikisSorusu = QStringLiteral("Programdan Çıkmak İstiyor musunuz ?");

// The outside world as these tests script it: dialogs answer at once,
// waits take no time, termination is recorded, and the deployment points at
// the test's server.
class PencereSeams final : public Seams
{
public:
    PencereSeams() { Seams::install(this); }
    ~PencereSeams() override { Seams::install(nullptr); }

    int dialogAnswer = mrNone; // mrNone: the focused button
    Dagitim deployment;

    int execMessageDialog(const MesajIstegi &request) override
    {
        QMutexLocker lock(&m_mutex);
        m_dialogs.append(request);
        m_events.append(QStringLiteral("dialog:") + request.text);
        if (dialogAnswer != mrNone)
            return dialogAnswer;
        const MesajDugmesiBilgisi *focused = request.button(request.focusButton);
        return focused ? focused->result : mrNone;
    }
    void showMessage(const QString &text) override { note(QStringLiteral("message:") + text); }
    void showErrorBox(const QString &text) override { note(QStringLiteral("error:") + text); }
    void playSound(SystemSound) override {}
    void sleepMs(int) override {}
    void terminate(int exitCode) override { note(QStringLiteral("terminate:") + QString::number(exitCode)); }
    bool openUrl(const QUrl &url) override
    {
        note(QStringLiteral("open:") + url.toString());
        return true;
    }
    Dagitim dagitim() const override { return deployment; }
    QString computerName() const override { return QStringLiteral("TESTPC"); }
    QString userName() const override { return QStringLiteral("tester"); }
    QString localIp() const override { return QStringLiteral("10.1.2.3"); }
    QString workstationId() const override { return QStringLiteral("TEST-ISTASYON"); }

    QList<MesajIstegi> dialogs() const
    {
        QMutexLocker lock(&m_mutex);
        return m_dialogs;
    }
    QStringList events() const
    {
        QMutexLocker lock(&m_mutex);
        return m_events;
    }
    int count(const QString &event) const { return int(events().count(event)); }
    int countStartingWith(const QString &prefix) const
    {
        int n = 0;
        for (const QString &e : events())
            n += e.startsWith(prefix) ? 1 : 0;
        return n;
    }

private:
    void note(const QString &event)
    {
        QMutexLocker lock(&m_mutex);
        m_events.append(event);
    }

    mutable QMutex m_mutex;
    QList<MesajIstegi> m_dialogs;
    QStringList m_events;
};

// The login as the server answers it for this workstation (the demo server
// binds an unknown one to DEMO), with the user kind replaced when asked.
TForm1::GirisPenceresi sunucudanGiris(int tip = -1)
{
    return [tip](Connection &bagc, TSonucBilgisi &sbilgi) {
        std::unique_ptr<Connection> baglanti = bagc.clone();
        baglanti->open();
        TServerMethods1Client istemci(baglanti.get());
        TSonucBilgisi *kayit = istemci.BuyukGetir(sbilgi.BILGISAYARID());
        if (!kayit)
            return false;
        const QString bilgisayar = sbilgi.BilgiSayarAdi();
        sbilgi.Kopyala(*kayit);
        sbilgi.setBilgiSayarAdi(bilgisayar);
        if (tip >= 0)
            sbilgi.setMusteriTipi(tip);
        return true;
    };
}

// A login that needs no server: a record for the given kind.
TForm1::GirisPenceresi kayitliGiris(int tip)
{
    return [tip](Connection &, TSonucBilgisi &sbilgi) {
        sbilgi.setADI(QStringLiteral("DENEME"));
        sbilgi.setCariAdi(QStringLiteral("DENEME OTO LTD."));
        sbilgi.setSaticiAdi(QStringLiteral("Ali Veli"));
        sbilgi.setSaticiTelefon(QStringLiteral("0212 000 00 00"));
        sbilgi.setSaticiMail(QStringLiteral("ali@example.com"));
        sbilgi.setMusteriTipi(tip);
        sbilgi.setAKTIF(1);
        sbilgi.setVarmi(true);
        return true;
    };
}

int kirmiziNoktalar(const QImage &resim, const QRect &alan)
{
    int n = 0;
    for (int y = alan.top(); y <= alan.bottom(); ++y) {
        for (int x = alan.left(); x <= alan.right(); ++x) {
            const QColor c = resim.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                ++n;
        }
    }
    return n;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void sekmeBasligi_data();
    void sekmeBasligi();
    void sekmeCizimi();
    void durumResimleri();

    void sayfalarVeYerlesim();
    void kullaniciTipleri_data();
    void kullaniciTipleri();
    void girisOlmazsaProgramBiter();
    void cikisSorusu_data();
    void cikisSorusu();
    void siteMenusu();
    void baslikEtiketleri();
    void zincirSayilariVeKayanYazi();
    void sunucuYokkenZincir();
    void sepetSayfasi_data();
    void sepetSayfasi();

private:
    void bitmesiniBekle(TForm1 &form);

    TestServer m_server;
    std::unique_ptr<PencereSeams> m_seams;
};

void TestMainWindow::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    auto *style = new ZirconStyle;
    QApplication::setStyle(style);
    QApplication::setPalette(style->standardPalette());
}

void TestMainWindow::init()
{
    m_seams = std::make_unique<PencereSeams>();
    m_seams->deployment.sunucuAdresi = QStringLiteral("127.0.0.1");
    m_seams->deployment.sunucuPortu = m_server.port();
    m_seams->deployment.webAdresi = QStringLiteral("http://127.0.0.1:%1/").arg(m_server.httpPort());
}

void TestMainWindow::cleanup()
{
    m_seams.reset();
}

void TestMainWindow::bitmesiniBekle(TForm1 &form)
{
    QTRY_VERIFY_WITH_TIMEOUT(form.baslangicBitti(), 30000);
}

// ------------------------------------------------------------------ tabs

void TestMainWindow::sekmeBasligi_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("count");

    QTest::newRow("count 0") << "0=Sepet"
                             << "Sepet" << 0;
    QTest::newRow("count 12") << "12=Sepet"
                              << "Sepet" << 12;
    QTest::newRow("no equals sign") << "Stok Listesi"
                                    << "Stok Listesi" << 0;
    QTest::newRow("count not a number") << "x=Sepet"
                                        << "Sepet" << 0;
    QTest::newRow("count with a fraction") << "2.5=Bakiyeler"
                                           << "Bakiyeler" << 0;
    QTest::newRow("negative count") << "-3=Sepet"
                                    << "Sepet" << -3;
    QTest::newRow("empty title") << "4="
                                 << "" << 4;
    QTest::newRow("second equals sign stays in the title") << "3=a=b"
                                                           << "a=b" << 3;
    QTest::newRow("title cut at 100")
        << QStringLiteral("5=") + QString(120, QLatin1Char('A')) << QString(100, QLatin1Char('A')) << 5;
}

void TestMainWindow::sekmeBasligi()
{
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(int, count);
    const SekmeBasligiBilgisi bilgi = SekmeBasligi(caption);
    QCOMPARE(bilgi.baslik, title);
    QCOMPARE(bilgi.sayi, count);
}

void TestMainWindow::sekmeCizimi()
{
    QTabBar bar;
    bar.setProperty(ZirconStyle::sekmeBoyutuOzelligi, QSize(120, 45));
    bar.addTab(QStringLiteral("12=Sepet"));
    bar.addTab(QStringLiteral("Sepet"));
    bar.addTab(QStringLiteral("0=Sepet"));
    bar.addTab(QStringLiteral("Stok Listesi"));
    bar.setCurrentIndex(3); // the three compared tabs are all at rest
    bar.resize(bar.sizeHint());
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const QImage resim = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);

    const QRect sayili = bar.tabRect(0);
    const QRect sade = bar.tabRect(1);
    const QRect sifir = bar.tabRect(2);
    QCOMPARE(sayili.size(), QSize(120, 45));

    // The red count sits in the top-right corner, nowhere else.
    const QRect sagUst(sayili.center().x(), sayili.top(), sayili.width() / 2, sayili.height() / 2);
    QVERIFY2(kirmiziNoktalar(resim, sagUst) > 10, "no red count in the top-right corner");
    QCOMPARE(kirmiziNoktalar(resim, sayili) - kirmiziNoktalar(resim, sagUst), 0);
    QCOMPARE(kirmiziNoktalar(resim, sifir), 0);
    QCOMPARE(kirmiziNoktalar(resim, bar.tabRect(3)), 0);

    // Only the title is drawn: a count of 0 looks exactly like the plain
    // title, and the counted tab differs from it only in the corner.
    QCOMPARE(resim.copy(sifir), resim.copy(sade));
    const QRect sol(0, 0, sayili.width() * 2 / 3, sayili.height());
    QCOMPARE(resim.copy(sol.translated(sayili.topLeft())), resim.copy(sol.translated(sade.topLeft())));
    // ... and the title is there: white on the dark tab.
    int beyaz = 0;
    for (int y = sade.top(); y <= sade.bottom(); ++y)
        for (int x = sade.left(); x <= sade.right(); ++x)
            beyaz += resim.pixelColor(x, y).lightness() > 230 ? 1 : 0;
    QVERIFY(beyaz > 20);
}

void TestMainWindow::durumResimleri()
{
    const QList<QPixmap> resimler = DurumResimleri();
    QCOMPARE(resimler.size(), 10);
    const QList<int> durumlar{1, 2, 3, 5, 4, 0};
    const QList<int> beklenen{0, 8, 2, 5, 1, 4};
    for (qsizetype i = 0; i < durumlar.size(); ++i) {
        QCOMPARE(DurumResimNumarasi(durumlar[i]), beklenen[i]);
        const QImage resim = resimler.at(beklenen[i]).toImage();
        QCOMPARE(resim.size(), QSize(24, 24));
        QVERIFY(resim.pixelColor(12, 12).alpha() > 0);
    }
    QCOMPARE(DurumResimNumarasi(6), -1);
    QCOMPARE(DurumResimNumarasi(-1), -1);
}

// ------------------------------------------------------------ the window

void TestMainWindow::sayfalarVeYerlesim()
{
    TForm1 form(kayitliGiris(0));
    bitmesiniBekle(form);

    QCOMPARE(form.windowTitle(), QStringLiteral("Zelvora B2B Programı"));
    QCOMPARE(QApplication::applicationName(), QStringLiteral("Zelvora B2B"));
    const QStringList beklenen{
        QStringLiteral("Stok Listesi"), QStringLiteral("Sepet"),        QStringLiteral("Önceki Siparişler"),
        QStringLiteral("Cari Ekstre"),  QStringLiteral("Yeni Stoklar"), QStringLiteral("Kampanyalı Stoklar"),
        QStringLiteral("Duyurular"),    QStringLiteral("Bakiyeler"),    QStringLiteral("Sanal Pos")};
    const QList<QWidget *> sayfalar{form.sstoklistesi,    form.ssepet,        form.sonceki,
                                    form.sccariekstre,    form.syeniler,      form.skampanyali,
                                    form.sTabSheetduyuru, form.sTabbakiyeler, form.ss};
    QCOMPARE(form.sayfalar->count(), 9);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(form.sayfalar->widget(i), sayfalar[i]);
        // The chain may have put a count in front; the title is what must stand.
        if (i != 5) // "Kampanyalı Stoklar" becomes "Kampanyalı" with its count
            QCOMPARE(SekmeBasligi(form.sayfalar->tabText(i)).baslik, beklenen[i]);
        QVERIFY(!form.sayfalar->tabIcon(i).isNull());
    }
    QCOMPARE(form.sayfalar->currentWidget(), form.sstoklistesi);
    QCOMPARE(form.sayfalar->tabBar()->tabRect(0).size(), QSize(120, 45));

    // The menu, in order, with its separators.
    QStringList menu;
    for (QAction *a : form.Genelmenu->actions())
        menu << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(menu, (QStringList{QStringLiteral("Mail Gönder"), QStringLiteral("-"),
                                QStringLiteral("Şifre Değiştirme İsteği"), QStringLiteral("-"),
                                m_seams->deployment.webAdresi, QStringLiteral("-"), QStringLiteral("Çıkış"),
                                QStringLiteral("-"), QStringLiteral("Raporlar")}));

    // The search box takes plain upper-case Latin letters: Turkish ones are
    // replaced as they are typed.
    QTest::keyClicks(form.araedit, QStringLiteral("fren bal"));
    QKeyEvent turkce(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("ş"));
    QApplication::sendEvent(form.araedit, &turkce);
    QCOMPARE(form.araedit->text(), QStringLiteral("FREN BALS"));
    QCOMPARE(form.araedit->width(), 340);

    const QList<QWidget *> gostergeler{form.gifstokara,   form.gifyeniler, form.gifkampanyali, form.gifduyuru,
                                       form.gifoncekiler, form.gifsepet,   form.gifekstre};
    for (QWidget *g : gostergeler)
        QVERIFY(!g->isVisibleTo(&form));
    QCOMPARE(form.arabuton->toolTip(), QStringLiteral("Ara"));
    QCOMPARE(form.temizlebuton->toolTip(), QStringLiteral("Temizle"));
    QCOMPARE(form.musteritus->text(), QStringLiteral("Başka Cari Seç"));
}

void TestMainWindow::kullaniciTipleri_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<bool>("temsilci");
    QTest::addColumn<bool>("kampanyaSayfasi");

    QTest::newRow("0 dealer") << 0 << false << true;
    QTest::newRow("1 representative") << 1 << true << true;
    QTest::newRow("2 representative with prices") << 2 << true << true;
    QTest::newRow("3 no status columns") << 3 << false << true;
    QTest::newRow("4 no campaigns") << 4 << false << false;
    QTest::newRow("7 any other") << 7 << false << true;
}

void TestMainWindow::kullaniciTipleri()
{
    QFETCH(int, tip);
    QFETCH(bool, temsilci);
    QFETCH(bool, kampanyaSayfasi);

    TForm1 form(sunucudanGiris(tip));
    QCOMPARE(form.musteritus->isVisibleTo(&form), temsilci);
    QCOMPARE(form.R1->isVisible(), temsilci);

    const int kampanya = form.sayfalar->indexOf(form.skampanyali);
    QVERIFY(kampanya >= 0);
    QCOMPARE(form.sayfalar->isTabVisible(kampanya), kampanyaSayfasi);

    const SayfaBaglami &baglam = form.sayfaBaglami();
    QCOMPARE(baglam.MusteriTipi, tip);
    QCOMPARE(baglam.temsilci(), temsilci);
    QCOMPARE(baglam.fiyatDegistirebilir(), tip == 2);
    QCOMPARE(baglam.durumGizli(), tip == 3);
    QCOMPARE(baglam.kampanyaGizli(), tip == 4);
    QCOMPARE(baglam.sbilgi, form.sbilgi.get());
    QCOMPARE(baglam.bagc, &form.bagc);
    QCOMPARE(baglam.sepet, &form.sepet);

    // The page counts arrive later and must not bring the campaign tab back.
    bitmesiniBekle(form);
    QCOMPARE(form.sayfalar->isTabVisible(kampanya), kampanyaSayfasi);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.musteritus->isVisible(), temsilci);
    bool kampanyaSekmesiGorunur = false;
    const QTabBar *bar = form.sayfalar->tabBar();
    for (int i = 0; i < bar->count(); ++i) {
        if (bar->isTabVisible(i) &&
            SekmeBasligi(bar->tabText(i)).baslik.startsWith(QStringLiteral("Kampanyalı")))
            kampanyaSekmesiGorunur = true;
    }
    QCOMPARE(kampanyaSekmesiGorunur, kampanyaSayfasi);
}

void TestMainWindow::girisOlmazsaProgramBiter()
{
    bool girisSoruldu = false;
    TForm1 form([&](Connection &bagc, TSonucBilgisi &sbilgi) {
        // By the time the login runs, the connection and the workstation
        // fields have been set.
        girisSoruldu = true;
        [&] {
            QCOMPARE(bagc.param(QStringLiteral("HostName")), QStringLiteral("127.0.0.1"));
            QCOMPARE(bagc.param(QStringLiteral("Port")), QString::number(m_server.port()));
            QCOMPARE(sbilgi.BilgiSayarAdi(), QStringLiteral("TESTPC"));
            QCOMPARE(sbilgi.BilgisayarKullanici(), QStringLiteral("tester"));
            QCOMPARE(sbilgi.Icip(), QStringLiteral("10.1.2.3"));
            QCOMPARE(sbilgi.BILGISAYARID(), QStringLiteral("TEST-ISTASYON"));
        }();
        return false;
    });
    QVERIFY(girisSoruldu);
    QCOMPARE(m_seams->events(), QStringList{QStringLiteral("terminate:0")});
    // No chain was started: nothing more happens.
    QTest::qWait(300);
    QVERIFY(!form.baslangicBitti());
    QCOMPARE(m_seams->events(), QStringList{QStringLiteral("terminate:0")});
    QVERIFY(form.kullanicilbl->text().isEmpty());
}

void TestMainWindow::cikisSorusu_data()
{
    QTest::addColumn<int>("cevap");
    QTest::addColumn<bool>("biter");

    QTest::newRow("Hayır keeps the window") << int(mrNo) << false;
    QTest::newRow("Evet ends the process") << int(mrYes) << true;
    QTest::newRow("the default button is Evet") << int(mrNone) << true;
}

void TestMainWindow::cikisSorusu()
{
    QFETCH(int, cevap);
    QFETCH(bool, biter);

    TForm1 form(kayitliGiris(0));
    bitmesiniBekle(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QStringList once = m_seams->events();

    m_seams->dialogAnswer = cevap;
    form.G1->trigger();

    const QList<MesajIstegi> dialogs = m_seams->dialogs();
    QVERIFY(!dialogs.isEmpty());
    const MesajIstegi &soru = dialogs.last();
    QCOMPARE(soru.text, CikisSorusu);
    QCOMPARE(soru.kind, int(mtSoru));
    QCOMPARE(soru.caption, QStringLiteral("Soru"));
    QCOMPARE(soru.buttonCaptions(), (QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")}));
    QCOMPARE(soru.focusButton, int(mbYes));
    QCOMPARE(soru.owner.data(), &form);

    const QStringList yeni = m_seams->events().mid(once.size());
    QStringList beklenen{QStringLiteral("dialog:") + CikisSorusu};
    if (biter)
        beklenen << QStringLiteral("terminate:0");
    QCOMPARE(yeni, beklenen);
    // The test's double returns from terminate, so the window is still
    // there either way; what matters is that a "no" never asked to end.
    QVERIFY(form.isVisible());
}

void TestMainWindow::siteMenusu()
{
    TForm1 form(kayitliGiris(0));
    bitmesiniBekle(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.araedit->setText(QStringLiteral("ABC"));
    form.SiteMenuItem->trigger();
    QVERIFY(m_seams->events().contains(QStringLiteral("open:") + m_seams->deployment.webAdresi));
    QCOMPARE(form.araedit->selectedText(), QStringLiteral("ABC"));
}

// ------------------------------------------------------------ the chain

void TestMainWindow::baslikEtiketleri()
{
    TForm1 form(sunucudanGiris());
    bitmesiniBekle(form);
    const TSonucBilgisi &kayit = *form.sbilgi;
    QVERIFY(!kayit.ADI().isEmpty());
    QCOMPARE(form.kullanicilbl->text(), kayit.ADI());
    QCOMPARE(form.cariadilbl->text(), kayit.CariAdi());
    QCOMPARE(form.saticilbl->text(), kayit.SaticiAdi() + QStringLiteral(" Telefonu: ") +
                                         kayit.SaticiTelefon() + QStringLiteral(" email: ") +
                                         kayit.SaticiMail());
    // The login record keeps the workstation fields the window set.
    QCOMPARE(kayit.BilgiSayarAdi(), QStringLiteral("TESTPC"));
}

void TestMainWindow::zincirSayilariVeKayanYazi()
{
    TForm1 form(sunucudanGiris());
    form.show();
    bitmesiniBekle(form);
    QCOMPARE(m_seams->countStartingWith(QStringLiteral("message:")), 0);
    QCOMPARE(m_seams->countStartingWith(QStringLiteral("error:")), 0);

    // What the server says, asked directly.
    std::unique_ptr<Connection> baglanti = m_server.openConnection();
    TServerMethods1Client istemci(baglanti.get());
    auto bil = std::make_unique<TSonucBilgisi>();
    bil->Kopyala(*form.sbilgi);
    TableReader *satirlar = istemci.BalonGetir(std::move(bil));
    QVERIFY(satirlar && satirlar->next());
    const QString sepet = ArkaPlanZinciri::SayiMetni(satirlar->asFloat(0)) + QStringLiteral("=Sepet");
    const QString yeniler = QString::number(satirlar->asInteger(1)) + QStringLiteral("=Yeni Stoklar");
    const QString kampanyali = QString::number(satirlar->asInteger(2)) + QStringLiteral("=Kampanyalı");
    const QString bakiyeler = ArkaPlanZinciri::SayiMetni(satirlar->asFloat(4)) + QStringLiteral("=Bakiyeler");
    const int reklamlar = istemci.AcilisReklamAdet();
    const QString kayan = istemci.KayanYaziGetir();

    QTabWidget *s = form.sayfalar;
    QCOMPARE(s->tabText(s->indexOf(form.ssepet)), sepet);
    QCOMPARE(s->tabText(s->indexOf(form.syeniler)), yeniler);
    QCOMPARE(s->tabText(s->indexOf(form.skampanyali)), kampanyali);
    QCOMPARE(s->tabText(s->indexOf(form.sTabbakiyeler)), bakiyeler);
    QCOMPARE(s->tabText(s->indexOf(form.sTabSheetduyuru)),
             QString::number(reklamlar) + QStringLiteral("=Duyurular"));
    QCOMPARE(form._acilisadet, reklamlar);
    QCOMPARE(s->tabText(s->indexOf(form.sstoklistesi)), QStringLiteral("Stok Listesi"));
    // The demo has new items, so at least one badge is due.
    QVERIFY(SekmeBasligi(s->tabText(s->indexOf(form.syeniler))).sayi > 0);

    QVERIFY(!kayan.trimmed().isEmpty());
    QVERIFY(form.kayanyazi->aktif());
    QCOMPARE(form.kayanyazi->ogeSayisi(), 1);
    QCOMPARE(form.kayanyazi->ogeMetni(0), kayan);
    QCOMPARE(form.kayanyazi->ogeTuru(0), KayanYazi::OgeTuru::Html);

    // The demo sets all three banners.
    QVERIFY(form.RxGIFAnimator1->movie() && form.RxGIFAnimator1->movie()->isValid());
    QVERIFY(form.RxGIFAnimator2->movie() && form.RxGIFAnimator2->height() > 0);
    QVERIFY(!form.Image3.isNull());
    QVERIFY(form.RealTimeMarquee1->isVisible());
    QCOMPARE(form.Panel5->height(), form.Image3.height() + 40);

    // The badges are painted on the real page control too.
    const QImage resim = s->tabBar()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect yeni = s->tabBar()->tabRect(s->indexOf(form.syeniler));
    QVERIFY(kirmiziNoktalar(resim,
                            QRect(yeni.center().x(), yeni.top(), yeni.width() / 2, yeni.height() / 2)) > 10);
}

void TestMainWindow::sunucuYokkenZincir()
{
    // The login succeeds, then the server is gone for the whole chain.
    m_seams->deployment.sunucuPortu = KapaliPort();
    TForm1 form(kayitliGiris(0));
    form.show();
    bitmesiniBekle(form);

    // Six steps connect; each tries eleven times and then says so loudly.
    QCOMPARE(m_seams->countStartingWith(QStringLiteral("message:")), 6 * 11);
    QCOMPARE(m_seams->count(QStringLiteral("dialog:") + Final), 6);
    QCOMPARE(m_seams->countStartingWith(QStringLiteral("error:")), 0);

    // The header came from the login record; everything else stayed as it was.
    QCOMPARE(form.kullanicilbl->text(), QStringLiteral("DENEME"));
    QCOMPARE(form.saticilbl->text(),
             QStringLiteral("Ali Veli Telefonu: 0212 000 00 00 email: ali@example.com"));
    QCOMPARE(form.kayanyazi->ogeSayisi(), 0);
    QVERIFY(!form.RxGIFAnimator1->movie());
    QCOMPARE(form.RxGIFAnimator2->height(), 0);
    QCOMPARE(form.Panel5->height(), 40);
    QCOMPARE(form._acilisadet, 0);
    QCOMPARE(form.sayfalar->tabText(form.sayfalar->indexOf(form.ssepet)), QStringLiteral("Sepet"));
    QCOMPARE(form.sayfalar->tabText(form.sayfalar->indexOf(form.sTabSheetduyuru)),
             QStringLiteral("Duyurular"));
    QVERIFY(form.isEnabled());
}

void TestMainWindow::sepetSayfasi_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<bool>("durumKolonu");
    QTest::newRow("dealer") << 0 << true;
    QTest::newRow("kind 3: no status column") << 3 << false;
}

void TestMainWindow::sepetSayfasi()
{
    QFETCH(int, tip);
    QFETCH(bool, durumKolonu);
    TForm1 form(sunucudanGiris(tip));
    QVERIFY(form.sepetsayfasi);
    QVERIFY(form.ssepet->isAncestorOf(form.sepetsayfasi));
    grid::Grid *grid = form.sepetsayfasi->cxGridDBTableView1();
    QCOMPARE(grid->isColumnVisible(QStringLiteral("DURUM")), durumKolonu);
    bitmesiniBekle(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // Bringing the tab to the front loads the basket and counts its lines.
    QSignalSpy bitti(form.sepetsayfasi, &TSepetSayfasi::yuklemeBitti);
    form.sayfalar->setCurrentWidget(form.ssepet);
    QVERIFY(bitti.wait(20000));
    QVERIFY(form.sepet.active());
    QVERIFY(form.sepet.recordCount() > 0);
    QCOMPARE(form.sayfalar->tabText(form.sayfalar->indexOf(form.ssepet)),
             QString::number(form.sepet.recordCount()) + QStringLiteral("=Sepet"));
    QVERIFY(form.gifsepet->isHidden());
    QCOMPARE(grid->table(), &form.sepet);

    // Away and back: a new load.
    form.sayfalar->setCurrentWidget(form.sstoklistesi);
    form.sayfalar->setCurrentWidget(form.ssepet);
    QVERIFY(bitti.wait(20000));
    QCOMPARE(bitti.count(), 2);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
