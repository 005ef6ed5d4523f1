#include "../support/modalda.h"
#include "../support/scriptedseams.h"
#include "../support/testserver.h"
#include "catalogue/stokayarinti.h"
#include "service/connection.h"
#include "service/sayfabaglami.h"
#include "service/servermethods.h"
#include "table/table.h"
#include "wire/objects.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace zelvora;

class TestStokayarinti : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hesap_data();
    void hesap();
    void dialogShowsWorkedExample();
    void discountRow_data();
    void discountRow();
    void f4TwiceDividesBy144();
    void enterInPriceDoesNothing();
    void quantityOutOfRangeIsNotSent();
    void addThenChangeAgainstServer();
};

void TestStokayarinti::hesap_data()
{
    QTest::addColumn<double>("fiyat");
    QTest::addColumn<int>("miktar");
    QTest::addColumn<double>("d1");
    QTest::addColumn<double>("d2");
    QTest::addColumn<double>("kdv");
    QTest::addColumn<double>("ind");
    QTest::addColumn<double>("birimNet");
    QTest::addColumn<double>("kdvdahil");
    QTest::addColumn<double>("genel");
    QTest::newRow("worked example") << 100.0 << 2 << 10.0 << 5.0 << 20.0 << 29.0 << 85.5 << 102.6 << 205.2;
    QTest::newRow("negative rate ignored")
        << 100.0 << 2 << -10.0 << 5.0 << 20.0 << 10.0 << 95.0 << 114.0 << 228.0;
    QTest::newRow("quantity 0") << 100.0 << 0 << 10.0 << 0.0 << 20.0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("rounded per step") << 10.0 << 3 << 33.0 << 0.0 << 18.0 << 9.9 << 6.7 << 7.91 << 23.73;
}

void TestStokayarinti::hesap()
{
    QFETCH(double, fiyat);
    QFETCH(int, miktar);
    QFETCH(double, d1);
    QFETCH(double, d2);
    QFETCH(double, kdv);
    QFETCH(double, ind);
    QFETCH(double, birimNet);
    QFETCH(double, kdvdahil);
    QFETCH(double, genel);
    const StokTutari s = StokTutariHesapla(fiyat, miktar, {d1, d2, 0, 0}, kdv);
    QVERIFY2(qAbs(s.indtutar - ind) < 1e-9, qPrintable(QString::number(s.indtutar)));
    QCOMPARE(s.birimNet, birimNet);
    QCOMPARE(s.kdvdahiltutar, kdvdahil);
    QCOMPARE(s.geneltutar, genel);
}

static std::unique_ptr<Tstokayarinti> OrnekDiyalog(double d1, double d2, double d3 = 0, double d4 = 0)
{
    auto d = Tstokayarinti::Ac(nullptr, 7);
    d->kdvoran = 20;
    d->kdvlifiyat = 120;
    d->birimfiyat->setValue(100);
    d->adet->setValue(2);
    d->edindirim1->setValue(d1);
    d->edindirim2->setValue(d2);
    d->edindirim3->setValue(d3);
    d->edindirim4->setValue(d4);
    return d;
}

void TestStokayarinti::dialogShowsWorkedExample()
{
    ScriptedSeams seams;
    auto d = OrnekDiyalog(10, 5);
    // Values a caller leaves in the result boxes are replaced on show.
    d->geneltutar->setValue(999);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    QCOMPARE(d->windowTitle(), QStringLiteral("Sepete Ekle"));
    QCOMPARE(d->indtutar->text(), QStringLiteral("29.00"));
    QCOMPARE(d->kdvdahiltutar->text(), QStringLiteral("102.60"));
    QCOMPARE(d->geneltutar->text(), QStringLiteral("205.20"));
    QVERIFY(d->indtutar->isVisibleTo(d.get()));
    QVERIFY(d->indirimoran->isVisibleTo(d.get()));

    // A changed quantity recomputes at once.
    d->adet->kutu()->selectAll();
    QTest::keyClicks(d->adet->kutu(), QStringLiteral("3"));
    QCOMPARE(d->geneltutar->text(), QStringLiteral("307.80"));
}

