// Orders after they leave the basket, through the real server and client
// proxy: the choices of the confirmation dialog, previous orders with their
// lines and footer, order movements, and the open balances with the three
// ways of changing them.
#include "server/demo/demodata.h"
#include "server/ops/pricing.h"
#include "server/storage/db.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "testserver.h"
#include "wire/objects.h"

#include <QSet>
#include <QTest>

#include <limits>

using namespace zelvora;
using zelvora::server::Db;

Q_DECLARE_METATYPE(zelvora::FieldKind)

namespace {

// Demo logins by position; KULLANICI.SIRANO is the position + 1.
constexpr int girisYildiz = 2;  // dealer, customer 3
constexpr int girisAkdeniz = 3; // dealer, customer 4: the orders below are his
constexpr int girisAnadolu = 6; // dealer, kind 3
constexpr int girisAhmet = 9;   // representative, kind 1
constexpr int girisAyse = 11;   // sales manager, kind 2
constexpr qint32 cari = 4;

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

void addColumnRows(std::initializer_list<const char *> names, FieldKind kind)
{
    for (const char *name : names)
        QTest::newRow(name) << QString::fromLatin1(name) << kind;
}

} // namespace

class TestOpsOrders : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void deliveryKindsByPosition();
    void cargoKindsAndFirms();
    void previousOrdersColumns_data();
    void previousOrdersColumns();
    void previousOrdersNewestFirstWithLineTotals();
    void orderDetailColumns_data();
    void orderDetailColumns();
    void orderDetailOfOwnOrderOnly();
    void orderFooter();
    void orderMovementsColumns_data();
    void orderMovementsColumns();
    void orderMovementsByItemOrAll();
    void balancesListOpenLinesOnly();
    void deleteBalance();
    void changeBalance_data();
    void changeBalance();
    void changePrice_data();
    void changePrice();

private:
    std::unique_ptr<Connection> connect();
    std::unique_ptr<TSonucBilgisi> login(int index, qint32 carino = -1) const;
    Table reader(TableReader *r);
    qint64 count(const QString &sql, server::SqlValues values = {});
    double real(const QString &sql, server::SqlValues values = {});
    // KALAN, BIRIMFIYAT, rates and amounts of one order line, to see that nothing moved.
    QString lineState(qint64 stokHarNo);

    TestServer m_server{400};
    std::unique_ptr<Db> m_db;
    QList<qint64> m_items; // the three items of the first order
    qint64 m_first = 0;    // IDNO of the first order (three lines)
    qint64 m_second = 0;   // IDNO of the second order (one line, item m_items[0] again)
    QList<qint64> m_lines; // STOKHAR_NO of the first order's lines
    const QString m_note = QStringLiteral("Salı günü teslim edilsin.\r\nFatura ayrı gelsin.");
};

void TestOpsOrders::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    m_db = Db::open(m_server.databasePath());
    QVERIFY(m_db);

    server::Statement st = m_db->prepare(QStringLiteral(
        "SELECT STOKNO, BARKOD, ADI, KDV FROM STOK WHERE STOKNO > 200 ORDER BY STOKNO LIMIT 3"));
    struct Item
    {
        qint64 stokno;
        QString barkod, adi;
        double kdv;
    };
    QList<Item> items;
    while (st.step())
        items << Item{st.int64(0), st.text(1), st.text(2), st.real(3)};
    QCOMPARE(items.size(), 3);

    auto c = connect();
    TServerMethods1Client client(c.get());
    client.SepetHepsiniSil(login(girisAkdeniz));
    const double miktar[] = {4, 5, 6};
    const double fiyat[] = {100, 250.75, 39.9};
    const double ind1[] = {0, 12, 10};
    const double ind3[] = {0, 0, 5};
    for (int i = 0; i < 3; ++i) {
        const Item &it = items[i];
        m_items << it.stokno;
        QCOMPARE(client.SepetEkle2(login(girisAkdeniz), cari, qint32(it.stokno), it.barkod, it.adi, miktar[i],
                                   it.kdv, fiyat[i], ind1[i], girisAkdeniz + 1, 0, 0, ind3[i], 0),
                 1);
    }
    QVERIFY(client.SiparisKaydet(login(girisAkdeniz), cari, 2, 2, m_note, girisAkdeniz + 1, 5));
    m_first = count(QStringLiteral("SELECT MAX(IDNO) FROM SIPARIS WHERE CARINO = ?"), {qint64(cari)});
    server::Statement lines = m_db->prepare(
        QStringLiteral("SELECT STOKHAR_NO FROM SIPARISSATIR WHERE IDNO = ? ORDER BY STOKHAR_NO"));
    lines.bindAll({m_first});
    while (lines.step())
        m_lines << lines.int64(0);
    QCOMPARE(m_lines.size(), 3);

    QCOMPARE(client.SepetEkle2(login(girisAkdeniz), cari, qint32(items[0].stokno), items[0].barkod,
                               items[0].adi, 2, items[0].kdv, 100, 0, girisAkdeniz + 1, 0, 0, 0, 0),
             1);
    QVERIFY(client.SiparisKaydet(login(girisAkdeniz), cari, 1, 1, QString(), girisAkdeniz + 1, 1));
    m_second = count(QStringLiteral("SELECT MAX(IDNO) FROM SIPARIS WHERE CARINO = ?"), {qint64(cari)});
    QVERIFY(m_second > m_first);
}

