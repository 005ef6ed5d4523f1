// The order confirmation and the sending from the basket page, against a
// real server: the summary, the kind lists, the firm list of a cargo kind,
// the checks in their order, the saved order and a refused one.
#include "basket/onaysip.h"
#include "basket/sepetsayfasi.h"
#include "modalda.h"
#include "scriptedseams.h"
#include "sepetortami.h"
#include "service/radyogrubu.h"
#include "service/sayfabaglami.h"
#include "testserver.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTcpServer>
#include <QTest>
#include <QVBoxLayout>

using namespace zelvora;

namespace {

const QString TeslimSeciniz = QStringLiteral("Lütfen Teslim Durumu Seçiniz !");
const QString KargoTuruSeciniz = QStringLiteral("Lütfen Kargo Türünü Seçiniz !");
const QString KargoSeciniz = QStringLiteral("Lütfen Kargo  Seçiniz !");

// A click on a radio item, as the user makes it.
void tikla(RadyoGrubu *grup, int sira)
{
    grup->dugme(sira)->click();
}

} // namespace

class TestOnaySip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void ozetVeTurler();
    void kontrollerSirayla_data();
    void kontrollerSirayla();
    void tekFirmaKendiligindenSecilir();
    void firmasizKargoTuru();
    void sunucuYokken();
    void siparisGonderilir();
    void sunucuKabulEtmezse();
    void vazgecilirse();

private:
    std::unique_ptr<TONAYSIP> ac(const QString &mesaj = QString(), const QString &toplam = QString())
    {
        return TONAYSIP::Ac(nullptr, m_ortam.bagc, mesaj, m_ortam.sbilgi, toplam);
    }
    QStringList diyaloglar() const
    {
        QStringList metinler;
        for (const MesajIstegi &d : m_seams->dialogs())
            metinler.append(d.text);
        return metinler;
    }

    SepetOrtami m_ortam;
    std::unique_ptr<ScriptedSeams> m_seams;
};

void TestOnaySip::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QString hata;
    QVERIFY2(m_ortam.baslat(&hata), qPrintable(hata));
}

void TestOnaySip::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
}

void TestOnaySip::cleanup()
{
    m_seams.reset();
}

void TestOnaySip::ozetVeTurler()
{
    auto d = ac(QStringLiteral("Vadesi geçmiş borcunuz var"), QStringLiteral("12.345,67"));
    QCOMPARE(d->windowTitle(), QStringLiteral("Sipariş Onay"));
    QCOMPARE(d->size(), QSize(894, 526));
    QCOMPARE(d->Label2->text(), QStringLiteral("Kullanıcı: ") + m_ortam.sbilgi.ADI() +
                                    QStringLiteral("\r\nCari     : ") + m_ortam.sbilgi.CariAdi() +
                                    QStringLiteral("\r\nTutar    : 12.345,67"));
    QVERIFY(QFontInfo(d->Label2->font()).fixedPitch());
    QCOMPARE(d->Label3->text(), QStringLiteral("Vadesi geçmiş borcunuz var"));
    QCOMPARE(d->toplam, QStringLiteral("12.345,67"));

    // The demo store has four of each; the usual delivery kind comes second.
    QCOMPARE(d->teslimbox->adet(), 4);
    QCOMPARE(d->teslimbox->secili(), 1);
    QCOMPARE(d->teslimbox->seciliDeger(), 2);
    QCOMPARE(d->boxkargo->adet(), 4);
    QCOMPARE(d->boxkargo->secili(), -1);
    QCOMPARE(d->kargocombo->count(), 0);
    QVERIFY(m_seams->dialogs().isEmpty());
}

void TestOnaySip::kontrollerSirayla_data()
{
    QTest::addColumn<int>("teslim");    // index, -1 none
    QTest::addColumn<int>("kargoTuru"); // index, -1 none
    QTest::addColumn<int>("firma");     // combo index, -1 untouched
    QTest::addColumn<QString>("uyari"); // empty: accepted
    QTest::newRow("nothing chosen") << -1 << -1 << -1 << TeslimSeciniz;
    QTest::newRow("no delivery kind, the rest chosen") << -1 << 0 << 1 << TeslimSeciniz;
    QTest::newRow("no cargo kind") << 1 << -1 << -1 << KargoTuruSeciniz;
    QTest::newRow("no firm") << 1 << 0 << -1 << KargoSeciniz;
    QTest::newRow("the blank firm") << 1 << 0 << 0 << KargoSeciniz;
    QTest::newRow("all three") << 0 << 0 << 2 << QString();
}

