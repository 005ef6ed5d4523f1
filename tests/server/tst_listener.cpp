// The service port under bad input: every malformed frame gets an error answer
// or a closed connection, and the server keeps serving everyone else.
#include "service/connection.h"
#include "testserver.h"
#include "wire/codec.h"
#include "wire/errors.h"
#include "wire/framing.h"

#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <atomic>
#include <cstring>

using namespace zelvora;

Q_DECLARE_METATYPE(zelvora::wire::Value)

class TestListener : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void badFramesGetErrorAndServerKeepsServing_data();
    void badFramesGetErrorAndServerKeepsServing();
    void requestErrorsKeepConnectionUsable_data();
    void requestErrorsKeepConnectionUsable();
    void silentPeerIsDropped();
    void manyExchangesOnOneConnection();
    void parallelClients();

private:
    QString kayanYazi();
    std::unique_ptr<Connection> connect();
    TestServer m_server{200};
};

void TestListener::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
}

std::unique_ptr<Connection> TestListener::connect()
{
    return m_server.openConnection();
}

QString TestListener::kayanYazi()
{
    auto c = connect();
    return c->execute(QStringLiteral("TServerMethods1.KayanYaziGetir"), {}).last().asText();
}

void TestListener::badFramesGetErrorAndServerKeepsServing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    wire::Request req;
    req.command = QStringLiteral("TServerMethods1.KayanYaziGetir");
    const QByteArray good = wire::encodeRequest(req);

    QByteArray badMagic = good;
    badMagic[1] = 'X';
    QByteArray oversized = good.left(wire::HeaderSize);
    const quint32 big = 64u << 20;
    std::memcpy(oversized.data() + 8, &big, 4);
    QByteArray garbagePayload = good.left(wire::HeaderSize);
    garbagePayload.append(QByteArray(good.size() - wire::HeaderSize, '\xee'));
    QByteArray answerInsteadOfRequest = wire::encodeResponse({wire::Value::int32(1)});

    QTest::newRow("bad magic") << badMagic;
    QTest::newRow("oversized") << oversized;
    QTest::newRow("garbage payload") << garbagePayload;
    QTest::newRow("answer sent as request") << answerInsteadOfRequest;
    QTest::newRow("http request") << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n\r\n");
}

void TestListener::badFramesGetErrorAndServerKeepsServing()
{
    QFETCH(QByteArray, bytes);
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), m_server.port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write(bytes);
    QVERIFY(socket.waitForBytesWritten(5000));
    // The answer is an error frame, after which the server closes.
    const auto payload = wire::readFrame(socket, wire::DefaultResponseLimit, 5000);
    QVERIFY(payload.has_value());
    const wire::Message m = wire::decodePayload(*payload);
    QCOMPARE(m.type, wire::MessageType::Error);
    QCOMPARE(m.errorClass, QLatin1String(wire::errorclass::Protocol));
    QVERIFY(socket.state() == QAbstractSocket::UnconnectedState || socket.waitForDisconnected(5000));
    QVERIFY(!kayanYazi().trimmed().isEmpty());
}

void TestListener::requestErrorsKeepConnectionUsable_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<wire::Values>("params");
    QTest::addColumn<QString>("errorClass");
    const QString arg = QLatin1String(wire::errorclass::Argument);
    QTest::newRow("unknown command") << QStringLiteral("TServerMethods1.Yok") << wire::Values{}
                                     << QString::fromLatin1(wire::errorclass::NoMethod);
    QTest::newRow("other class") << QStringLiteral("TBaskaSinif.KayanYaziGetir") << wire::Values{}
                                 << QString::fromLatin1(wire::errorclass::NoMethod);
    QTest::newRow("too many parameters")
        << QStringLiteral("TServerMethods1.KayanYaziGetir") << wire::Values{wire::Value::int32(1)} << arg;
    QTest::newRow("too few parameters")
        << QStringLiteral("TServerMethods1.SepetVer2") << wire::Values{} << arg;
    QTest::newRow("wrong kind") << QStringLiteral("TServerMethods1.SepetVer2")
                                << wire::Values{wire::Value::text(QStringLiteral("1"))} << arg;
    QTest::newRow("null login record")
        << QStringLiteral("TServerMethods1.SepetSayisi") << wire::Values{wire::Value::nullObject()} << arg;
    QTest::newRow("broken login record") << QStringLiteral("TServerMethods1.SepetSayisi")
                                         << wire::Values{wire::Value::object("{\"type\":")} << arg;
    QTest::newRow("wrong object class")
        << QStringLiteral("TServerMethods1.SepetSayisi")
        << wire::Values{wire::Value::object("{\"type\":\"baglantiu.TTusSonuclari\",\"id\":1,\"fields\":{}}")}
        << arg;
}

void TestListener::requestErrorsKeepConnectionUsable()
{
    QFETCH(QString, command);
    QFETCH(wire::Values, params);
    QFETCH(QString, errorClass);
    auto c = connect();
    try {
        c->execute(command, params);
        QFAIL("an error answer was expected");
    } catch (const wire::RemoteError &e) {
        QCOMPARE(e.className(), errorClass);
        QVERIFY(!e.message().isEmpty());
    }
    QVERIFY(c->connected());
    QVERIFY(!c->execute(QStringLiteral("TServerMethods1.KayanYaziGetir"), {}).last().asText().isEmpty());
}

void TestListener::silentPeerIsDropped()
{
    // Half a header and then silence must not hold a worker forever; the rest
    // of the server keeps answering meanwhile.
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), m_server.port());
    QVERIFY(socket.waitForConnected(5000));
    socket.write("ZLV");
    QVERIFY(socket.waitForBytesWritten(5000));
    QVERIFY(!kayanYazi().isEmpty());
}

void TestListener::manyExchangesOnOneConnection()
{
    auto c = connect();
    for (int i = 0; i < 200; ++i)
        QCOMPARE(c->execute(QStringLiteral("TServerMethods1.AcilisReklamAdet"), {}).size(), 1);
}

void TestListener::parallelClients()
{
    std::atomic<int> ok{0};
    std::atomic<int> failed{0};
    QList<QThread *> threads;
    for (int t = 0; t < 8; ++t) {
        threads.append(QThread::create([&] {
            for (int i = 0; i < 25; ++i) {
                try {
                    Connection c;
                    c.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
                    c.setParam(QStringLiteral("Port"), QString::number(m_server.port()));
                    c.open();
                    const auto v =
                        c.execute(QStringLiteral("TServerMethods1.SepetVer2"), {wire::Value::int32(1)});
                    if (v.size() == 1 && v.last().asTable())
                        ++ok;
                    c.close();
                } catch (...) {
                    ++failed;
                }
            }
        }));
        threads.last()->start();
    }
    for (QThread *t : threads) {
        QVERIFY(t->wait(60000));
        delete t;
    }
    QCOMPARE(failed.load(), 0);
    QCOMPARE(ok.load(), 200);
}

QTEST_GUILESS_MAIN(TestListener)
#include "tst_listener.moc"
