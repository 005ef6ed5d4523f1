// Login lookup, account statement and the documents behind it, as the client
// receives them from a real server on its demo data.
#include "server/demo/demodata.h"
#include "server/storage/db.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "service/streamcopy.h"
#include "testserver.h"

#include <QRegularExpression>
#include <QTest>

#include <cmath>

using namespace zelvora;
using zelvora::server::Db;

namespace {

const bool offscreen = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();

std::unique_ptr<Connection> baglan(const TestServer &server)
{
    return server.openConnection();
}

server::DemoLogin demoGirisi(const QString &user)
{
    for (const server::DemoLogin &l : server::demoLogins()) {
        if (l.user == user)
            return l;
    }
    return {};
}

qsizetype siraNo(const QString &user)
{
    const QList<server::DemoLogin> logins = server::demoLogins();
    for (qsizetype i = 0; i < logins.size(); ++i) {
        if (logins[i].user == user)
            return i + 1;
    }
    return 0;
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

} // namespace

class TestOpsAccount : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void boundWorkstationGetsItsLogin_data();
    void boundWorkstationGetsItsLogin();
    void unknownWorkstationIsRecordedAndBoundToDemoDealer();
    void unknownWorkstationWithoutDemoBinding();
    void statementIsChronologicalWithWritableBalance();
    void invoiceLinesAndFooterAgree_data();
    void invoiceLinesAndFooterAgree();
    void invoiceOfAnotherCustomerIsEmpty();
    void collectionColumnsAreTheHeaders();
    void cardPaymentReceipt();
    void balanceTextForPaymentPage_data();
    void balanceTextForPaymentPage();
    void oddInputsStillGetAnAnswer();

private:
    // Rows of the statement of `carino` whose kind is exactly or contains `tur`.
    QList<std::pair<qint32, double>> belgeler(qint32 carino, const QString &tur, bool tam);

    TestServer m_server{200};
    std::unique_ptr<Connection> m_connection;
    std::unique_ptr<TServerMethods1Client> m_client;
    std::unique_ptr<Db> m_db;
};

void TestOpsAccount::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    m_connection = baglan(m_server);
    m_client = std::make_unique<TServerMethods1Client>(m_connection.get());
    m_db = Db::open(m_server.databasePath());
}

void TestOpsAccount::boundWorkstationGetsItsLogin_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("padding");
    QTest::newRow("demo dealer") << QStringLiteral("DEMO") << QString();
    QTest::newRow("dealer, id with blanks") << QStringLiteral("KARTAL") << QStringLiteral("  ");
    QTest::newRow("kind 3 dealer") << QStringLiteral("ANADOLU") << QString();
    QTest::newRow("inactive second workstation") << QStringLiteral("KARTAL2") << QString();
    QTest::newRow("representative") << QStringLiteral("AHMET") << QString();
    QTest::newRow("sales manager") << QStringLiteral("AYSE") << QString();
}

void TestOpsAccount::boundWorkstationGetsItsLogin()
{
    QFETCH(QString, user);
    QFETCH(QString, padding);
    const server::DemoLogin l = demoGirisi(user);
    QVERIFY(!l.workstation.isEmpty());

    TSonucBilgisi *kayit = m_client->BuyukGetir(padding + l.workstation + padding);
    QVERIFY(kayit);
    QVERIFY(kayit->Varmi());
    QCOMPARE(kayit->Version(), 6);
    QCOMPARE(kayit->ADI(), l.user);
    QCOMPARE(kayit->SIFRE(), l.password);
    QCOMPARE(kayit->AKTIF(), l.active ? 1 : 0);
    QCOMPARE(kayit->MusteriTipi(), l.kind);
    QCOMPARE(kayit->Sirano(), qint32(siraNo(user)));
    QCOMPARE(kayit->SaticiNo(), l.saticiNo);
    QCOMPARE(kayit->BILGISAYARID(), padding + l.workstation + padding);
    QVERIFY(!kayit->Kullanicimail().isEmpty());

    const QString saticiAdi = m_db->scalarText(
        QStringLiteral("SELECT SATICIADI FROM SATICI WHERE SATICINO = ?"), {qint64(l.saticiNo)});
    QCOMPARE(kayit->SaticiAdi(), saticiAdi);
    QVERIFY(!kayit->SaticiTelefon().isEmpty());
    QVERIFY(kayit->SaticiMail().contains(QLatin1Char('@')));

    if (l.kind == 1 || l.kind == 2) {
        // A representative has picked no customer yet.
        QCOMPARE(kayit->CARINO(), 0);
        QCOMPARE(kayit->CariAdi(), saticiAdi);
        QVERIFY(kayit->carikod().isEmpty());
    } else {
        QCOMPARE(kayit->CARINO(), qint32(l.carino));
        QCOMPARE(kayit->CariAdi(),
                 m_db->scalarText(QStringLiteral("SELECT CARIADI FROM CARI WHERE CARINO = ?"), {l.carino}));
        QCOMPARE(kayit->carikod(),
                 m_db->scalarText(QStringLiteral("SELECT CARIKOD FROM CARI WHERE CARINO = ?"), {l.carino}));
    }
}