void TestOnaySip::kontrollerSirayla()
{
    QFETCH(int, teslim);
    QFETCH(int, kargoTuru);
    QFETCH(int, firma);
    QFETCH(QString, uyari);
    auto d = ac();
    d->teslimbox->setSecili(teslim);
    if (kargoTuru >= 0)
        tikla(d->boxkargo, kargoTuru);
    if (firma >= 0)
        d->kargocombo->setCurrentIndex(firma);
    QTest::mouseClick(d->evetbuton, Qt::LeftButton);

    if (uyari.isEmpty()) {
        QVERIFY(m_seams->dialogs().isEmpty());
        QCOMPARE(d->result(), int(QDialog::Accepted));
        // The second firm of the first cargo kind in the demo store.
        QCOMPARE(d->KN, 2);
        QCOMPARE(d->kt, 1);
        QCOMPARE(d->td, 1);
    } else {
        QCOMPARE(diyaloglar(), QStringList({uyari}));
        QCOMPARE(m_seams->dialogs().first().kind, int(mtUyari));
        QCOMPARE(d->result(), int(QDialog::Rejected));
    }
}

void TestOnaySip::tekFirmaKendiligindenSecilir()
{
    auto d = ac();
    // "Şehir İçi Kurye" has one firm.
    tikla(d->boxkargo, 3);
    QCOMPARE(d->kargocombo->count(), 2);
    QCOMPARE(d->kargocombo->itemText(0), QStringLiteral(" "));
    QCOMPARE(d->kargocombo->currentIndex(), 1);
    QCOMPARE(d->kargocombo->currentText(), QStringLiteral("ZELVORA MOTO KURYE"));
    QCOMPARE(d->uyarikargo->text(), QStringLiteral("Yalnızca İstanbul içi, 3 saat içinde teslim."));

    // Another kind: the note goes, the list is refilled and nothing is chosen.
    tikla(d->boxkargo, 0);
    QCOMPARE(d->uyarikargo->text(), QString());
    QCOMPARE(d->kargocombo->count(), 5);
    QCOMPARE(d->kargocombo->currentIndex(), -1);
    d->kargocombo->setCurrentIndex(1);
    QCOMPARE(d->uyarikargo->text(),
             QStringLiteral("Saat 16:00'ya kadar verilen siparişler aynı gün kargoya teslim edilir."));
    d->kargocombo->setCurrentIndex(0);
    QCOMPARE(d->uyarikargo->text(), QString());
}

void TestOnaySip::firmasizKargoTuru()
{
    QVERIFY(m_ortam.sql("INSERT INTO KARGOCINSI (KARGOID, ADI) VALUES (90, 'Firmasız Tür')"));
    auto d = ac();
    QVERIFY(m_ortam.sql("DELETE FROM KARGOCINSI WHERE KARGOID = 90"));
    QCOMPARE(d->boxkargo->adet(), 5);
    tikla(d->boxkargo, 4);
    QCOMPARE(d->kargocombo->count(), 1);
    QCOMPARE(d->kargocombo->currentIndex(), -1);
    QTest::mouseClick(d->evetbuton, Qt::LeftButton);
    QCOMPARE(diyaloglar(), QStringList({KargoSeciniz}));
    QCOMPARE(d->result(), int(QDialog::Rejected));
}