std::unique_ptr<Connection> TestOpsOrders::connect()
{
    return m_server.openConnection();
}

std::unique_ptr<TSonucBilgisi> TestOpsOrders::login(int index, qint32 carino) const
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

Table TestOpsOrders::reader(TableReader *r)
{
    Table t;
    if (r)
        LoadFromReader(*r, t);
    return t;
}

qint64 TestOpsOrders::count(const QString &sql, server::SqlValues values)
{
    return m_db->scalarInt(sql, values);
}

double TestOpsOrders::real(const QString &sql, server::SqlValues values)
{
    return m_db->scalarReal(sql, values);
}

QString TestOpsOrders::lineState(qint64 stokHarNo)
{
    server::Statement st = m_db->prepare(QStringLiteral(
        "SELECT KALAN, TESLIMEDILEN, BIRIMFIYAT, ILKFIYAT, INDIRIMORANI1, INDIRIMORANI3, TUTAR,"
        " INDIRIMTUTAR, NETTUTAR, NETBIRIMFIYAT, VERGITUTARI, INDIRIMYAZI"
        " FROM SIPARISSATIR WHERE STOKHAR_NO = ?"));
    st.bindAll({stokHarNo});
    QStringList cells;
    if (st.step()) {
        for (int i = 0; i < st.columnCount(); ++i)
            cells << st.text(i);
    }
    return cells.join(QLatin1Char('|'));
}

// ---------------------------------------------------------------- choices

void TestOpsOrders::deliveryKindsByPosition()
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table t = reader(client.TeslimVer());
    QVERIFY(t.fieldCount() >= 2);
    QCOMPARE(t.column(0).kind(), FieldKind::Integer);
    QCOMPARE(t.column(1).kind(), FieldKind::Text);
    QCOMPARE(t.recordCount(), count(QStringLiteral("SELECT COUNT(*) FROM TESLIMCINSI")));
    QVERIFY(t.recordCount() >= 2);
    // The dialog preselects the second row: sending by cargo, the usual way.
    QCOMPARE(t.value(1, 1).toString(), QStringLiteral("Kargo ile Gönderilsin"));
    QSet<int> ids;
    for (qsizetype r = 0; r < t.recordCount(); ++r) {
        ids << t.value(r, 0).toInt();
        QVERIFY(!t.value(r, 1).toString().isEmpty());
    }
    QCOMPARE(qsizetype(ids.size()), t.recordCount());
}