void TestStokayarinti::discountRow_data()
{
    QTest::addColumn<double>("d1");
    QTest::addColumn<double>("d2");
    QTest::addColumn<bool>("gorunur");
    QTest::addColumn<QString>("genel");
    QTest::newRow("0.5 and 0.4 stay hidden but apply") << 0.5 << 0.4 << false << QStringLiteral("237.84");
    QTest::newRow("exactly 1 stays hidden") << 0.6 << 0.4 << false << QStringLiteral("237.60");
    QTest::newRow("negative rate ignored, row by the plain sum")
        << -10.0 << 5.0 << false << QStringLiteral("228.00");
    QTest::newRow("no discount") << 0.0 << 0.0 << false << QStringLiteral("240.00");
}

void TestStokayarinti::discountRow()
{
    QFETCH(double, d1);
    QFETCH(double, d2);
    QFETCH(bool, gorunur);
    QFETCH(QString, genel);
    QCOMPARE(IndirimSatiriGorunur({d1, d2, 0, 0}), gorunur);
    ScriptedSeams seams;
    auto d = OrnekDiyalog(d1, d2);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    QCOMPARE(d->indtutar->isVisibleTo(d.get()), gorunur);
    QCOMPARE(d->indirimoran->isVisibleTo(d.get()), gorunur);
    QCOMPARE(d->geneltutar->text(), genel);
}

void TestStokayarinti::f4TwiceDividesBy144()
{
    ScriptedSeams seams;
    auto d = OrnekDiyalog(0, 0);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    // Read-only for a dealer, yet F4 still works in the price and result boxes.
    QVERIFY(d->birimfiyat->isReadOnly());
    QTest::keyClick(d->birimfiyat, Qt::Key_F4);
    QTest::keyClick(d->geneltutar, Qt::Key_F4);
    QVERIFY(qAbs(d->birimfiyat->value() - 100.0 / 1.44) < 1e-9);
    QCOMPARE(d->birimfiyat->text(), QStringLiteral("69.44"));
    QCOMPARE(F4Fiyati(F4Fiyati(100.0)), 100.0 / 1.2 / 1.2);
    // 69.444 × 2 = 138.89; unit 69.445 rounds half away to 69.45 → 83.34 with VAT.
    QCOMPARE(d->kdvdahiltutar->text(), QStringLiteral("83.34"));
}

void TestStokayarinti::enterInPriceDoesNothing()
{
    ScriptedSeams seams;
    auto d = OrnekDiyalog(0, 0);
    d->DuzenlemeyeAc(true);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    QVERIFY(d->GridPanel2->isVisibleTo(d.get()));
    QTest::keyClick(d->birimfiyat, Qt::Key_Return);
    QVERIFY(d->isVisible());
    QCOMPARE(d->result(), 0);
    // Enter in the quantity box confirms.
    QTest::keyClick(d->adet, Qt::Key_Return);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(d->adetSonucu(), 2.0);
}

void TestStokayarinti::quantityOutOfRangeIsNotSent()
{
    ScriptedSeams seams;
    auto d = OrnekDiyalog(0, 0);
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    d->adet->kutu()->setText(QStringLiteral("20000"));
    QTest::keyClick(d->adet, Qt::Key_Return);
    QVERIFY(d->isVisible());
    QCOMPARE(seams.dialogs().size(), 1);
    d->adet->kutu()->setText(QStringLiteral("0"));
    QCOMPARE(d->geneltutar->text(), QStringLiteral("0.00"));
    QCOMPARE(d->kdvdahiltutar->text(), QStringLiteral("0.00"));
}

