// The representative workspace (customer selection, status board, reports)
// and the request forms, against a real server on its demo data.
#include "server/demo/demodata.h"
#include "server/storage/db.h"
#include "server/storage/schema.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "service/streamcopy.h"
#include "testserver.h"

#include <QSet>
#include <QTest>

#include <cmath>
#include <limits>

using namespace zelvora;
using zelvora::server::Db;
using zelvora::server::SiparisDurumu;
using zelvora::server::Statement;

namespace {

const bool offscreen = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();

server::DemoLogin demoGirisi(const QString &user)
{
    for (const server::DemoLogin &l : server::demoLogins()) {
        if (l.user == user)
            return l;
    }
    return {};
}

Table oku(TableReader *reader)
{
    Table t;
    if (reader)
        LoadFromReader(*reader, t);
    return t;
}

bool yakin(double a, double b)
{
    return std::fabs(a - b) < 0.005;
}

// The client's comma-text of a list of lines.
QString virgulluMetin(const QStringList &satirlar)
{
    QStringList parcalar;
    for (const QString &satir : satirlar) {
        bool tirnakli = false;
        for (const QChar ch : satir) {
            if (ch.unicode() <= 32 || ch == QLatin1Char(',') || ch == QLatin1Char('"'))
                tirnakli = true;
        }
        if (tirnakli) {
            QString ic = satir;
            ic.replace(QLatin1Char('"'), QStringLiteral("\"\""));
            parcalar << QLatin1Char('"') + ic + QLatin1Char('"');
        } else {
            parcalar << satir;
        }
    }
    return parcalar.join(QLatin1Char(','));
}

const char *const durumKolonlari[] = {"ALINDI", "ONAYLANDI", "GORULDU", "PARCALIHAZIRLANDI", "HAZIRLANDI"};

} // namespace

class TestOpsRepresentative : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void customerListScope_data();
    void customerListScope();
    void customerListColumns();
    void turkishSearch_data();
    void turkishSearch();
    void boardAgreesWithLists_data();
    void boardAgreesWithLists();
    void dealerSeesNoBoard();
    void receivedOrdersReport_data();
    void receivedOrdersReport();
    void soldItemsReport();
    void printedReports_data();
    void printedReports();
    void passwordRequestIsStored();
    void mailWithBodyIsStoredDecoded();
    void oversizedRequestIsRefused();
    void customerCardOfWorkstation_data();
    void customerCardOfWorkstation();
    void oddInputsGiveEmptyAnswers();

private:
    // A fresh copy of the login record of a demo user, as the client sends it.
    std::unique_ptr<TSonucBilgisi> giris(const QString &user);
    QSet<qint64> kapsamdakiCariler(const QString &user);

    TestServer m_server{200};
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<TServerMethods1Client> m_client;
    std::unique_ptr<Db> m_db;
};

void TestOpsRepresentative::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    m_connection = m_server.openConnection();
    m_client = std::make_unique<TServerMethods1Client>(m_connection.get());
    m_db = Db::open(m_server.databasePath());
}

std::unique_ptr<TSonucBilgisi> TestOpsRepresentative::giris(const QString &user)
{
    auto kopya = std::make_unique<TSonucBilgisi>();
    TSonucBilgisi *kayit = m_client->BuyukGetir(demoGirisi(user).workstation);
    if (kayit)
        kopya->Kopyala(*kayit);
    return kopya;
}

// Kind 1 looks after the customers whose representative he is, kind 2 after
// all of them, a dealer after none in this workspace.
QSet<qint64> TestOpsRepresentative::kapsamdakiCariler(const QString &user)
{
    const server::DemoLogin l = demoGirisi(user);
    QSet<qint64> out;
    if (l.kind != 1 && l.kind != 2)
        return out;
    Statement st = m_db->prepare(QStringLiteral("SELECT CARINO FROM CARI WHERE ? = 2 OR SATICINO = ?"));
    st.bindAll({qint64(l.kind), qint64(l.saticiNo)});
    while (st.step())
        out.insert(st.int64(0));
    return out;
}

void TestOpsRepresentative::customerListScope_data()
{
    QTest::addColumn<QString>("user");
    QTest::newRow("representative AHMET") << QStringLiteral("AHMET");
    QTest::newRow("representative MEHMET") << QStringLiteral("MEHMET");
    QTest::newRow("sales manager") << QStringLiteral("AYSE");
    QTest::newRow("dealer") << QStringLiteral("KARTAL");
    QTest::newRow("kind 4 dealer") << QStringLiteral("MARMARA");
}