void TestOpsOrders::cargoKindsAndFirms()
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table kinds = reader(client.KargoVer());
    QVERIFY(kinds.fieldCount() >= 2);
    QCOMPARE(kinds.column(0).kind(), FieldKind::Integer);
    QCOMPARE(kinds.column(1).kind(), FieldKind::Text);
    QVERIFY(kinds.recordCount() >= 1);

    QSet<QString> names;
    qsizetype firms = 0;
    for (qsizetype r = 0; r < kinds.recordCount(); ++r) {
        const int kind = kinds.value(r, 0).toInt();
        Table t = reader(client.KargolarVer(kind));
        QCOMPARE(t.fieldByName(QStringLiteral("SIRANO")).kind(), FieldKind::Integer);
        QCOMPARE(t.fieldByName(QStringLiteral("ADI")).kind(), FieldKind::Text);
        QCOMPARE(t.fieldByName(QStringLiteral("UYARI")).kind(), FieldKind::Text);
        QCOMPARE(t.recordCount(),
                 count(QStringLiteral("SELECT COUNT(*) FROM KARGOFIRMA WHERE KARGOID = ?"), {qint64(kind)}));
        for (t.first(); !t.eof(); t.next()) {
            QCOMPARE(count(QStringLiteral("SELECT KARGOID FROM KARGOFIRMA WHERE SIRANO = ?"),
                           {qint64(n(t, "SIRANO"))}),
                     qint64(kind));
            names << s(t, "ADI"); // the dialog finds the firm by its name
            ++firms;
        }
    }
    QCOMPARE(qsizetype(names.size()), firms);
    Table none = reader(client.KargolarVer(987654));
    QCOMPARE(none.recordCount(), qsizetype(0));
    QVERIFY(none.indexOf(QStringLiteral("SIRANO")) >= 0);
}

// ---------------------------------------------------------------- previous orders

void TestOpsOrders::previousOrdersColumns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<FieldKind>("kind");
    addColumnRows({"IDNO", "CARINO", "VERENIDNO"}, FieldKind::Integer);
    addColumnRows({"KURTL", "VERGI", "NETTUTAR", "TUTAR"}, FieldKind::Float);
    addColumnRows({"KUR", "KARGO", "TESLIM", "VEREN", "CARIKOD", "CARIADI", "DURUM", "KARGOADI"},
                  FieldKind::Text);
    addColumnRows({"VERENINNOTU", "ALANNOTU"}, FieldKind::Memo);
    addColumnRows({"TARIH"}, FieldKind::DateTime);
}

void TestOpsOrders::previousOrdersColumns()
{
    QFETCH(QString, name);
    QFETCH(FieldKind, kind);
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table t = reader(client.OncekiSiparisler(cari));
    QVERIFY(t.recordCount() >= 2);
    const int i = t.indexOf(name);
    QVERIFY2(i >= 0, qPrintable(name));
    QCOMPARE(t.column(i).name(), name);
    QCOMPARE(t.column(i).kind(), kind);
    // A customer without orders: the columns, no rows.
    Table none = reader(client.OncekiSiparisler(987654));
    QCOMPARE(none.recordCount(), qsizetype(0));
    QCOMPARE(none.fieldCount(), t.fieldCount());
}

void TestOpsOrders::previousOrdersNewestFirstWithLineTotals()
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table t = reader(client.OncekiSiparisler(cari));
    QCOMPARE(t.recordCount(),
             count(QStringLiteral("SELECT COUNT(*) FROM SIPARIS WHERE CARINO = ?"), {qint64(cari)}));
    t.first();
    QCOMPARE(qint64(n(t, "IDNO")), m_second);
    t.next();
    QCOMPARE(qint64(n(t, "IDNO")), m_first);
    QCOMPARE(s(t, "VERENINNOTU"), m_note);
    QCOMPARE(s(t, "VEREN"), QStringLiteral("AKDENIZ"));
    QCOMPARE(s(t, "DURUM"), QStringLiteral("Alındı"));
    QCOMPARE(s(t, "KARGOADI"),
             m_db->scalarText(QStringLiteral("SELECT ADI FROM KARGOFIRMA WHERE SIRANO = 5")));

    double previous = std::numeric_limits<double>::infinity();
    int checked = 0;
    for (t.first(); !t.eof(); t.next()) {
        QCOMPARE(n(t, "CARINO"), cari);
        QVERIFY(f(t, "TARIH") <= previous);
        previous = f(t, "TARIH");
        if (checked++ >= 12)
            continue;
        // Totals are the sums of the order's own lines.
        Table lines = reader(client.SiparisAyrintisi2(cari, n(t, "IDNO")));
        QVERIFY(lines.recordCount() > 0);
        double tutar = 0, net = 0, vergi = 0;
        for (lines.first(); !lines.eof(); lines.next()) {
            tutar = server::Yuvarla(tutar + f(lines, "TUTAR"));
            net = server::Yuvarla(net + f(lines, "NETTUTAR"));
            vergi = server::Yuvarla(vergi + f(lines, "VERGITUTARI"));
        }
        QCOMPARE(f(t, "TUTAR"), tutar);
        QCOMPARE(f(t, "NETTUTAR"), net);
        QCOMPARE(f(t, "VERGI"), vergi);
    }
}