void TestOpsAccount::unknownWorkstationIsRecordedAndBoundToDemoDealer()
{
    const QString idsi = QStringLiteral("WD-WCC6Y7KJ2N9P");
    for (int i = 0; i < 2; ++i) {
        TSonucBilgisi *kayit = m_client->BuyukGetir(idsi);
        QVERIFY(kayit);
        QVERIFY(kayit->Varmi());
        QCOMPARE(kayit->ADI(), server::demoDealerUser());
        QCOMPARE(kayit->Sirano(), qint32(siraNo(server::demoDealerUser())));
        QCOMPARE(kayit->CARINO(), qint32(demoGirisi(server::demoDealerUser()).carino));
        QCOMPARE(kayit->MusteriTipi(), 0);
        QCOMPARE(kayit->Version(), 6);
        QCOMPARE(kayit->BILGISAYARID(), idsi);
    }
    QCOMPARE(m_db->scalarInt(QStringLiteral("SELECT SAYI FROM BILINMEYENBILGISAYAR WHERE BILGISAYARID = ?"),
                             {idsi}),
             2);
    // Bound workstations are never noted as unknown.
    QCOMPARE(
        m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM BILINMEYENBILGISAYAR WHERE BILGISAYARID = ?"),
                        {demoGirisi(QStringLiteral("DEMO")).workstation}),
        0);
}

void TestOpsAccount::unknownWorkstationWithoutDemoBinding()
{
    TestServer strict(100, {QStringLiteral("--no-demo-binding")});
    QString error;
    QVERIFY2(strict.start(&error), qPrintable(error));
    auto connection = baglan(strict);
    TServerMethods1Client client(connection.get());

    for (const QString &idsi : {QStringLiteral("00-1A-2B-3C-4D-5E"), QString()}) {
        TSonucBilgisi *kayit = client.BuyukGetir(idsi);
        QVERIFY(kayit);
        QVERIFY(!kayit->Varmi());
        // The version check comes first on the client, even for strangers.
        QCOMPARE(kayit->Version(), 6);
        QVERIFY(kayit->MusteriTipi() != 1 && kayit->MusteriTipi() != 2);
        QVERIFY(kayit->ADI().isEmpty());
        QVERIFY(kayit->SIFRE().isEmpty());
        QCOMPARE(kayit->CARINO(), 0);
        QCOMPARE(kayit->AKTIF(), 0);
    }
    auto db = Db::open(strict.databasePath());
    QCOMPARE(db->scalarInt(QStringLiteral("SELECT SAYI FROM BILINMEYENBILGISAYAR WHERE BILGISAYARID = ?"),
                           {QStringLiteral("00-1A-2B-3C-4D-5E")}),
             1);

    // Bound workstations log in as before, and the mail form of a stranger
    // still gets an object.
    QVERIFY(client.BuyukGetir(demoGirisi(QStringLiteral("YILDIZ")).workstation)->Varmi());
    TMobilCariBilgisi *cari = client.MobilCariBilgisiGetir(0, QStringLiteral("00-1A-2B-3C-4D-5E"));
    QVERIFY(cari);
    QCOMPARE(cari->CARINO(), 0);
    QVERIFY(cari->CARIADI().isEmpty());
}