void TestOpsRepresentative::customerListScope()
{
    QFETCH(QString, user);
    const QSet<qint64> beklenen = kapsamdakiCariler(user);
    Table liste = oku(m_client->CariAra(giris(user), QString()));
    QSet<qint64> gelen;
    for (liste.first(); !liste.eof(); liste.next())
        gelen.insert(liste.fieldByName(QStringLiteral("CARINO")).asInteger());
    QCOMPARE(gelen, beklenen);
    QCOMPARE(liste.recordCount(), qsizetype(beklenen.size()));
    if (demoGirisi(user).kind == 1) {
        const QString satici =
            m_db->scalarText(QStringLiteral("SELECT SATICIADI FROM SATICI WHERE SATICINO = ?"),
                             {qint64(demoGirisi(user).saticiNo)});
        for (liste.first(); !liste.eof(); liste.next())
            QCOMPARE(liste.fieldByName(QStringLiteral("SATICISI")).asString(), satici);
    }

    // A forged record (right serial, wrong password) sees nothing.
    auto sahte = giris(user);
    sahte->setSIFRE(QStringLiteral("YANLIS"));
    sahte->setMusteriTipi(2);
    QCOMPARE(oku(m_client->CariAra(std::move(sahte), QString())).recordCount(), 0);
}

void TestOpsRepresentative::customerListColumns()
{
    Table liste = oku(m_client->CariAra(giris(QStringLiteral("AYSE")), QString()));
    QVERIFY(liste.recordCount() > 10);
    const struct
    {
        const char *name;
        FieldKind kind;
    } columns[] = {
        {"CARINO", FieldKind::Integer},
        {"CARIKOD", FieldKind::Text},
        {"CARIADI", FieldKind::Text},
        {"SATICISI", FieldKind::Text},
        {"TLBAKIYE", FieldKind::Float},
        {"DURUM", FieldKind::Text},
        {"OZELKOD", FieldKind::Text},
        {"KOD1", FieldKind::Text},
        {"KOD5", FieldKind::Text},
        {"TEL1", FieldKind::Text},
        {"TEL2", FieldKind::Text},
        {"ILCE", FieldKind::Text},
        {"IL", FieldKind::Text},
        {"GSM", FieldKind::Text},
        {"SEPET", FieldKind::Integer},
        {"YETKILI", FieldKind::Text},
        {"INDIRIM", FieldKind::Float},
        {"VADE", FieldKind::Integer},
        {"VADEKONTROLGUN", FieldKind::Integer},
        {"VADEKONTROLAY", FieldKind::Integer},
        {"VERGIDAIRESI", FieldKind::Text},
        {"VERGINO", FieldKind::Text},
        {"ADRES1", FieldKind::Text},
        {"ADRES2", FieldKind::Text},
        {"ANAGRUP", FieldKind::Text},
        {"ALTGRUP", FieldKind::Text},
        {"FAX1", FieldKind::Text},
        {"FAX2", FieldKind::Text},
        {"EMAIL", FieldKind::Text},
        {"ALINDI", FieldKind::Integer},
        {"ONAYLANDI", FieldKind::Integer},
        {"GORULDU", FieldKind::Integer},
        {"HAZIRLANDI", FieldKind::Integer},
        {"PARCALIHAZIRLANDI", FieldKind::Integer},
    };
    for (const auto &c : columns)
        QVERIFY2(liste.fieldByName(QLatin1String(c.name)).kind() == c.kind, c.name);

    // Balance size with its side, as the details panel prints them.
    for (liste.first(); !liste.eof(); liste.next()) {
        const qint64 carino = liste.fieldByName(QStringLiteral("CARINO")).asInteger();
        QVERIFY(carino >= 1);
        const double bakiye = m_db->scalarReal(
            QStringLiteral("SELECT COALESCE(SUM(BORC - ALACAK), 0) FROM CARIHAREKET WHERE CARINO = ?"),
            {carino});
        QVERIFY(yakin(liste.fieldByName(QStringLiteral("TLBAKIYE")).asFloat(), std::fabs(bakiye)));
        const QString durum = liste.fieldByName(QStringLiteral("DURUM")).asString();
        QCOMPARE(durum, bakiye > 0.005    ? QStringLiteral("Borçlu")
                        : bakiye < -0.005 ? QStringLiteral("Alacaklı")
                                          : QString());
        QCOMPARE(
            liste.fieldByName(QStringLiteral("SEPET")).asInteger(),
            qint32(m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM SEPET WHERE CARINO = ?"), {carino})));
        QCOMPARE(liste.fieldByName(QStringLiteral("HAZIRLANDI")).asInteger(),
                 qint32(m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM SIPARIS WHERE CARINO = ? AND "
                                                       "DURUMKODU = ?"),
                                        {carino, qint64(SiparisDurumu::Hazirlandi)})));
    }
}