void TestOpsOrders::orderDetailColumns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<FieldKind>("kind");
    addColumnRows({"SIRANO", "SIPARISNO", "CARINO", "AKTAR", "STOKNO", "VERENIDNO", "TESLIMID", "KARGOID",
                   "IDNO", "VERENSIRANO", "STOK_STOKNO"},
                  FieldKind::Integer);
    addColumnRows({"MIKTAR", "BIRIMFIYAT", "TUTAR", "NETBIRIMFIYAT", "KDV", "VERGITUTARI", "NETTUTAR",
                   "TESLIMEDILEN", "KALAN", "INDIRIMORANI1", "INDIRIMORANI2", "INDIRIMORANI3",
                   "INDIRIMORANI4", "INDIRIMTUTAR", "KURTL"},
                  FieldKind::Float);
    addColumnRows({"BARKOD",  "FINISHKOD",   "OEMNO",    "STOKADI", "INDIRIMYAZI", "VEREN", "KUR",
                   "SAAT",    "ACIKLAMA",    "CARIKOD",  "CARIADI", "OEM1",        "OEM2",  "OEM3",
                   "OEM4",    "URETICIKODU", "DIGERADI", "DPKOD",   "MARKA",       "MODEL", "ANAGRUP",
                   "OZELKOD", "PKOD",        "TESLIM",   "KARGO"},
                  FieldKind::Text);
    addColumnRows({"VERILISTARIHI", "TARIH"}, FieldKind::DateTime);
}

void TestOpsOrders::orderDetailColumns()
{
    QFETCH(QString, name);
    QFETCH(FieldKind, kind);
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table t = reader(client.SiparisAyrintisi2(cari, qint32(m_first)));
    QCOMPARE(t.recordCount(), qsizetype(3));
    const int i = t.indexOf(name);
    QVERIFY2(i >= 0, qPrintable(name));
    QCOMPARE(t.column(i).name(), name);
    QCOMPARE(t.column(i).kind(), kind);
}

void TestOpsOrders::orderDetailOfOwnOrderOnly()
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table t = reader(client.SiparisAyrintisi2(cari, qint32(m_first)));
    QCOMPARE(t.recordCount(), qsizetype(3));
    int i = 0;
    for (t.first(); !t.eof(); t.next(), ++i) {
        QCOMPARE(qint64(n(t, "STOK_STOKNO")), m_items[i]);
        QCOMPARE(qint64(n(t, "IDNO")), m_first);
        QCOMPARE(qint64(n(t, "SIPARISNO")), m_first);
        QCOMPARE(f(t, "KALAN"), f(t, "MIKTAR") - f(t, "TESLIMEDILEN"));
        QCOMPARE(server::Yuvarla(f(t, "TUTAR") - f(t, "INDIRIMTUTAR")), f(t, "NETTUTAR"));
        const server::SatirTutari a = server::satirHesapla(
            f(t, "MIKTAR"), f(t, "BIRIMFIYAT"), f(t, "INDIRIMORANI1"), f(t, "INDIRIMORANI2"),
            f(t, "INDIRIMORANI3"), f(t, "INDIRIMORANI4"), f(t, "KDV"));
        QCOMPARE(f(t, "TUTAR"), a.tutar);
        QCOMPARE(f(t, "VERGITUTARI"), a.vergiTutari);
        QCOMPARE(s(t, "INDIRIMYAZI"), a.indirimYazi);
        QCOMPARE(s(t, "TESLIM"),
                 m_db->scalarText(QStringLiteral("SELECT ADI FROM TESLIMCINSI WHERE TESLIMID = 2")));
        QCOMPARE(s(t, "KARGO"),
                 m_db->scalarText(QStringLiteral("SELECT ADI FROM KARGOCINSI WHERE KARGOID = 2")));
    }
    QCOMPARE(reader(client.SiparisAyrintisi2(3, qint32(m_first))).recordCount(), qsizetype(0));
    QCOMPARE(reader(client.SiparisAyrintisi2(cari, 987654)).recordCount(), qsizetype(0));
}