void TestOpsAccount::statementIsChronologicalWithWritableBalance()
{
    const qint64 carino = demoGirisi(QStringLiteral("KARTAL")).carino;
    Table ekstre = oku(m_client->CariEkstreVer(qint32(carino)));
    QVERIFY(ekstre.recordCount() > 3);
    QCOMPARE(ekstre.recordCount(),
             m_db->scalarInt(QStringLiteral("SELECT COUNT(*) FROM CARIHAREKET WHERE CARINO = ?"), {carino}));

    const struct
    {
        const char *name;
        FieldKind kind;
    } columns[] = {
        {"CARINO", FieldKind::Integer}, {"TARIH", FieldKind::DateTime}, {"TURADI", FieldKind::Text},
        {"EVRAK", FieldKind::Text},     {"BORC", FieldKind::Float},     {"ALACAK", FieldKind::Float},
        {"KUR", FieldKind::Text},       {"BAKIYE", FieldKind::Float},   {"D", FieldKind::Text},
        {"IDNO", FieldKind::Integer},   {"ACIKLAMA", FieldKind::Text}};
    for (const auto &c : columns)
        QVERIFY2(ekstre.fieldByName(QLatin1String(c.name)).kind() == c.kind, c.name);
    QVERIFY(ekstre.column(ekstre.indexOf(QStringLiteral("D"))).def().size >= 1);

    // The client runs the balance down the rows in the order they came and
    // writes it back into BAKIYE and D.
    double onceki = -1, bakiye = 0;
    for (ekstre.first(); !ekstre.eof(); ekstre.next()) {
        const double tarih = ekstre.fieldByName(QStringLiteral("TARIH")).asFloat();
        QVERIFY(tarih >= onceki);
        onceki = tarih;
        QCOMPARE(ekstre.fieldByName(QStringLiteral("CARINO")).asInteger(), qint32(carino));
        bakiye += ekstre.fieldByName(QStringLiteral("BORC")).asFloat() -
                  ekstre.fieldByName(QStringLiteral("ALACAK")).asFloat();
        ekstre.edit();
        ekstre.fieldByName(QStringLiteral("BAKIYE")).setValue(bakiye);
        ekstre.fieldByName(QStringLiteral("D"))
            .setValue(bakiye > 0 ? QStringLiteral("B") : QStringLiteral("A"));
        ekstre.post();
    }
    ekstre.last();
    QVERIFY(yakin(ekstre.fieldByName(QStringLiteral("BAKIYE")).asFloat(), bakiye));
    QCOMPARE(ekstre.fieldByName(QStringLiteral("D")).asString(),
             bakiye > 0 ? QStringLiteral("B") : QStringLiteral("A"));

    QCOMPARE(oku(m_client->CariEkstreVer(987654)).recordCount(), 0);
}

QList<std::pair<qint32, double>> TestOpsAccount::belgeler(qint32 carino, const QString &tur, bool tam)
{
    QList<std::pair<qint32, double>> out;
    Table ekstre = oku(m_client->CariEkstreVer(carino));
    for (ekstre.first(); !ekstre.eof(); ekstre.next()) {
        const QString turAdi = ekstre.fieldByName(QStringLiteral("TURADI")).asString();
        if (tam ? turAdi == tur : turAdi.contains(tur)) {
            const double tutar = ekstre.fieldByName(QStringLiteral("BORC")).asFloat() +
                                 ekstre.fieldByName(QStringLiteral("ALACAK")).asFloat();
            out.append({ekstre.fieldByName(QStringLiteral("IDNO")).asInteger(), tutar});
        }
    }
    return out;
}

void TestOpsAccount::invoiceLinesAndFooterAgree_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("kind");
    QTest::newRow("demo dealer, sale") << QStringLiteral("DEMO") << QStringLiteral("Satış Faturası");
    QTest::newRow("dealer, sale") << QStringLiteral("YILDIZ") << QStringLiteral("Satış Faturası");
    QTest::newRow("any dealer, return") << QString() << QStringLiteral("İade Faturası");
}

