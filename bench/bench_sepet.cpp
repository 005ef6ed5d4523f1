// The basket page on baskets of growing size: the page load from showing
// to rows on screen, the totals walk, and "Hepsini Seç" with its one mark
// call per line on a fresh connection, beside the same calls on one kept
// connection (what a bulk operation would save).
//
//   bench_sepet [runs]   (default 5 runs; medians)
#include "basket/sepetsayfasi.h"
#include "basket/sepettoplam.h"
#include "medianms.h"
#include "service/connection.h"
#include "service/sayfabaglami.h"
#include "service/servermethods.h"
#include "table/table.h"
#include "testserver.h"
#include "wire/objects.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

using namespace zelvora;

namespace {

std::unique_ptr<TSonucBilgisi> kopya(const TSonucBilgisi &sbilgi)
{
    auto k = std::make_unique<TSonucBilgisi>();
    k->Kopyala(sbilgi);
    return k;
}

void sepetiDoldur(const TestServer &server, const TSonucBilgisi &sbilgi, const Table &stok, int satir)
{
    auto c = server.openConnection();
    TServerMethods1Client client(c.get());
    client.SepetHepsiniSil(kopya(sbilgi));
    for (int i = 0; i < satir; ++i) {
        const qsizetype r = i % stok.recordCount();
        auto deger = [&](const char *ad) { return stok.value(r, stok.indexOf(QString::fromLatin1(ad))); };
        client.SepetEkle2(kopya(sbilgi), sbilgi.CARINO(), deger("STOK_STOKNO").toInt(),
                          deger("BARKOD").toString(), deger("ADI").toString(), 1 + i % 5,
                          deger("KDV").toDouble(), deger("FIYAT").toDouble(), 10, sbilgi.Sirano(), 0, 5, 0,
                          0);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    TestServer server(20000);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "server: %s\n", qPrintable(error));
        return 1;
    }
    TSonucBilgisi sbilgi;
    Table stok;
    {
        auto c = server.openConnection();
        TServerMethods1Client client(c.get());
        sbilgi.Kopyala(*client.BuyukGetir(QStringLiteral("BENCH")));
        stok.assign(client.StokAraGetir(QStringLiteral("FRE"), kopya(sbilgi)).table());
    }
    Connection bagc;
    bagc.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    bagc.setParam(QStringLiteral("Port"), QString::number(server.port()));

    Table sepet;
    QTabWidget sekmeler;
    QLineEdit araedit;
    SayfaBaglami baglam;
    baglam.bagc = &bagc;
    baglam.sbilgi = &sbilgi;
    baglam.sepet = &sepet;
    baglam.sayfalar = &sekmeler;
    auto *kap = new QWidget;
    sekmeler.addTab(kap, QStringLiteral("Sepet"));
    auto *sayfa = new TSepetSayfasi(baglam, &araedit, nullptr, kap);
    (new QVBoxLayout(kap))->addWidget(sayfa);
    sekmeler.resize(1600, 800);
    sekmeler.show();
    QSignalSpy bitti(sayfa, &TSepetSayfasi::yuklemeBitti);
    bitti.wait(20000);

    std::printf("%8s | %12s %10s | %16s %16s %10s\n", "lines", "page load ms", "totals ms", "select all ms",
                "one conn. ms", "per line");
    for (int satir : {10, 100, 500}) {
        sepetiDoldur(server, sbilgi, stok, satir);
        const double yukleme = medianMs(runs, [&] {
            bitti.clear();
            sayfa->ssepetShow();
            bitti.wait(60000);
            QApplication::processEvents();
        });
        const double toplam = medianMs(runs, [&] { SepetToplamHesapla(sepet); });
        const double hepsi = medianMs(runs, [&] { sayfa->Button4Click(); });
        const double tekBaglanti = medianMs(runs, [&] {
            auto c = bagc.clone();
            c->open();
            TServerMethods1Client client(c.get());
            for (qsizetype r = 0; r < sepet.recordCount(); ++r)
                client.SepetSecimGuncelle(sepet.value(r, sepet.indexOf(QStringLiteral("SIRANO"))).toInt(), 1);
        });
        std::printf("%8d | %12.1f %10.3f | %16.1f %16.1f %8.2f ms\n", int(sepet.recordCount()), yukleme,
                    toplam, hepsi, tekBaglanti, hepsi / std::max<qsizetype>(1, sepet.recordCount()));
    }
    return 0;
}