void TestOpsOrders::orderFooter()
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    // carino always arrives 0: the order number alone decides.
    TSiparisDipAyrinti *dip = client.SiparisAytintisiDip(0, qint32(m_first));
    QVERIFY(dip);
    QCOMPARE(dip->SizinMesaj(), m_note);
    QCOMPARE(dip->Durumu(), QStringLiteral("Alındı"));
    QCOMPARE(dip->Veren(), QStringLiteral("AKDENIZ"));
    QCOMPARE(dip->Kargo(), m_db->scalarText(QStringLiteral("SELECT ADI FROM KARGOFIRMA WHERE SIRANO = 5")));
    QCOMPARE(dip->TeslimCinsi(),
             m_db->scalarText(QStringLiteral("SELECT ADI FROM TESLIMCINSI WHERE TESLIMID = 2")));
    QCOMPARE(dip->KargoCinsi(),
             m_db->scalarText(QStringLiteral("SELECT ADI FROM KARGOCINSI WHERE KARGOID = 2")));
    QCOMPARE(dip->BizimMesaj(), QString());
    QCOMPARE(dip->SaticiNotu(), QString());

    // The wholesaler's and the representative's notes come along once written.
    m_db->execute(QStringLiteral("UPDATE SIPARIS SET ALANNOTU = ?, SATICINOTU = ? WHERE IDNO = ?"),
                  {QStringLiteral("Eksik parça yarın"), QStringLiteral("Aranacak"), m_second});
    dip = client.SiparisAytintisiDip(0, qint32(m_second));
    QVERIFY(dip);
    QCOMPARE(dip->BizimMesaj(), QStringLiteral("Eksik parça yarın"));
    QCOMPARE(dip->SaticiNotu(), QStringLiteral("Aranacak"));
    QCOMPARE(dip->SizinMesaj(), QString());

    // An unknown order: an object with empty texts, never a null.
    dip = client.SiparisAytintisiDip(0, 987654);
    QVERIFY(dip);
    QCOMPARE(dip->Durumu(), QString());
    QCOMPARE(dip->Veren(), QString());
    QCOMPARE(dip->Kargo(), QString());
}

// ---------------------------------------------------------------- movements

void TestOpsOrders::orderMovementsColumns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<FieldKind>("kind");
    addColumnRows({"SIRANO", "SIPARISNO", "STOKNO", "IDNO", "STOK_STOKNO", "STOKHAR_NO", "DURUM", "VERENIDNO",
                   "TESLIMID", "KARGOID"},
                  FieldKind::Integer);
    addColumnRows({"MIKTAR", "BIRIMFIYAT", "ILKFIYAT", "TUTAR", "INDIRIMORANI1", "INDIRIMORANI2",
                   "INDIRIMORANI3", "INDIRIMTUTAR", "NETBIRIMFIYAT", "KDV", "VERGITUTARI", "NETTUTAR",
                   "TESLIMEDILEN", "KALAN", "ELDEKI", "ALINANSIPARIS", "VERILENSIPARIS"},
                  FieldKind::Float);
    addColumnRows({"BARKOD", "FINISHKOD", "OEMNO", "STOKADI", "KUR", "SAAT", "ACIKLAMA", "VEREN", "CARIKOD",
                   "CARIADI", "MARKA", "MODEL", "ANAGRUP", "OZELKOD", "TESLIM", "KARGO"},
                  FieldKind::Text);
    addColumnRows({"VERILISTARIHI", "TARIH"}, FieldKind::DateTime);
}