void TestOpsAccount::invoiceLinesAndFooterAgree()
{
    QFETCH(QString, user);
    QFETCH(QString, kind);
    qint64 carino = user.isEmpty() ? 0 : demoGirisi(user).carino;
    if (carino == 0) {
        carino = m_db->scalarInt(
            QStringLiteral("SELECT CARINO FROM CARIHAREKET WHERE TURADI = ? ORDER BY SIRANO LIMIT 1"),
            {kind});
    }
    QVERIFY(carino > 0);
    const auto faturalar = belgeler(qint32(carino), kind, true);
    if (faturalar.isEmpty())
        QSKIP("this data set has no such invoice");

    for (const auto &[idno, tutar] : faturalar.mid(0, 3)) {
        Table satirlar = oku(m_client->FaturaGetir(qint32(carino), idno));
        QVERIFY(satirlar.recordCount() >= 1);
        static const char *const floats[] = {"STOKHAR_MIKTAR",
                                             "STOKHAR_TLBIRIMFIYATI",
                                             "STOKHAR_TLTUTAR",
                                             "STOKHAR_INDIRIM1",
                                             "STOKHAR_INDIRIM2",
                                             "KDV",
                                             "STOKHAR_TOPLAMINDIRIM",
                                             "STOKHAR_TOPLAMMASRAF",
                                             "STOKHAR_NETTLBIRIMFIYATI",
                                             "STOKHAR_NETTLTUTAR",
                                             "STOKHAR_TLVERGI",
                                             "STOKHAR_INDIRIM3",
                                             "STOKHAR_INDIRIM8",
                                             "STOKHAR_DOVIZBIRIMFIYATI",
                                             "STOKHAR_DOVIZVERGI",
                                             "STOKHAR_DOVIZTUTAR",
                                             "STOKHAR_MASRAF1",
                                             "STOKHAR_MASRAF2",
                                             "STOKHAR_DOVIZTOPLAMINDIRIM",
                                             "STOKHAR_DOVIZTOPLAMMASRAF",
                                             "STOKHAR_NETDOVIZBIRIMFIYATI",
                                             "STOKHAR_NETDOVIZTUTAR",
                                             "STOKHAR_KURTL"};
        for (const char *name : floats)
            QVERIFY2(satirlar.fieldByName(QLatin1String(name)).kind() == FieldKind::Float, name);
        static const char *const texts[] = {"OEMNO",
                                            "STOKADI",
                                            "FINISHKOD",
                                            "MARKA",
                                            "MODEL",
                                            "ANAGRUP",
                                            "BIRIM",
                                            "OZELKOD",
                                            "BARKOD",
                                            "EVRAKNO",
                                            "STOKHAR_HAREKETTIPI2",
                                            "SATICIADI",
                                            "IRSALIYEEVRAKNO",
                                            "SATIRACIKLMASI",
                                            "STOKHAR_SAAT",
                                            "SIPARISEVRAKNO",
                                            "IRSALIYETIP2",
                                            "STOKHAR_PARTI",
                                            "STOKHAR_BEDEN",
                                            "STOKHAR_RENK",
                                            "SIPARISTIPI",
                                            "STOKCARIKOD",
                                            "KUR_KURSIMGE",
                                            "URETICIKODU",
                                            "DPKOD",
                                            "ENADI",
                                            "PKOD",
                                            "BELGENO"};
        for (const char *name : texts)
            QVERIFY2(satirlar.fieldByName(QLatin1String(name)).kind() == FieldKind::Text, name);
        for (const char *name : {"STOKHAR_HAREKETTARIHI", "STOKHAR_IRSTARIHI", "SIPARISTARIHI"})
            QVERIFY2(satirlar.fieldByName(QLatin1String(name)).kind() == FieldKind::DateTime, name);
        for (const char *name : {"STOKHAR_VADE", "IRSALIYETIPINO", "SUBE_NO", "STOKHAR_CARINO", "IDNO"})
            QVERIFY2(satirlar.findField(QLatin1String(name)).isValid(), name);

        // Header values on every row; the window reads the first.
        satirlar.first();
        QCOMPARE(satirlar.fieldByName(QStringLiteral("STOKHAR_HAREKETTIPI2")).asString(), kind);
        const QString evrakNo = satirlar.fieldByName(QStringLiteral("EVRAKNO")).asString();
        QVERIFY(!evrakNo.isEmpty());
        QVERIFY(!satirlar.fieldByName(QStringLiteral("SATICIADI")).asString().isEmpty());
        double toplam = 0, indirim = 0, vergi = 0;
        for (; !satirlar.eof(); satirlar.next()) {
            QCOMPARE(satirlar.fieldByName(QStringLiteral("EVRAKNO")).asString(), evrakNo);
            QCOMPARE(satirlar.fieldByName(QStringLiteral("STOKHAR_CARINO")).asInteger(), qint32(carino));
            QVERIFY(!satirlar.fieldByName(QStringLiteral("STOKADI")).asString().isEmpty());
            toplam += satirlar.fieldByName(QStringLiteral("STOKHAR_TLTUTAR")).asFloat();
            indirim += satirlar.fieldByName(QStringLiteral("STOKHAR_TOPLAMINDIRIM")).asFloat();
            vergi += satirlar.fieldByName(QStringLiteral("STOKHAR_TLVERGI")).asFloat();
        }

        Table alt = oku(m_client->FaturaAltGetir(idno));
        QCOMPARE(alt.recordCount(), 1);
        for (const char *name : {"TOPLAM", "TOPLAMINDIRIM", "MATRAH", "KDVTUTAR", "KDVDAHIL"})
            QVERIFY2(alt.fieldByName(QLatin1String(name)).kind() == FieldKind::Float, name);
        alt.first();
        const double T = alt.fieldByName(QStringLiteral("TOPLAM")).asFloat();
        const double I = alt.fieldByName(QStringLiteral("TOPLAMINDIRIM")).asFloat();
        const double M = alt.fieldByName(QStringLiteral("MATRAH")).asFloat();
        const double K = alt.fieldByName(QStringLiteral("KDVTUTAR")).asFloat();
        const double G = alt.fieldByName(QStringLiteral("KDVDAHIL")).asFloat();
        QVERIFY(yakin(M, T - I));
        QVERIFY(yakin(G, M + K));
        QVERIFY(yakin(T, toplam));
        QVERIFY(yakin(I, indirim));
        QVERIFY(yakin(K, vergi));
        // The statement books the invoice at its VAT-inclusive total.
        QVERIFY(yakin(G, tutar));
    }
}

