#include "table/formatfloat.h"
#include "table/table.h"
#include "table/tablemodel.h"
#include "table/tablereader.h"

#include <QSignalSpy>
#include <QTest>

using namespace zelvora;

namespace {

Table fixture()
{
    Table t;
    t.define({{QStringLiteral("STOKNO"), FieldKind::Integer},
              {QStringLiteral("ADI"), FieldKind::Text, 100},
              {QStringLiteral("FIYAT"), FieldKind::Float},
              {QStringLiteral("TUTAR"), FieldKind::Currency},
              {QStringLiteral("SEC"), FieldKind::Integer},
              {QStringLiteral("TARIH"), FieldKind::DateTime}});
    const struct
    {
        int no;
        const char *name;
        double price;
    } rows[] = {{10, "ÖN FREN BALATASI", 1234.5}, {11, "YAĞ FİLTRESİ", 89.9}, {12, "AMORTİSÖR", 0}};
    for (const auto &r : rows) {
        t.append();
        t.fieldByName(QStringLiteral("STOKNO")).setValue(r.no);
        t.fieldByName(QStringLiteral("ADI")).setValue(QString::fromUtf8(r.name));
        t.fieldByName(QStringLiteral("FIYAT")).setValue(r.price);
        t.fieldByName(QStringLiteral("TUTAR")).setValue(r.price * 2);
        t.fieldByName(QStringLiteral("SEC")).setValue(0);
        t.fieldByName(QStringLiteral("TARIH")).setValue(QDateTime(QDate(2026, 12, 11), QTime(14, 30)));
        t.post();
    }
    t.first();
    return t;
}

} // namespace

class TestTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatFloat_data();
    void formatFloat();
    void sayiFormatlaTouchesOnlyPlainFloats();
    void cursorAndEdits();
    void locateFindsAndPositions();
    void closedTableRefusesReads();
    void readerWithNoRowsGivesOpenEmptyTable();
    void readerCopiesRowsByPosition();
    void oleDatesRoundTrip();
    void modelFollowsTable();
    void disabledControlsSendOneReset();
};

void TestTable::formatFloat_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    const QString money = QStringLiteral("#,###,##0.00");
    const QString tr = QStringLiteral("tr_TR");
    QTest::newRow("thousands tr") << money << 1234.56 << tr << QStringLiteral("1.234,56");
    QTest::newRow("zero") << money << 0.0 << tr << QStringLiteral("0,00");
    QTest::newRow("millions negative") << money << -1234567.891 << tr << QStringLiteral("-1.234.567,89");
    QTest::newRow("2.675 rounds up") << money << 2.675 << tr << QStringLiteral("2,68");
    QTest::newRow("1.005 rounds up") << money << 1.005 << tr << QStringLiteral("1,01");
    QTest::newRow("half away from zero") << money << -0.125 << tr << QStringLiteral("-0,13");
    QTest::newRow("tiny negative is zero") << money << -0.001 << tr << QStringLiteral("0,00");
    QTest::newRow("carry into new digit") << money << 999999.999 << tr << QStringLiteral("1.000.000,00");
    QTest::newRow("no forced integer digit")
        << QStringLiteral("#,###,##.00") << 0.5 << tr << QStringLiteral(",50");
    QTest::newRow("english separators")
        << money << 1234.5 << QStringLiteral("en_US") << QStringLiteral("1,234.50");
    QTest::newRow("optional decimals")
        << QStringLiteral("0.##") << 3.1 << QStringLiteral("en_US") << QStringLiteral("3.1");
    QTest::newRow("two forced integer digits")
        << QStringLiteral("#,###,##00.00") << 5.0 << tr << QStringLiteral("05,00");
}

void TestTable::formatFloat()
{
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(FormatFloat(pattern, value, QLocale(locale)), expected);
}

void TestTable::sayiFormatlaTouchesOnlyPlainFloats()
{
    Table t = fixture();
    SayiFormatla(t);
    QCOMPARE(t.fieldByName(QStringLiteral("FIYAT")).displayFormat(), QStringLiteral("#,###,##0.00"));
    QVERIFY(t.fieldByName(QStringLiteral("TUTAR")).displayFormat().isEmpty());
    QVERIFY(t.fieldByName(QStringLiteral("STOKNO")).displayFormat().isEmpty());
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    QCOMPARE(t.fieldByName(QStringLiteral("FIYAT")).displayText(), QStringLiteral("1.234,50"));
    QLocale::setDefault(QLocale::c());
}

