#include "scriptedseams.h"
#include "testserver.h"

#include "service/baglantiac.h"
#include "service/connection.h"

#include <QApplication>
#include <QTcpServer>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

using namespace zelvora;

namespace {

const QString Final = QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!");

void pointAt(Connection &connection, quint16 port)
{
    connection.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    connection.setParam(QStringLiteral("Port"), QString::number(port));
    connection.setParam(QStringLiteral("ConnectTimeout"), QStringLiteral("2000"));
}

} // namespace

class TestBaglantiAc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void opensAtOnceWhenTheServerListens();
    void closedPortTriesElevenTimes_data();
    void closedPortTriesElevenTimes();
    void serverComingBackEndsTheRetries();
    void fromAWorkerTheMessagesAreShownOnTheUiThread();

private:
    std::unique_ptr<ScriptedSeams> m_seams;
};

void TestBaglantiAc::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
}

void TestBaglantiAc::cleanup()
{
    m_seams.reset();
}

void TestBaglantiAc::opensAtOnceWhenTheServerListens()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    Connection connection;
    pointAt(connection, server.serverPort());

    QVERIFY(BaglantiAc(connection, 1));
    QVERIFY(connection.connected());
    QVERIFY(m_seams->events().isEmpty());
}

void TestBaglantiAc::closedPortTriesElevenTimes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("loud");
    QTest::newRow("loud form (1)") << 1 << true;
    QTest::newRow("quiet form (0)") << 0 << false;
    QTest::newRow("quiet form (any other value)") << 2 << false;
}

void TestBaglantiAc::closedPortTriesElevenTimes()
{
    QFETCH(int, mode);
    QFETCH(bool, loud);
    const quint16 port = KapaliPort();
    QVERIFY(port != 0);
    Connection connection;
    pointAt(connection, port);

    QVERIFY(!BaglantiAc(connection, mode));
    QVERIFY(!connection.connected());

    // Each failure shows the transport's own reason, then waits; the last one too.
    const QStringList messages = m_seams->messages();
    QCOMPARE(messages.size(), 11);
    for (const QString &message : messages) {
        QVERIFY(!message.isEmpty());
        QCOMPARE(message, messages.first());
    }
    QCOMPARE(m_seams->sleeps(), QList<int>(11, 500));

    QStringList expected;
    for (int i = 0; i < 11; ++i)
        expected << QStringLiteral("message:") + messages.first() << QStringLiteral("sleep:500");
    if (loud)
        expected << QStringLiteral("dialog:") + Final;
    QCOMPARE(m_seams->events(), expected);

    if (loud) {
        const MesajIstegi dialog = m_seams->dialogs().constFirst();
        QCOMPARE(dialog.caption, QStringLiteral("Hata"));
        QCOMPARE(dialog.kind, int(mtHata));
        QCOMPARE(dialog.buttonCaptions(), QStringList{QStringLiteral("Tamam")});
        QCOMPARE(dialog.focusButton, int(mbOK));
        QCOMPARE(m_seams->sounds(), QList<SystemSound>{SystemSound::Error});
    }
}

void TestBaglantiAc::serverComingBackEndsTheRetries()
{
    const quint16 port = KapaliPort();
    QVERIFY(port != 0);
    QTcpServer server;
    // The server is back after the third failed attempt has had its wait.
    m_seams->onSleep = [&server, port](int waits) {
        if (waits == 3)
            QVERIFY(server.listen(QHostAddress::LocalHost, port));
    };
    Connection connection;
    pointAt(connection, port);

    QVERIFY(BaglantiAc(connection, 1));
    QVERIFY(connection.connected());
    QCOMPARE(m_seams->messages().size(), 3);
    QCOMPARE(m_seams->sleeps(), QList<int>(3, 500));
    QVERIFY(m_seams->dialogs().isEmpty());
}

void TestBaglantiAc::fromAWorkerTheMessagesAreShownOnTheUiThread()
{
    const quint16 port = KapaliPort();
    QVERIFY(port != 0);
    std::atomic<bool> done = false;
    std::atomic<bool> opened = true;
    QThread *workerThread = nullptr;

    std::thread worker([&] {
        workerThread = QThread::currentThread();
        Connection connection;
        pointAt(connection, port);
        opened = BaglantiAc(connection, 1);
        done = true;
    });
    // The worker waits on the UI thread for each message, so it can only end
    // while this thread keeps its event loop turning.
    QTRY_VERIFY_WITH_TIMEOUT(done, 60000);
    worker.join();

    QVERIFY(!opened);
    QCOMPARE(m_seams->messageThreads(), QList<QThread *>(11, qApp->thread()));
    QCOMPARE(m_seams->dialogThreads(), QList<QThread *>{qApp->thread()});
    // The waits stay on the worker: the UI thread is never put to sleep for it.
    QCOMPARE(m_seams->sleepThreads(), QList<QThread *>(11, workerThread));
    QCOMPARE(m_seams->events().constLast(), QStringLiteral("dialog:") + Final);
}

QTEST_MAIN(TestBaglantiAc)
#include "tst_baglantiac.moc"