void TestOpsRepresentative::turkishSearch_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("aranan");
    QTest::addColumn<QList<qint64>>("beklenen");
    // Customer 5 is "KARADENİZ OTO MALZEMELERİ TİC. LTD. ŞTİ." (representative 3),
    // customer 6 "ULUDAĞ OTO YEDEK PARÇA" (representative 1).
    const QList<qint64> karadeniz{5}, uludag{6}, hicbiri{};
    QTest::newRow("plain Latin as the client sends it")
        << QStringLiteral("AYSE") << QStringLiteral("KARADENIZ OTO") << karadeniz;
    QTest::newRow("Turkish capitals")
        << QStringLiteral("AYSE") << QStringLiteral("KARADENİZ OTO MALZEMELERİ") << karadeniz;
    QTest::newRow("blanks around") << QStringLiteral("AYSE") << QStringLiteral("  ULUDAG OTO  ") << uludag;
    QTest::newRow("soft g written plain") << QStringLiteral("AHMET") << QStringLiteral("ULUDAG") << uludag;
    QTest::newRow("outside his customers")
        << QStringLiteral("AHMET") << QStringLiteral("KARADENIZ OTO MALZ") << hicbiri;
    QTest::newRow("percent is literal") << QStringLiteral("AYSE") << QStringLiteral("%") << hicbiri;
    QTest::newRow("underscore is literal") << QStringLiteral("AYSE") << QStringLiteral("_") << hicbiri;
    QTest::newRow("dealer finds nothing") << QStringLiteral("DEMO") << QStringLiteral("ULUDAG") << hicbiri;
}

void TestOpsRepresentative::turkishSearch()
{
    QFETCH(QString, user);
    QFETCH(QString, aranan);
    QFETCH(QList<qint64>, beklenen);
    Table liste = oku(m_client->CariAra(giris(user), aranan));
    QList<qint64> gelen;
    for (liste.first(); !liste.eof(); liste.next())
        gelen << liste.fieldByName(QStringLiteral("CARINO")).asInteger();
    QCOMPARE(gelen, beklenen);

    // A piece of the account code finds every customer of that city.
    const qint64 trabzon = m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM CARI WHERE CARIKOD LIKE ?"),
                                           {QStringLiteral("120.61.%")});
    QCOMPARE(oku(m_client->CariAra(giris(QStringLiteral("AYSE")), QStringLiteral("120.61."))).recordCount(),
             trabzon);
}

void TestOpsRepresentative::boardAgreesWithLists_data()
{
    QTest::addColumn<QString>("user");
    QTest::newRow("representative") << QStringLiteral("AHMET");
    QTest::newRow("sales manager") << QStringLiteral("AYSE");
}