void TestOpsAccount::invoiceOfAnotherCustomerIsEmpty()
{
    const qint32 demo = qint32(demoGirisi(QStringLiteral("DEMO")).carino);
    const auto faturalar = belgeler(demo, QStringLiteral("Fatura"), false);
    QVERIFY(!faturalar.isEmpty());
    QCOMPARE(oku(m_client->FaturaGetir(demo + 1, faturalar.first().first)).recordCount(), 0);
    QCOMPARE(oku(m_client->FaturaGetir(demo, -5)).recordCount(), 0);
    // The footer always has its one row; an unknown invoice adds up to nothing.
    Table alt = oku(m_client->FaturaAltGetir(-5));
    QCOMPARE(alt.recordCount(), 1);
    alt.first();
    QCOMPARE(alt.fieldByName(QStringLiteral("KDVDAHIL")).asFloat(), 0.0);
}

void TestOpsAccount::collectionColumnsAreTheHeaders()
{
    const qint32 carino = qint32(demoGirisi(QStringLiteral("DEMO")).carino);
    const auto tahsilatlar = belgeler(carino, QStringLiteral("Tahsilat"), true);
    QVERIFY(!tahsilatlar.isEmpty());
    TableReader *reader = m_client->Tahsilat(tahsilatlar.first().first);
    QVERIFY(reader);
    const QStringList expected = {
        QStringLiteral("Tarih"),   QStringLiteral("Türü"),  QStringLiteral("Cins"),
        QStringLiteral("Vade"),    QStringLiteral("Tutar"), QStringLiteral("Açıklama"),
        QStringLiteral("EvrakNo"), QStringLiteral("Ref"),   QStringLiteral("Saat"),
        QStringLiteral("Kur"),     QStringLiteral("KurTL"), QStringLiteral("Döviz Tutar")};
    QStringList names;
    for (int i = 0; i < reader->columnCount(); ++i)
        names << reader->columnName(i);
    QCOMPARE(names, expected);
    Table t = oku(reader);
    QCOMPARE(t.recordCount(), 1);
    t.first();
    QCOMPARE(t.fieldByName(QStringLiteral("Tarih")).kind(), FieldKind::DateTime);
    QCOMPARE(t.fieldByName(QStringLiteral("Tutar")).kind(), FieldKind::Float);
    QCOMPARE(t.fieldByName(QStringLiteral("Türü")).asString(), QStringLiteral("Tahsilat"));
    QVERIFY(yakin(t.fieldByName(QStringLiteral("Tutar")).asFloat(), tahsilatlar.first().second));

    QCOMPARE(oku(m_client->Tahsilat(-1)).recordCount(), 0);
}