void TestOpsOrders::orderMovementsColumns()
{
    QFETCH(QString, name);
    QFETCH(FieldKind, kind);
    auto c = connect();
    TServerMethods1Client client(c.get());
    for (TableReader *r : {client.TumSiparislerVer(cari, 0), client.BakiyelerVer2(cari)}) {
        Table t = reader(r);
        QVERIFY(t.recordCount() > 0);
        const int i = t.indexOf(name);
        QVERIFY2(i >= 0, qPrintable(name));
        QCOMPARE(t.column(i).name(), name);
        QCOMPARE(t.column(i).kind(), kind);
    }
}

void TestOpsOrders::orderMovementsByItemOrAll()
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table one = reader(client.TumSiparislerVer(cari, qint32(m_items[0])));
    QCOMPARE(one.recordCount(),
             count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR WHERE CARINO = ? AND STOKNO = ?"),
                   {qint64(cari), m_items[0]}));
    QVERIFY(one.recordCount() >= 2); // in both of our orders
    for (one.first(); !one.eof(); one.next()) {
        QCOMPARE(qint64(n(one, "STOK_STOKNO")), m_items[0]);
        QCOMPARE(f(one, "ELDEKI"),
                 real(QStringLiteral("SELECT KALAN FROM STOK WHERE STOKNO = ?"), {m_items[0]}));
        QCOMPARE(qint64(n(one, "DURUM")),
                 count(QStringLiteral("SELECT DURUM FROM STOK WHERE STOKNO = ?"), {m_items[0]}));
        QCOMPARE(f(one, "ILKFIYAT"),
                 real(QStringLiteral("SELECT ILKFIYAT FROM SIPARISSATIR WHERE STOKHAR_NO = ?"),
                      {qint64(n(one, "STOKHAR_NO"))}));
    }
    one.first();
    QCOMPARE(qint64(n(one, "IDNO")), m_second); // newest first

    Table all = reader(client.TumSiparislerVer(cari, 0));
    QCOMPARE(all.recordCount(),
             count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR WHERE CARINO = ?"), {qint64(cari)}));
    QSet<qint64> lines;
    for (all.first(); !all.eof(); all.next()) {
        QCOMPARE(n(all, "CARINO"), cari);
        lines << n(all, "STOKHAR_NO");
    }
    QCOMPARE(qsizetype(lines.size()), all.recordCount());
    QCOMPARE(reader(client.TumSiparislerVer(cari, 987654)).recordCount(), qsizetype(0));
    QCOMPARE(reader(client.TumSiparislerVer(987654, 0)).recordCount(), qsizetype(0));
}

// ---------------------------------------------------------------- balances

void TestOpsOrders::balancesListOpenLinesOnly()
{
    // Close one of the demo lines by hand so there is something not to list.
    m_db->execute(
        QStringLiteral("UPDATE SIPARISSATIR SET TESLIMEDILEN = MIKTAR, KALAN = 0 WHERE STOKHAR_NO = ?"),
        {m_lines[0]});
    auto c = connect();
    TServerMethods1Client client(c.get());
    Table t = reader(client.BakiyelerVer2(cari));
    QCOMPARE(t.recordCount(),
             count(QStringLiteral("SELECT COUNT(*) FROM SIPARISSATIR WHERE CARINO = ? AND KALAN > 0"),
                   {qint64(cari)}));
    QVERIFY(t.recordCount() >= 3);
    for (t.first(); !t.eof(); t.next()) {
        QVERIFY(f(t, "KALAN") > 0);
        QVERIFY(qint64(n(t, "STOKHAR_NO")) != m_lines[0]);
        // The balance dialog shows ACIKLAMA as the item's name.
        QCOMPARE(s(t, "ACIKLAMA"), m_db->scalarText(QStringLiteral("SELECT ADI FROM STOK WHERE STOKNO = ?"),
                                                    {qint64(n(t, "STOK_STOKNO"))}));
        QVERIFY(n(t, "IDNO") > 0);
    }
    QVERIFY(t.locate(QStringLiteral("STOKHAR_NO"), m_lines[1]));
    QCOMPARE(qint64(n(t, "IDNO")), m_first);
    QCOMPARE(f(t, "ILKFIYAT"), 250.75);
    QCOMPARE(f(t, "ALINANSIPARIS"),
             real(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {m_items[1]}));
    QCOMPARE(reader(client.BakiyelerVer2(987654)).recordCount(), qsizetype(0));
}