void TestOpsRepresentative::boardAgreesWithLists()
{
    QFETCH(QString, user);
    const QSet<qint64> kapsam = kapsamdakiCariler(user);

    TTusSonuclari tus;
    TTusSonuclari *gelen = m_client->TusSonuclariVer(giris(user));
    QVERIFY(gelen);
    tus.Kopyala(*gelen);
    const qint32 sayilar[] = {tus.Alindi(),     tus.Onaylandi(), tus.Goruldu(), tus.ParcaliHazirlandi(),
                              tus.Hazirlandi(), tus.SevkEdildi()};
    QVERIFY(tus.Alindi() + tus.Onaylandi() + tus.Goruldu() > 0);

    // Buttons 2..7 list the customers with orders in status n - 1; the
    // list's per-status column adds up to the button's number.
    for (int n = 2; n <= 7; ++n) {
        const int durum = n - 1;
        Table liste = oku(m_client->CariSepetVer(giris(user), n));
        qint64 dbSayi = 0;
        QSet<qint64> dbCariler;
        Statement st = m_db->prepare(QStringLiteral("SELECT CARINO FROM SIPARIS WHERE DURUMKODU = ?"));
        st.bindAll({qint64(durum)});
        while (st.step()) {
            if (kapsam.contains(st.int64(0))) {
                ++dbSayi;
                dbCariler.insert(st.int64(0));
            }
        }
        // The object's counts follow the status codes 1..6 in the same order.
        QCOMPARE(qint64(sayilar[durum - 1]), dbSayi);
        QCOMPARE(liste.recordCount(), qsizetype(dbCariler.size()));
        const char *kolon = nullptr;
        switch (SiparisDurumu(durum)) {
        case SiparisDurumu::Alindi:
            kolon = durumKolonlari[0];
            break;
        case SiparisDurumu::Onaylandi:
            kolon = durumKolonlari[1];
            break;
        case SiparisDurumu::Goruldu:
            kolon = durumKolonlari[2];
            break;
        case SiparisDurumu::ParcaliHazirlandi:
            kolon = durumKolonlari[3];
            break;
        case SiparisDurumu::Hazirlandi:
            kolon = durumKolonlari[4];
            break;
        case SiparisDurumu::SevkEdildi:
            break;
        }
        qint64 toplam = 0;
        for (liste.first(); !liste.eof(); liste.next()) {
            QVERIFY(dbCariler.contains(liste.fieldByName(QStringLiteral("CARINO")).asInteger()));
            if (kolon) {
                const qint32 v = liste.fieldByName(QLatin1String(kolon)).asInteger();
                QVERIFY(v >= 1);
                toplam += v;
            }
        }
        if (kolon)
            QCOMPARE(toplam, dbSayi);
    }

    // Button 1: customers with a basket, as many as SepetSayisi says.
    Table sepetli = oku(m_client->CariSepetVer(giris(user), 1));
    const qint32 sepetSayisi = m_client->SepetSayisi(giris(user));
    QCOMPARE(sepetli.recordCount(), qsizetype(sepetSayisi));
    qsizetype dbSepetli = 0;
    for (qint64 carino : kapsam) {
        if (m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM SEPET WHERE CARINO = ?"), {carino}) > 0)
            ++dbSepetli;
    }
    QCOMPARE(qsizetype(sepetSayisi), dbSepetli);
    for (sepetli.first(); !sepetli.eof(); sepetli.next())
        QVERIFY(sepetli.fieldByName(QStringLiteral("SEPET")).asInteger() >= 1);

    // No such button: an empty list with its columns.
    Table yok = oku(m_client->CariSepetVer(giris(user), 99));
    QCOMPARE(yok.recordCount(), 0);
    QVERIFY(yok.findField(QStringLiteral("CARINO")).isValid());
}

void TestOpsRepresentative::dealerSeesNoBoard()
{
    QCOMPARE(m_client->SepetSayisi(giris(QStringLiteral("DEMO"))), 0);
    TTusSonuclari *tus = m_client->TusSonuclariVer(giris(QStringLiteral("DEMO")));
    QVERIFY(tus);
    QCOMPARE(tus->Alindi() + tus->Onaylandi() + tus->Goruldu() + tus->ParcaliHazirlandi() +
                 tus->Hazirlandi() + tus->SevkEdildi(),
             0);
    QCOMPARE(oku(m_client->CariSepetVer(giris(QStringLiteral("DEMO")), 1)).recordCount(), 0);
}

void TestOpsRepresentative::receivedOrdersReport_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("gunSayisi");
    QTest::addColumn<bool>("ters");
    QTest::newRow("manager, one day") << QStringLiteral("AYSE") << 0 << false;
    QTest::newRow("manager, a month reversed") << QStringLiteral("AYSE") << 30 << true;
    QTest::newRow("representative, two months") << QStringLiteral("AHMET") << 60 << false;
}