void TestOnaySip::sunucuYokken()
{
    Connection kapali;
    kapali.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    kapali.setParam(QStringLiteral("Port"), QString::number(KapaliPort()));
    auto d = TONAYSIP::Ac(nullptr, kapali, QString(), m_ortam.sbilgi, QStringLiteral("0,00"));
    QCOMPARE(diyaloglar(), QStringList({QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!")}));
    QCOMPARE(d->teslimbox->adet(), 0);
    QCOMPARE(d->boxkargo->adet(), 0);
    QTest::mouseClick(d->evetbuton, Qt::LeftButton);
    QCOMPARE(diyaloglar().last(), TeslimSeciniz);
    QCOMPARE(d->result(), int(QDialog::Rejected));
}

namespace {

struct GonderSayfasi
{
    explicit GonderSayfasi(SepetOrtami &ortam)
    {
        baglam.bagc = &ortam.bagc;
        baglam.sbilgi = &ortam.sbilgi;
        baglam.sepet = &sepet;
        baglam.sayfalar = &sekmeler;
        auto *kap = new QWidget;
        sekmeler.addTab(kap, QStringLiteral("Sepet"));
        sayfa = new TSepetSayfasi(baglam, &araedit, nullptr, kap);
        (new QVBoxLayout(kap))->addWidget(sayfa);
    }
    bool yukle()
    {
        // Both workers of the load: the basket and the account warning,
        // which may end in either order.
        QSignalSpy bitti(sayfa, &TSepetSayfasi::yuklemeBitti);
        QSignalSpy uyari(sayfa, &TSepetSayfasi::uyariBitti);
        sayfa->ssepetShow();
        return (bitti.count() > 0 || bitti.wait(20000)) && (uyari.count() > 0 || uyari.wait(20000));
    }
    int sec(qsizetype satir) const
    {
        return sepet.value(satir, sepet.indexOf(QStringLiteral("SEC"))).toInt();
    }

    SayfaBaglami baglam;
    Table sepet;
    QTabWidget sekmeler;
    QLineEdit araedit;
    TSepetSayfasi *sayfa = nullptr;
};

} // namespace

void TestOnaySip::siparisGonderilir()
{
    m_ortam.hazirla(2);
    const QList<qint32> satirlar = m_ortam.siranolar();
    m_ortam.isaretle(satirlar.at(1), 0);
    const qsizetype siparislerOnce = m_ortam.oncekiSiparisSayisi();

    GonderSayfasi s(m_ortam);
    QVERIFY(s.yukle());
    s.sayfa->lbluyarbakiye->setText(QStringLiteral("Vadesi geçmiş 10,00 TL borcunuz bulunmaktadır !"));
    QString ozet;
    QString uyari;
    ModaldaYap<TONAYSIP>([&](TONAYSIP *d) {
        ozet = d->Label2->text();
        uyari = d->Label3->text();
        tikla(d->boxkargo, 3);
        d->aciklamagir->setPlainText(QStringLiteral("Öğleden önce lütfen"));
        QTest::mouseClick(d->evetbuton, Qt::LeftButton);
    });
    QTest::mouseClick(s.sayfa->Button1, Qt::LeftButton);

    QVERIFY(ozet.endsWith(QStringLiteral("Tutar    : ") + s.sayfa->geneltoplaml->text()));
    QVERIFY(s.sayfa->geneltoplaml->text() != QStringLiteral("0,00"));
    QCOMPARE(uyari, s.sayfa->lbluyarbakiye->text());
    QCOMPARE(diyaloglar(), QStringList({QStringLiteral("Siparişiniz Gönderildi !")}));
    QCOMPARE(m_seams->dialogs().first().kind, int(mtBilgi));

    // The marked line became the order; the unmarked one waits in the basket.
    QCOMPARE(m_ortam.siranolar(), QList<qint32>({satirlar.at(1)}));
    QCOMPARE(s.sepet.recordCount(), 1);
    QCOMPARE(m_ortam.oncekiSiparisSayisi(), siparislerOnce + 1);
}

void TestOnaySip::sunucuKabulEtmezse()
{
    // The server holds no mark while the table shows one: the server finds
    // nothing to order and answers false.
    m_ortam.hazirla(2);
    for (qint32 sirano : m_ortam.siranolar())
        m_ortam.isaretle(sirano, 0);
    const qsizetype siparislerOnce = m_ortam.oncekiSiparisSayisi();
    GonderSayfasi s(m_ortam);
    QVERIFY(s.yukle());
    s.sepet.setRecNo(0);
    s.sepet.edit();
    s.sepet.fieldByName(QStringLiteral("SEC")).setValue(1);
    s.sepet.post();

    ModaldaYap<TONAYSIP>([](TONAYSIP *d) {
        tikla(d->boxkargo, 3);
        QTest::mouseClick(d->evetbuton, Qt::LeftButton);
    });
    s.sayfa->Button1Click();

    QCOMPARE(diyaloglar(), QStringList({QStringLiteral("Sipariş Göndermede Hata")}));
    QCOMPARE(m_seams->dialogs().first().kind, int(mtHata));
    // Not reloaded: the marks stay as they were.
    QCOMPARE(s.sec(0), 1);
    QCOMPARE(m_ortam.siranolar().size(), 2);
    QCOMPARE(m_ortam.oncekiSiparisSayisi(), siparislerOnce);
}

void TestOnaySip::vazgecilirse()
{
    m_ortam.hazirla(1);
    const qsizetype siparislerOnce = m_ortam.oncekiSiparisSayisi();
    GonderSayfasi s(m_ortam);
    QVERIFY(s.yukle());
    ModaldaYap<TONAYSIP>([](TONAYSIP *d) { QTest::mouseClick(d->hayirbuton, Qt::LeftButton); });
    s.sayfa->Button1Click();
    QVERIFY(m_seams->dialogs().isEmpty());
    QCOMPARE(m_ortam.siranolar().size(), 1);
    QCOMPARE(m_ortam.oncekiSiparisSayisi(), siparislerOnce);
}

QTEST_MAIN(TestOnaySip)
#include "tst_onaysip.moc"