void TestOpsOrders::deleteBalance()
{
    const qint64 line = m_lines[1];
    const qint64 item = m_items[1];
    auto c = connect();
    TServerMethods1Client client(c.get());
    const QString before = lineState(line);
    const double kalan = real(QStringLiteral("SELECT KALAN FROM SIPARISSATIR WHERE STOKHAR_NO = ?"), {line});
    const double alinan = real(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {item});
    QVERIFY(kalan > 0);

    // Another customer's login, or the wrong item, finds no such balance.
    QCOMPARE(client.BakiyeDuzenle(login(girisYildiz), qint32(item), 0, qint32(line), 5, kalan, QString()), 0);
    QCOMPARE(
        client.BakiyeDuzenle(login(girisAkdeniz), qint32(m_items[2]), 0, qint32(line), 5, kalan, QString()),
        0);
    QCOMPARE(lineState(line), before);

    QCOMPARE(client.BakiyeDuzenle(login(girisAkdeniz), qint32(item), 0, qint32(line), 5, kalan, QString()),
             1);
    QCOMPARE(real(QStringLiteral("SELECT KALAN FROM SIPARISSATIR WHERE STOKHAR_NO = ?"), {line}), 0.0);
    QCOMPARE(real(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {item}),
             std::max(0.0, alinan - kalan));
    Table t = reader(client.BakiyelerVer2(cari));
    QVERIFY(!t.locate(QStringLiteral("STOKHAR_NO"), line));
    // The line itself stays in its order.
    QCOMPARE(reader(client.SiparisAyrintisi2(cari, qint32(m_first))).recordCount(), qsizetype(3));
    // Nothing left to close.
    QCOMPARE(client.BakiyeDuzenle(login(girisAkdeniz), qint32(item), 0, qint32(line), 5, 0, QString()), 0);
}

void TestOpsOrders::changeBalance_data()
{
    QTest::addColumn<double>("teslim"); // delivered before the change
    QTest::addColumn<double>("yeni");
    QTest::addColumn<int>("sonuc");
    // The line of the third item: 6 ordered.
    QTest::newRow("lower") << 0.0 << 2.0 << 1;
    QTest::newRow("back up to the order") << 0.0 << 6.0 << 1;
    QTest::newRow("above the order") << 0.0 << 7.0 << 0;
    QTest::newRow("above what is undelivered") << 4.0 << 3.0 << 0;
    QTest::newRow("all that is undelivered") << 4.0 << 2.0 << 1;
    QTest::newRow("negative") << 0.0 << -1.0 << 0;
    QTest::newRow("not a number") << 0.0 << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::newRow("zero closes") << 0.0 << 0.0 << 1;
}

void TestOpsOrders::changeBalance()
{
    QFETCH(double, teslim);
    QFETCH(double, yeni);
    QFETCH(int, sonuc);
    const qint64 line = m_lines[2];
    const qint64 item = m_items[2];
    // Start every row from a known line: 6 ordered, `teslim` delivered, the rest open.
    m_db->execute(
        QStringLiteral("UPDATE SIPARISSATIR SET TESLIMEDILEN = ?, KALAN = MIKTAR - ? WHERE STOKHAR_NO = ?"),
        {teslim, teslim, line});
    QCOMPARE(real(QStringLiteral("SELECT MIKTAR FROM SIPARISSATIR WHERE STOKHAR_NO = ?"), {line}), 6.0);
    const double kalan = 6 - teslim;
    const double alinan = real(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {item});
    const QString before = lineState(line);

    auto c = connect();
    TServerMethods1Client client(c.get());
    QCOMPARE(client.BakiyeDegistir(login(girisAkdeniz), qint32(item), 0, qint32(line), yeni, yeni, QString()),
             sonuc);
    if (sonuc == 1) {
        QCOMPARE(real(QStringLiteral("SELECT KALAN FROM SIPARISSATIR WHERE STOKHAR_NO = ?"), {line}), yeni);
        QCOMPARE(real(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {item}),
                 std::max(0.0, alinan + yeni - kalan));
    } else {
        QCOMPARE(lineState(line), before);
        QCOMPARE(real(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {item}), alinan);
    }
    // Never through another customer's login.
    QCOMPARE(client.BakiyeDegistir(login(girisYildiz), qint32(item), 0, qint32(line), 1, 1, QString()), 0);
}

