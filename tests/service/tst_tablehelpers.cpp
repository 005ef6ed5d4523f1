#include "service/tablehelpers.h"
#include "table/table.h"

#include <QTest>

using namespace zelvora;

namespace {

// A basket as the screens see it: the marks in "SEC".
Table basket(const QList<QVariant> &marks, FieldKind secKind = FieldKind::Integer)
{
    Table t;
    t.define({{QStringLiteral("SIRANO"), FieldKind::Integer},
              {QStringLiteral("STOKADI"), FieldKind::Text, 60},
              {QStringLiteral("SEC"), secKind}});
    int no = 1;
    for (const QVariant &mark : marks) {
        t.append();
        t.fieldByName(QStringLiteral("SIRANO")).setValue(no++);
        t.fieldByName(QStringLiteral("STOKADI")).setValue(QStringLiteral("ÖN FREN BALATASI"));
        t.fieldByName(QStringLiteral("SEC")).setValue(mark);
        t.post();
    }
    t.last();
    return t;
}

} // namespace

class TestTableHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void kayitVarmi();
    void seciliVarmi_data();
    void seciliVarmi();
    void seciliVarmiOnEmptyAndClosedTables();
    void seciliVarmiWithoutTheField();
};

void TestTableHelpers::kayitVarmi()
{
    Table never;
    QVERIFY(!KayitVarmi(never));
    Table empty = basket({});
    QVERIFY(!KayitVarmi(empty));
    Table one = basket({0});
    QVERIFY(KayitVarmi(one));
    one.close();
    QVERIFY(!KayitVarmi(one));
}

void TestTableHelpers::seciliVarmi_data()
{
    QTest::addColumn<QList<QVariant>>("marks");
    QTest::addColumn<int>("secKind");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<qsizetype>("row");
    const int integer = int(FieldKind::Integer);
    QTest::newRow("all 0") << QList<QVariant>{0, 0, 0} << integer << false << qsizetype(2);
    QTest::newRow("one marked") << QList<QVariant>{0, 1, 0} << integer << true << qsizetype(1);
    QTest::newRow("first of two marked") << QList<QVariant>{0, 0, 1, 1} << integer << true << qsizetype(2);
    QTest::newRow("first row marked") << QList<QVariant>{1, 0} << integer << true << qsizetype(0);
    QTest::newRow("other values are not a mark")
        << QList<QVariant>{2, -1, 0} << integer << false << qsizetype(2);
    QTest::newRow("empty mark") << QList<QVariant>{QVariant(), 1} << integer << true << qsizetype(1);
    QTest::newRow("boolean field") << QList<QVariant>{false, true} << int(FieldKind::Boolean) << true
                                   << qsizetype(1);
    QTest::newRow("float field") << QList<QVariant>{0.0, 1.0} << int(FieldKind::Float) << true
                                 << qsizetype(1);
}

void TestTableHelpers::seciliVarmi()
{
    QFETCH(QList<QVariant>, marks);
    QFETCH(int, secKind);
    QFETCH(bool, expected);
    QFETCH(qsizetype, row);
    Table t = basket(marks, FieldKind(secKind));
    QCOMPARE(SeciliVarmi(t), expected);
    // The caller goes on with the row the table stands on.
    QCOMPARE(t.recNo(), row);
    if (expected)
        QCOMPARE(t.fieldByName(QStringLiteral("SEC")).asInteger(), 1);
}

void TestTableHelpers::seciliVarmiOnEmptyAndClosedTables()
{
    Table never;
    QVERIFY(!SeciliVarmi(never));
    Table empty = basket({});
    QVERIFY(!SeciliVarmi(empty));
    Table closed = basket({1, 1});
    closed.close();
    QVERIFY(!SeciliVarmi(closed));
}

void TestTableHelpers::seciliVarmiWithoutTheField()
{
    Table t;
    t.define({{QStringLiteral("SIRANO"), FieldKind::Integer}});
    t.append();
    t.fieldByName(QStringLiteral("SIRANO")).setValue(1);
    t.post();
    QVERIFY(!SeciliVarmi(t));
}

QTEST_GUILESS_MAIN(TestTableHelpers)
#include "tst_tablehelpers.moc"