void TestTable::cursorAndEdits()
{
    Table t = fixture();
    QCOMPARE(t.recordCount(), 3);
    QCOMPARE(t.fieldByName(QStringLiteral("adi")).asString(), QStringLiteral("ÖN FREN BALATASI"));
    t.next();
    t.next();
    QVERIFY(!t.eof());
    t.next();
    QVERIFY(t.eof());
    QCOMPARE(t.fieldByName(QStringLiteral("STOKNO")).asInteger(), 12);

    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("SEC")).setValue(1);
    t.fieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("X"));
    t.post();
    QCOMPARE(t.fieldByName(QStringLiteral("SEC")).asInteger(), 1);
    QCOMPARE(t.fieldByName(QStringLiteral("ADI")).asString(), QStringLiteral("X"));
    // A longer text after a shorter one must not bleed into the next row.
    t.edit();
    t.fieldByName(QStringLiteral("ADI")).setValue(QStringLiteral("ÇOK DAHA UZUN BİR AÇIKLAMA"));
    t.post();
    t.next();
    QCOMPARE(t.fieldByName(QStringLiteral("ADI")).asString(), QStringLiteral("YAĞ FİLTRESİ"));

    t.append();
    t.cancel();
    QCOMPARE(t.recordCount(), 3);

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, t.fieldByName(QStringLiteral("YOK")));
    QVERIFY_THROWS_EXCEPTION(std::logic_error,
                             t.fieldByName(QStringLiteral("SEC")).setValue(5)); // not editing

    t.emptyTable();
    QVERIFY(t.active());
    QCOMPARE(t.recordCount(), 0);
    QCOMPARE(t.fieldCount(), 6);
}

void TestTable::locateFindsAndPositions()
{
    Table t = fixture();
    QVERIFY(t.locate(QStringLiteral("STOKNO"), 12));
    QCOMPARE(t.recNo(), 2);
    QVERIFY(t.locate(QStringLiteral("ADI"), QStringLiteral("YAĞ FİLTRESİ")));
    QCOMPARE(t.recNo(), 1);
    QVERIFY(!t.locate(QStringLiteral("STOKNO"), 99));
}

void TestTable::closedTableRefusesReads()
{
    Table t = fixture();
    t.close();
    QVERIFY(!t.active());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, t.fieldByName(QStringLiteral("ADI")).asString());
    QVERIFY(!t.value(0, 0).isValid());
    t.open();
    QCOMPARE(t.fieldByName(QStringLiteral("STOKNO")).asInteger(), 10);
}

void TestTable::readerWithNoRowsGivesOpenEmptyTable()
{
    Table source;
    source.define({{QStringLiteral("ID"), FieldKind::Integer}, {QStringLiteral("ADI"), FieldKind::Text}});
    TableReader reader(std::make_shared<const Table>(source));
    Table target = fixture();
    LoadFromReader(reader, target);
    QVERIFY(target.active());
    QCOMPARE(target.recordCount(), 0);
    QCOMPARE(target.fieldCount(), 2);
    QCOMPARE(target.column(1).name(), QStringLiteral("ADI"));
    QVERIFY(!reader.next());
}

void TestTable::readerCopiesRowsByPosition()
{
    TableReader reader(std::make_shared<const Table>(fixture()));
    Table target;
    LoadFromReader(reader, target);
    QCOMPARE(target.recordCount(), 3);
    QCOMPARE(target.fieldDefs().size(), 6);
    target.last();
    QCOMPARE(target.fieldByName(QStringLiteral("ADI")).asString(), QStringLiteral("AMORTİSÖR"));
    QCOMPARE(target.fieldByName(QStringLiteral("TARIH")).asDateTime(),
             QDateTime(QDate(2026, 12, 11), QTime(14, 30)));
    QVERIFY(!reader.next());
}

void TestTable::oleDatesRoundTrip()
{
    QCOMPARE(toOleDate(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    QCOMPARE(toOleDate(QDateTime(QDate(1900, 1, 1), QTime(6, 0))), 2.25);
    const QDateTime dt(QDate(2026, 12, 11), QTime(23, 59, 59, 500));
    QCOMPARE(fromOleDate(toOleDate(dt)), dt);
}

void TestTable::modelFollowsTable()
{
    Table t = fixture();
    SayiFormatla(t);
    TableModel model;
    model.setTable(&t);
    QCOMPARE(model.rowCount(), 3);
    QCOMPARE(model.columnCount(), 6);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("ADI"));
    QCOMPARE(model.data(model.index(0, 2), TableModel::RawRole).toDouble(), 1234.5);

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    t.append();
    t.fieldByName(QStringLiteral("STOKNO")).setValue(13);
    QCOMPARE(model.rowCount(), 3); // not posted yet
    t.post();
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(model.rowCount(), 4);

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setTable(nullptr);
    QCOMPARE(model.rowCount(), 0);
    model.setTable(&t);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(reset.count(), 2);
}

void TestTable::disabledControlsSendOneReset()
{
    Table t = fixture();
    TableModel model;
    model.setTable(&t);
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    t.disableControls();
    for (int i = 0; i < 100; ++i) {
        t.append();
        t.fieldByName(QStringLiteral("STOKNO")).setValue(100 + i);
        t.post();
    }
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(reset.count(), 0);
    t.enableControls();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 103);
}

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"