void TestOpsOrders::changePrice_data()
{
    QTest::addColumn<int>("giris");
    QTest::addColumn<qint32>("carino");
    QTest::addColumn<double>("fiyat");
    QTest::addColumn<double>("ind");
    QTest::addColumn<int>("sonuc");
    QTest::newRow("dealer") << girisAkdeniz << cari << 30.0 << 5.0 << 0;
    QTest::newRow("representative kind 1") << girisAhmet << cari << 30.0 << 5.0 << 0;
    QTest::newRow("dealer kind 3") << girisAnadolu << cari << 30.0 << 5.0 << 0;
    QTest::newRow("sales manager, rate over 100") << girisAyse << cari << 30.0 << 150.0 << 0;
    QTest::newRow("sales manager, negative price") << girisAyse << cari << -30.0 << 5.0 << 0;
    QTest::newRow("sales manager, other customer") << girisAyse << qint32(3) << 30.0 << 5.0 << 0;
    QTest::newRow("sales manager") << girisAyse << cari << 34.5 << 7.5 << 1;
    QTest::newRow("sales manager, no discount") << girisAyse << cari << 41.0 << 0.0 << 1;
    QTest::newRow("sales manager, all off") << girisAyse << cari << 41.0 << 100.0 << 1;
}

void TestOpsOrders::changePrice()
{
    QFETCH(int, giris);
    QFETCH(qint32, carino);
    QFETCH(double, fiyat);
    QFETCH(double, ind);
    QFETCH(int, sonuc);
    const qint64 line = m_lines[2]; // 6 ordered at 39.90 less 10 and 5
    const QString before = lineState(line);
    const double alinan =
        real(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {m_items[2]});
    auto c = connect();
    TServerMethods1Client client(c.get());
    // As the price dialog sends it: stokno 0, Adet = Bakiye = MIKTAR.
    QCOMPARE(
        client.BakiyeFiyatDegistir(login(giris, carino), 0, 0, qint32(line), 6, 6, QString(), fiyat, ind),
        sonuc);
    if (sonuc == 0) {
        QCOMPARE(lineState(line), before);
        return;
    }
    Table t = reader(client.TumSiparislerVer(cari, qint32(m_items[2])));
    QVERIFY(t.locate(QStringLiteral("STOKHAR_NO"), line));
    const server::SatirTutari a = server::satirHesapla(6, fiyat, ind, 0, 5, 0, f(t, "KDV"));
    QCOMPARE(f(t, "BIRIMFIYAT"), fiyat);
    QCOMPARE(f(t, "INDIRIMORANI1"), ind);
    QCOMPARE(f(t, "INDIRIMORANI3"), 5.0); // the other rates stay
    QCOMPARE(f(t, "ILKFIYAT"), 39.9);     // the price it was ordered at
    QCOMPARE(f(t, "TUTAR"), a.tutar);
    QCOMPARE(f(t, "INDIRIMTUTAR"), a.indirimTutar);
    QCOMPARE(f(t, "NETTUTAR"), a.netTutar);
    QCOMPARE(f(t, "NETBIRIMFIYAT"), a.netBirimFiyat);
    QCOMPARE(f(t, "VERGITUTARI"), a.vergiTutari);
    QCOMPARE(s(t, "INDIRIMYAZI"), a.indirimYazi);
    QCOMPARE(f(t, "MIKTAR"), 6.0);
    QCOMPARE(real(QStringLiteral("SELECT ALINANSIPARIS FROM STOK WHERE STOKNO = ?"), {m_items[2]}), alinan);
}

QTEST_GUILESS_MAIN(TestOpsOrders)
#include "tst_ops_orders.moc"