void TestOpsRepresentative::receivedOrdersReport()
{
    QFETCH(QString, user);
    QFETCH(int, gunSayisi);
    QFETCH(bool, ters);
    const QSet<qint64> kapsam = kapsamdakiCariler(user);
    // The newest order's day, at midnight, as the date picker sends it.
    const double son = std::floor(m_db->scalarReal(QStringLiteral("SELECT MAX(TARIH) FROM SIPARIS")));
    const double ilk = son - gunSayisi;

    Table rapor = oku(ters ? m_client->RaporAlinanSiparisler(giris(user), son, ilk)
                           : m_client->RaporAlinanSiparisler(giris(user), ilk, son));
    const struct
    {
        const char *name;
        FieldKind kind;
    } columns[] = {
        {"SATICIADI", FieldKind::Text},    {"IDNO", FieldKind::Float},    {"CARINO", FieldKind::Integer},
        {"TARIH", FieldKind::DateTime},    {"KUR", FieldKind::Text},      {"KURTL", FieldKind::Float},
        {"VERENIDNO", FieldKind::Integer}, {"KARGO", FieldKind::Text},    {"TESLIM", FieldKind::Text},
        {"VEREN", FieldKind::Text},        {"CARIKOD", FieldKind::Text},  {"CARIADI", FieldKind::Text},
        {"DURUM", FieldKind::Text},        {"KARGOADI", FieldKind::Text}, {"VERGI", FieldKind::Float},
        {"NETTUTAR", FieldKind::Float},    {"TUTAR", FieldKind::Float},
    };
    for (const auto &c : columns)
        QVERIFY2(rapor.fieldByName(QLatin1String(c.name)).kind() == c.kind, c.name);

    qint64 beklenen = 0;
    Statement st = m_db->prepare(QStringLiteral("SELECT CARINO FROM SIPARIS WHERE TARIH >= ? AND TARIH < ?"));
    st.bindAll({ilk, son + 1});
    while (st.step())
        beklenen += kapsam.contains(st.int64(0)) ? 1 : 0;
    QVERIFY(beklenen > 0);
    QCOMPARE(qint64(rapor.recordCount()), beklenen);

    QString oncekiSatici;
    for (rapor.first(); !rapor.eof(); rapor.next()) {
        const double tarih = rapor.fieldByName(QStringLiteral("TARIH")).asFloat();
        // The end day counts whole: orders placed during it are in.
        QVERIFY(tarih >= ilk && tarih < son + 1);
        QVERIFY(kapsam.contains(rapor.fieldByName(QStringLiteral("CARINO")).asInteger()));
        QVERIFY(yakin(rapor.fieldByName(QStringLiteral("TUTAR")).asFloat(),
                      rapor.fieldByName(QStringLiteral("NETTUTAR")).asFloat() +
                          rapor.fieldByName(QStringLiteral("VERGI")).asFloat()));
        QVERIFY(rapor.fieldByName(QStringLiteral("TUTAR")).asFloat() > 0);
        QVERIFY(!rapor.fieldByName(QStringLiteral("DURUM")).asString().isEmpty());
        QVERIFY(!rapor.fieldByName(QStringLiteral("KARGO")).asString().isEmpty());
        const QString satici = rapor.fieldByName(QStringLiteral("SATICIADI")).asString();
        QVERIFY(satici >= oncekiSatici);
        oncekiSatici = satici;
    }
}

void TestOpsRepresentative::soldItemsReport()
{
    const double son = std::floor(m_db->scalarReal(QStringLiteral("SELECT MAX(TARIH) FROM FATURA")));
    Table rapor = oku(m_client->RaporEnCokSatilanStoklar(giris(QStringLiteral("AYSE")), son - 200, son));
    for (const char *name : {"BARKOD", "KOD", "ADI", "DEPARTMAN"})
        QVERIFY2(rapor.fieldByName(QLatin1String(name)).kind() == FieldKind::Text, name);
    for (const char *name : {"MIKTAR", "NETTUTAR", "TLVERGI", "TUTAR"})
        QVERIFY2(rapor.fieldByName(QLatin1String(name)).kind() == FieldKind::Float, name);
    QVERIFY(rapor.recordCount() > 5);

    double onceki = 1e300, miktar = 0;
    for (rapor.first(); !rapor.eof(); rapor.next()) {
        const double m = rapor.fieldByName(QStringLiteral("MIKTAR")).asFloat();
        QVERIFY(m <= onceki);
        onceki = m;
        miktar += m;
        QVERIFY(yakin(rapor.fieldByName(QStringLiteral("TUTAR")).asFloat(),
                      rapor.fieldByName(QStringLiteral("NETTUTAR")).asFloat() +
                          rapor.fieldByName(QStringLiteral("TLVERGI")).asFloat()));
    }
    // Sold less returned, over every invoice of the period.
    const double satis =
        m_db->scalarReal(QStringLiteral("SELECT COALESCE(SUM(s.STOKHAR_MIKTAR), 0) FROM FATURASATIR s "
                                        "JOIN FATURA f ON f.IDNO = s.IDNO WHERE f.TURU = ? "
                                        "AND f.TARIH >= ? AND f.TARIH < ?"),
                         {QStringLiteral("Satış Faturası"), son - 200, son + 1});
    const double iade =
        m_db->scalarReal(QStringLiteral("SELECT COALESCE(SUM(s.STOKHAR_MIKTAR), 0) FROM FATURASATIR s "
                                        "JOIN FATURA f ON f.IDNO = s.IDNO WHERE f.TURU = ? "
                                        "AND f.TARIH >= ? AND f.TARIH < ?"),
                         {QStringLiteral("İade Faturası"), son - 200, son + 1});
    QVERIFY(yakin(miktar, satis - iade));

    // A representative's items are a part of the manager's.
    Table kendi = oku(m_client->RaporEnCokSatilanStoklar(giris(QStringLiteral("AHMET")), son, son - 200));
    QVERIFY(kendi.recordCount() > 0);
    QVERIFY(kendi.recordCount() <= rapor.recordCount());
}