void TestStokayarinti::addThenChangeAgainstServer()
{
    ScriptedSeams seams;
    TestServer server;
    QString hata;
    QVERIFY2(server.start(&hata), qPrintable(hata));
    seams.deployment.webAdresi = QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort());

    Connection bagc;
    bagc.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    bagc.setParam(QStringLiteral("Port"), QString::number(server.port()));

    auto dogrudan = server.openConnection();
    TServerMethods1Client istemci(dogrudan.get());
    TSonucBilgisi sbilgi;
    sbilgi.Kopyala(*istemci.BuyukGetir(QStringLiteral("TST-UNKNOWN-WS")));
    QVERIFY(sbilgi.CARINO() != 0);

    Table stok;
    {
        auto b = std::make_unique<TSonucBilgisi>();
        b->Kopyala(sbilgi);
        stok.assign(istemci.StokAraGetir(QStringLiteral("BALATA"), std::move(b)).table());
    }
    QVERIFY(stok.recordCount() > 0);
    stok.first();
    const qint32 no = stok.fieldByName(QStringLiteral("STOK_STOKNO")).asInteger();

    auto sunucuSatirlari = [&] {
        Table t;
        t.assign(istemci.SepetVer2(sbilgi.CARINO()).table());
        QList<qsizetype> satirlar;
        for (qsizetype r = 0; r < t.recordCount(); ++r) {
            if (t.value(r, t.indexOf(QStringLiteral("STOKNO"))).toInt() == no)
                satirlar.append(r);
        }
        return std::make_pair(t, satirlar);
    };
    QCOMPARE(sunucuSatirlari().second.size(), 0);

    Table sepet; // never loaded: the entry loads it before looking
    SayfaBaglami baglam;
    baglam.bagc = &bagc;
    baglam.sbilgi = &sbilgi;
    baglam.MusteriTipi = 1; // a representative may type discounts
    baglam.stok = &stok;
    baglam.sepet = &sepet;

    // "Sipariş ekle" sends the line.
    ModaldaYap<Tstokayarinti>([](Tstokayarinti *d) {
        d->adet->kutu()->setText(QStringLiteral("3"));
        QTest::mouseClick(d->ParcaliTus1, Qt::LeftButton);
    });
    StokSatiriAc(baglam, stok, SatirKaynagi::StokListesi, nullptr);
    {
        auto [t, satirlar] = sunucuSatirlari();
        QCOMPARE(satirlar.size(), 1);
        QCOMPARE(t.value(satirlar[0], t.indexOf(QStringLiteral("MIKTAR"))).toDouble(), 3.0);
    }
    const double depolanan1 = [&] {
        auto [t, satirlar] = sunucuSatirlari();
        return t.value(satirlar[0], t.indexOf(QStringLiteral("INDIRIMORANI1"))).toDouble();
    }();

    // The second double-click changes that line: the dialog comes with the
    // basket's quantity, and a discount typed in the box is not sent.
    bool degisiklikMi = false;
    ModaldaYap<Tstokayarinti>([&](Tstokayarinti *d) {
        degisiklikMi = d->adet->text() == QStringLiteral("3");
        d->edindirim1->setValue(depolanan1 + 7);
        d->adet->kutu()->setText(QStringLiteral("5"));
        QTest::keyClick(d->adet, Qt::Key_Enter);
    });
    StokSatiriAc(baglam, stok, SatirKaynagi::StokListesi, nullptr);
    QVERIFY(degisiklikMi);
    {
        auto [t, satirlar] = sunucuSatirlari();
        QCOMPARE(satirlar.size(), 1);
        QCOMPARE(t.value(satirlar[0], t.indexOf(QStringLiteral("MIKTAR"))).toDouble(), 5.0);
        QCOMPARE(t.value(satirlar[0], t.indexOf(QStringLiteral("INDIRIMORANI1"))).toDouble(), depolanan1);
    }

    // Cancel leaves the line alone.
    ModaldaYap<Tstokayarinti>([](Tstokayarinti *d) { QTest::mouseClick(d->ParcaliTus2, Qt::LeftButton); });
    StokSatiriAc(baglam, stok, SatirKaynagi::StokListesi, nullptr);
    QCOMPARE(sunucuSatirlari().second.size(), 1);
    QVERIFY(seams.errors().isEmpty());
}

QTEST_MAIN(TestStokayarinti)
#include "tst_stokayarinti.moc"
