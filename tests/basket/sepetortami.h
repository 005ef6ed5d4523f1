#pragma once

// A dealer's basket on a real server, put into the state a test needs
// through the service itself; the store is touched directly only for what
// the service cannot do (a cargo kind without firms).

#include "service/connection.h"
#include "service/servermethods.h"
#include "table/table.h"
#include "testserver.h"
#include "wire/objects.h"

#include <QTest>

#include <sqlite3.h>

class SepetOrtami
{
public:
    TestServer sunucu{400};
    zelvora::Connection bagc;
    zelvora::TSonucBilgisi sbilgi;

    bool baslat(QString *hata)
    {
        if (!sunucu.start(hata))
            return false;
        bagc.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
        bagc.setParam(QStringLiteral("Port"), QString::number(sunucu.port()));
        // The demo server gives an unknown workstation the DEMO dealer.
        auto c = sunucu.openConnection();
        zelvora::TServerMethods1Client istemci(c.get());
        sbilgi.Kopyala(*istemci.BuyukGetir(QStringLiteral("TST-SEPET-WS")));
        return sbilgi.CARINO() != 0;
    }

    std::unique_ptr<zelvora::TSonucBilgisi> kopya() const
    {
        auto k = std::make_unique<zelvora::TSonucBilgisi>();
        k->Kopyala(sbilgi);
        return k;
    }

    // Empties the basket and puts `adet` items in it, quantities 1, 2, 3 …,
    // every line marked as the server marks a new line.
    void hazirla(int adet)
    {
        auto c = sunucu.openConnection();
        zelvora::TServerMethods1Client istemci(c.get());
        istemci.SepetHepsiniSil(kopya());
        if (adet == 0)
            return;
        zelvora::Table stok;
        stok.assign(istemci.StokAraGetir(QStringLiteral("BALATA"), kopya()).table());
        QVERIFY(stok.recordCount() >= adet);
        for (int i = 0; i < adet; ++i) {
            stok.setRecNo(i);
            auto alan = [&](const char *ad) { return stok.fieldByName(QString::fromLatin1(ad)); };
            const qint32 sonuc = istemci.SepetEkle2(kopya(), sbilgi.CARINO(), alan("STOK_STOKNO").asInteger(),
                                                    alan("BARKOD").asString(), alan("ADI").asString(), i + 1,
                                                    alan("KDV").asFloat(), alan("FIYAT").asFloat(), 10,
                                                    sbilgi.Sirano(), 0, 0, 0, 0);
            QCOMPARE(sonuc, 1);
        }
    }

    zelvora::Table sunucudakiSepet() const
    {
        auto c = sunucu.openConnection();
        zelvora::TServerMethods1Client istemci(c.get());
        zelvora::Table t;
        t.assign(istemci.SepetVer2(sbilgi.CARINO()).table());
        return t;
    }

    void isaretle(qint32 sirano, qint32 sec) const
    {
        auto c = sunucu.openConnection();
        zelvora::TServerMethods1Client istemci(c.get());
        istemci.SepetSecimGuncelle(sirano, sec);
    }

    QList<qint32> siranolar() const
    {
        zelvora::Table t = sunucudakiSepet();
        QList<qint32> liste;
        for (qsizetype r = 0; r < t.recordCount(); ++r)
            liste.append(t.value(r, t.indexOf(QStringLiteral("SIRANO"))).toInt());
        return liste;
    }

    // The marks the server holds, line by line in the basket's order.
    QList<int> isaretler() const
    {
        zelvora::Table t = sunucudakiSepet();
        QList<int> liste;
        for (qsizetype r = 0; r < t.recordCount(); ++r)
            liste.append(t.value(r, t.indexOf(QStringLiteral("SEC"))).toInt());
        return liste;
    }

    qsizetype oncekiSiparisSayisi() const
    {
        auto c = sunucu.openConnection();
        zelvora::TServerMethods1Client istemci(c.get());
        zelvora::TableReader *okuyucu = istemci.OncekiSiparisler(sbilgi.CARINO());
        qsizetype n = 0;
        while (okuyucu && okuyucu->next())
            ++n;
        return n;
    }

    bool sql(const char *komut) const
    {
        sqlite3 *db = nullptr;
        const QByteArray yol = sunucu.databasePath().toUtf8();
        bool tamam = sqlite3_open(yol.constData(), &db) == SQLITE_OK;
        if (tamam) {
            sqlite3_busy_timeout(db, 10000);
            tamam = sqlite3_exec(db, komut, nullptr, nullptr, nullptr) == SQLITE_OK;
        }
        sqlite3_close(db);
        return tamam;
    }
};