void TestOpsRepresentative::printedReports_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("raporno");
    QTest::addColumn<qint32>("carino");
    QTest::addColumn<QString>("saticiadi");
    QTest::addColumn<bool>("pdf");
    QTest::newRow("account summary") << QStringLiteral("AYSE") << 6 << 1 << QStringLiteral("AHMET YILMAZ")
                                     << true;
    QTest::newRow("receivables, all") << QStringLiteral("AYSE") << 6 << 0 << QStringLiteral(".") << true;
    QTest::newRow("receivables, own customers")
        << QStringLiteral("AHMET") << 6 << 0 << QStringLiteral("AHMET") << true;
    QTest::newRow("sales table") << QStringLiteral("AYSE") << 7 << 3 << QStringLiteral("MEHMET DEMİR")
                                 << true;
    QTest::newRow("summary outside his customers")
        << QStringLiteral("AHMET") << 6 << 5 << QStringLiteral(".") << false;
    QTest::newRow("unknown report") << QStringLiteral("AYSE") << 99 << 1 << QStringLiteral(".") << false;
}

void TestOpsRepresentative::printedReports()
{
    QFETCH(QString, user);
    QFETCH(int, raporno);
    QFETCH(qint32, carino);
    QFETCH(QString, saticiadi);
    QFETCH(bool, pdf);
    const qint32 idno = giris(user)->Sirano();
    const double son = std::floor(m_db->scalarReal(QStringLiteral("SELECT MAX(TARIH) FROM CARIHAREKET")));
    const double ilk = raporno == 7 ? son - 120 : son;

    qint64 boy = -1;
    QIODevice *stream = m_client->RaporGetir(raporno, raporno, idno, carino, saticiadi, ilk, son, boy);
    if (!pdf) {
        QCOMPARE(boy, qint64(0));
        return;
    }
    QVERIFY(boy > 0);
    const std::optional<QByteArray> bytes = CopyAnnouncedStream(stream, boy);
    QVERIFY(bytes.has_value());
    QCOMPARE(qint64(bytes->size()), boy);
    QVERIFY(bytes->startsWith("%PDF"));
}