void TestOpsAccount::cardPaymentReceipt()
{
    const qint32 carino = qint32(demoGirisi(QStringLiteral("DEMO")).carino);
    qint32 sirano = 0;
    for (const auto &[idno, tutar] : belgeler(carino, QStringLiteral("Tahsilat"), true)) {
        const qint32 s = m_client->SanalposSiranoVer(idno);
        if (s > 0 && sirano == 0)
            sirano = s;
        QCOMPARE(s, qint32(m_db->scalarInt(QStringLiteral("SELECT COALESCE(MIN(SIRANO), 0) FROM SANALPOS "
                                                          "WHERE TAHSILATIDNO = ?"),
                                           {qint64(idno)})));
    }
    QVERIFY(sirano > 0);

    qint64 boy = -1;
    QIODevice *stream = m_client->SAnalPosPdfVer(sirano, boy);
    QVERIFY(boy > 0);
    const std::optional<QByteArray> bytes = CopyAnnouncedStream(stream, boy);
    QVERIFY(bytes.has_value());
    QCOMPARE(qint64(bytes->size()), boy);
    QVERIFY(bytes->startsWith("%PDF"));

    boy = -1;
    m_client->SAnalPosPdfVer(999999, boy);
    QCOMPARE(boy, qint64(0));
    QCOMPARE(m_client->SanalposSiranoVer(-3), 0);
}

void TestOpsAccount::balanceTextForPaymentPage_data()
{
    QTest::addColumn<qint32>("carino");
    for (qint32 carino = 1; carino <= 8; ++carino)
        QTest::addRow("customer %d", carino) << carino;
    QTest::newRow("unknown customer") << 987654;
    QTest::newRow("no customer") << 0;
}

void TestOpsAccount::balanceTextForPaymentPage()
{
    QFETCH(qint32, carino);
    const QString metin = m_client->CariDurumVer(carino);
    static const QRegularExpression bicim(QStringLiteral("^(\\d+),(\\d\\d)([BA]?)$"));
    const QRegularExpressionMatch m = bicim.match(metin);
    QVERIFY2(m.hasMatch(), qPrintable(metin));

    const double bakiye = m_db->scalarReal(
        QStringLiteral("SELECT COALESCE(SUM(BORC - ALACAK), 0) FROM CARIHAREKET WHERE CARINO = ?"),
        {qint64(carino)});
    const double okunan = m.captured(1).toDouble() + m.captured(2).toDouble() / 100;
    QVERIFY2(yakin(okunan, std::fabs(bakiye)), qPrintable(metin));
    if (std::fabs(bakiye) < 0.005)
        QCOMPARE(m.captured(3), QString());
    else
        QCOMPARE(m.captured(3), bakiye > 0 ? QStringLiteral("B") : QStringLiteral("A"));
    if (carino > 100)
        QCOMPARE(metin, QStringLiteral("0,00"));
}

void TestOpsAccount::oddInputsStillGetAnAnswer()
{
    // Text that is not a workstation id, or that tries to be SQL, is just an
    // unknown workstation: the demo dealer on this server.
    for (const QString &idsi :
         {QString(5000, QLatin1Char('A')), QStringLiteral("' OR 1=1 --"), QStringLiteral("ZLVDEMO%")}) {
        TSonucBilgisi *kayit = m_client->BuyukGetir(idsi);
        QVERIFY(kayit);
        QCOMPARE(kayit->ADI(), server::demoDealerUser());
    }
    QCOMPARE(m_db->scalarInt(QStringLiteral(
                 "SELECT COUNT(*) FROM BILINMEYENBILGISAYAR WHERE LENGTH(BILGISAYARID) > 128")),
             0);
    QCOMPARE(m_db->scalarInt(QStringLiteral("SELECT SAYI FROM BILINMEYENBILGISAYAR WHERE BILGISAYARID = ?"),
                             {QStringLiteral("' OR 1=1 --")}),
             1);

    QCOMPARE(oku(m_client->CariEkstreVer(-1)).recordCount(), 0);
    QCOMPARE(oku(m_client->FaturaGetir(0, 0)).recordCount(), 0);
    QCOMPARE(oku(m_client->Tahsilat(0)).recordCount(), 0);
    qint64 boy = -1;
    m_client->SAnalPosPdfVer(-1, boy);
    QCOMPARE(boy, qint64(0));
    QCOMPARE(m_client->CariDurumVer(-7), QStringLiteral("0,00"));
}

QTEST_GUILESS_MAIN(TestOpsAccount)
#include "tst_ops_account.moc"
