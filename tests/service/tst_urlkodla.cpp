#include "service/urlkodla.h"

#include <QTest>
#include <QUrl>
#include <QUrlQuery>

using namespace zelvora;

class TestUrlKodla : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodes_data();
    void encodes();
    void valueArrivesIntactInAnAddress_data();
    void valueArrivesIntactInAnAddress();
};

void TestUrlKodla::encodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("ampersand, blank, Turkish letter")
        << QStringLiteral("A&B Şirketi") << QStringLiteral("A%26B%20%C5%9Eirketi");
    QTest::newRow("plain") << QStringLiteral("AHMET") << QStringLiteral("AHMET");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("query characters")
        << QStringLiteral("a=b+c#d?e/f") << QStringLiteral("a%3Db%2Bc%23d%3Fe%2Ff");
    QTest::newRow("unreserved stay") << QStringLiteral("a-b.c_d~e") << QStringLiteral("a-b.c_d~e");
}

void TestUrlKodla::encodes()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(UrlKodla(text), encoded);
    QCOMPARE(QUrl::fromPercentEncoding(UrlKodla(text).toLatin1()), text);
}

void TestUrlKodla::valueArrivesIntactInAnAddress_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("A&B Şirketi") << QStringLiteral("A&B Şirketi");
    QTest::newRow("ÇAĞRI & OĞUL OTO %50") << QStringLiteral("ÇAĞRI & OĞUL OTO %50");
    QTest::newRow("1+1=2 #1") << QStringLiteral("1+1=2 #1");
}

void TestUrlKodla::valueArrivesIntactInAnAddress()
{
    QFETCH(QString, name);
    const QUrl url(QStringLiteral("http://127.0.0.1:8080/formmailgonder.aspx?carino=0&kullanici=") +
                   UrlKodla(name) + QStringLiteral("&id=5"));
    QVERIFY(url.isValid());
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("kullanici"), QUrl::FullyDecoded), name);
    QCOMPARE(query.queryItemValue(QStringLiteral("id")), QStringLiteral("5"));
    QCOMPARE(query.queryItemValue(QStringLiteral("carino")), QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestUrlKodla)
#include "tst_urlkodla.moc"
