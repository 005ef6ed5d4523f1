#include "service/yuvarla.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace zelvora;

class TestYuvarla : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void rounds_data();
    void rounds();
    void notFiniteStaysAsItIs();
};

void TestYuvarla::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

void TestYuvarla::rounds_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    const struct
    {
        const char *name;
        double value;
        double expected;
    } cases[] = {
        {"0.456", 0.456, 0.46},
        {"2.675 (binary just below)", 2.675, 2.68},
        {"1.005 (binary just below)", 1.005, 1.01},
        {"-2.675 half away from zero", -2.675, -2.68},
        {"-0.005", -0.005, -0.01},
        {"1234567.891 with separators", 1234567.891, 1234567.89},
        {"0.5 (no digit before the point)", 0.5, 0.5},
        {"-0.5", -0.5, -0.5},
        {"1.004 down", 1.004, 1.0},
        {"0", 0.0, 0.0},
        {"0.001 to zero", 0.001, 0.0},
        {"99999.995 carries", 99999.995, 100000.0},
        {"12345678901.235", 12345678901.235, 12345678901.24},
        {"already two decimals", 19.99, 19.99},
    };
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    for (const auto &c : cases) {
        QTest::addRow("tr_TR %s", c.name) << turkish << c.value << c.expected;
        QTest::addRow("C %s", c.name) << QLocale::c() << c.value << c.expected;
    }
}

void TestYuvarla::rounds()
{
    QFETCH(QLocale, locale);
    QFETCH(double, value);
    QFETCH(double, expected);
    // Exactly the double the two-decimal text stands for, not merely close.
    QCOMPARE(Yuvarla(value, locale), expected);
    QVERIFY(Yuvarla(value, locale) == expected);
    // The user's locale is the default one.
    QLocale::setDefault(locale);
    QVERIFY(Yuvarla(value) == expected);
}

void TestYuvarla::notFiniteStaysAsItIs()
{
    QVERIFY(std::isnan(Yuvarla(std::numeric_limits<double>::quiet_NaN())));
    QCOMPARE(Yuvarla(std::numeric_limits<double>::infinity()), std::numeric_limits<double>::infinity());
}

QTEST_GUILESS_MAIN(TestYuvarla)
#include "tst_yuvarla.moc"