void TestOpsRepresentative::passwordRequestIsStored()
{
    const QStringList alanlar = {QStringLiteral("ZLVDEMO01"),
                                 QStringLiteral("Şifre Değiştirme İsteği"),
                                 QStringLiteral("DEMO OTOMOTİV"),
                                 QStringLiteral("ORTAKLAR SANAYİ"),
                                 QString(),
                                 QStringLiteral("BAYRAMPAŞA"),
                                 QStringLiteral("İSTANBUL"),
                                 QStringLiteral("0212 567 34 10"),
                                 QString(),
                                 QString(),
                                 QString(),
                                 QStringLiteral("Serkan Demirtaş"),
                                 QStringLiteral("DEMO"),
                                 QStringLiteral("YENI1234"),
                                 QStringLiteral("info@demootomotiv.com.tr"),
                                 QString()};
    const qint64 once = m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM ISTEK"));
    QCOMPARE(m_client->MailGonserCari(alanlar[0], alanlar[1], alanlar[2], alanlar[3], alanlar[4], alanlar[5],
                                      alanlar[6], alanlar[7], alanlar[8], alanlar[9], alanlar[10],
                                      alanlar[11], alanlar[12], alanlar[13], alanlar[14], alanlar[15]),
             1);
    QCOMPARE(m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM ISTEK")), once + 1);
    Statement st = m_db->prepare(QStringLiteral(
        "SELECT TUR, IDSI, BASLIK, FIRMAADI, ADRES1, ADRES2, ILCE, SEHIR, TELEFON, FAX, VD, VN, YETKILI, "
        "KULLANICIADI, SIFRE, MAIL, KARGOAMBAR, KONU, ZAMAN FROM ISTEK ORDER BY SIRANO DESC LIMIT 1"));
    QVERIFY(st.step());
    QCOMPARE(st.text(0), QStringLiteral("SIFRE"));
    for (int i = 0; i < 16; ++i)
        QCOMPARE(st.text(i + 1), alanlar[i]);
    QCOMPARE(st.text(17), QString());
    QVERIFY(st.real(18) > 40000);
}

void TestOpsRepresentative::mailWithBodyIsStoredDecoded()
{
    const QStringList satirlar = {QStringLiteral("Merhaba,"),
                                  QStringLiteral("Sipariş \"12345\" eksik geldi."), QString(),
                                  QStringLiteral("Teşekkürler"), QStringLiteral("\tSerkan")};
    QCOMPARE(m_client->MailGonserCariNormal(
                 QStringLiteral("ZLVDEMO01"), QStringLiteral("Eksik ürün"), QStringLiteral("DEMO OTOMOTİV"),
                 QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("BAYRAMPAŞA"),
                 QStringLiteral("İSTANBUL"), QStringLiteral("0212"), QStringLiteral("0213"),
                 QStringLiteral("BAYRAMPAŞA V.D."), QStringLiteral("2910457731"), QStringLiteral("Serkan"),
                 QStringLiteral("DEMO"), QStringLiteral("1234"), QStringLiteral("info@demootomotiv.com.tr"),
                 QString(), virgulluMetin(satirlar)),
             1);
    Statement st =
        m_db->prepare(QStringLiteral("SELECT TUR, BASLIK, VN, KONU FROM ISTEK ORDER BY SIRANO DESC LIMIT 1"));
    QVERIFY(st.step());
    QCOMPARE(st.text(0), QStringLiteral("MAIL"));
    QCOMPARE(st.text(1), QStringLiteral("Eksik ürün"));
    QCOMPARE(st.text(2), QStringLiteral("2910457731"));
    QCOMPARE(st.text(3), satirlar.join(QLatin1Char('\n')));
}

void TestOpsRepresentative::oversizedRequestIsRefused()
{
    const qint64 once = m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM ISTEK"));
    const QString uzun(5000, QLatin1Char('x'));
    const QString k;
    QCOMPARE(m_client->MailGonserCari(k, k, uzun, k, k, k, k, k, k, k, k, k, k, k, k, k), 0);
    QCOMPARE(m_client->MailGonserCariNormal(k, k, k, k, k, k, k, k, k, k, k, k, k, k, k, k,
                                            QString(70000, QLatin1Char('y'))),
             0);
    QCOMPARE(m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM ISTEK")), once);
}

void TestOpsRepresentative::customerCardOfWorkstation_data()
{
    QTest::addColumn<QString>("idsi");
    QTest::addColumn<QString>("user");
    QTest::newRow("bound dealer") << demoGirisi(QStringLiteral("YILDIZ")).workstation
                                  << QStringLiteral("YILDIZ");
    QTest::newRow("unknown on the demo server")
        << QStringLiteral("S3YJNX0M123456") << server::demoDealerUser();
}

void TestOpsRepresentative::customerCardOfWorkstation()
{
    QFETCH(QString, idsi);
    QFETCH(QString, user);
    const server::DemoLogin l = demoGirisi(user);
    TMobilCariBilgisi *cari = m_client->MobilCariBilgisiGetir(0, idsi);
    QVERIFY(cari);
    QCOMPARE(cari->CARINO(), qint32(l.carino));
    QCOMPARE(cari->KULLANICIADI(), l.user);
    QCOMPARE(cari->SIFRE(), l.password);
    QCOMPARE(cari->BILGISAYARID(), idsi);
    QVERIFY(cari->MAIL().contains(QLatin1Char('@')));

    Statement st = m_db->prepare(
        QStringLiteral("SELECT CARIKOD, CARIADI, ADRES1, ADRES2, ILCE, IL, TEL1, FAX1, VERGIDAIRESI, "
                       "VERGINO, YETKILI, EMAIL, "
                       "ULKE, GSM, ANAGRUP, ALTGRUP, OZELKOD, TEL2, FAX2 FROM CARI WHERE CARINO = ?"));
    st.bindAll({l.carino});
    QVERIFY(st.step());
    QCOMPARE(cari->CARIKOD(), st.text(0));
    QCOMPARE(cari->CARIADI(), st.text(1));
    QCOMPARE(cari->ADRES1(), st.text(2));
    QCOMPARE(cari->ADRES2(), st.text(3));
    QCOMPARE(cari->ILCE(), st.text(4));
    QCOMPARE(cari->SEHIR(), st.text(5));
    QCOMPARE(cari->TEL1(), st.text(6));
    QCOMPARE(cari->FAX1(), st.text(7));
    QCOMPARE(cari->VERGIDAIRESI(), st.text(8));
    QCOMPARE(cari->VERGINO(), st.text(9));
    QCOMPARE(cari->YETKILI(), st.text(10));
    QCOMPARE(cari->EMAIL(), st.text(11));
    QCOMPARE(cari->ULKE(), st.text(12));
    QCOMPARE(cari->GSM(), st.text(13));
    QCOMPARE(cari->AnaGrup(), st.text(14));
    QCOMPARE(cari->AltGrup(), st.text(15));
    QCOMPARE(cari->OzelKod(), st.text(16));
    QCOMPARE(cari->TEL2(), st.text(17));
    QCOMPARE(cari->FAX2(), st.text(18));
    QVERIFY(!cari->SATICIADI().isEmpty());
    QVERIFY(!cari->SATICITELEFON().isEmpty());
    QVERIFY(cari->SATICIMAIL().contains(QLatin1Char('@')));
    QVERIFY(yakin(cari->TLBAKIYE(), cari->TLBORC() - cari->TLALACAK()));
    QVERIFY(
        yakin(cari->TLBAKIYE(),
              m_db->scalarReal(QStringLiteral("SELECT SUM(BORC - ALACAK) FROM CARIHAREKET WHERE CARINO = ?"),
                               {l.carino})));
}

void TestOpsRepresentative::oddInputsGiveEmptyAnswers()
{
    const double nan = std::nan(""), inf = HUGE_VAL;
    QCOMPARE(oku(m_client->RaporAlinanSiparisler(giris(QStringLiteral("AYSE")), nan, inf)).recordCount(), 0);
    QCOMPARE(
        oku(m_client->RaporEnCokSatilanStoklar(giris(QStringLiteral("AYSE")), -inf, -1e300)).recordCount(),
        0);
    QCOMPARE(oku(m_client->CariSepetVer(giris(QStringLiteral("AYSE")), std::numeric_limits<qint32>::min()))
                 .recordCount(),
             0);
    QCOMPARE(
        oku(m_client->CariAra(giris(QStringLiteral("AYSE")), QString(10000, QLatin1Char('Z')))).recordCount(),
        0);

    const qint32 ayse = giris(QStringLiteral("AYSE"))->Sirano();
    qint64 boy = -1;
    m_client->RaporGetir(7, 7, ayse, -5, QStringLiteral("."), 0, 0, boy);
    QCOMPARE(boy, qint64(0));
    // A report is always asked for by a login; without one there is nothing to cover.
    boy = -1;
    m_client->RaporGetir(6, 6, 0, 1, QStringLiteral("."), 46000, 46000, boy);
    QCOMPARE(boy, qint64(0));
    // Dates that are no dates give an (empty) summary, not an error.
    boy = -1;
    QIODevice *stream = m_client->RaporGetir(6, 6, ayse, 1, QStringLiteral("."), nan, inf, boy);
    QVERIFY(boy > 0);
    QVERIFY(CopyAnnouncedStream(stream, boy).has_value());
}

QTEST_GUILESS_MAIN(TestOpsRepresentative)
#include "tst_ops_representative.moc"
