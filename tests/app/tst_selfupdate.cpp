#include "app/dosyaindir.h"
#include "service/seams.h"
#include "testserver.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zelvora;

namespace {

// The outside world of the update: where it downloads from, and what it
// asked of the desktop and the process, in order.
class UpdateSeams : public Seams
{
public:
    explicit UpdateSeams(QString host) : m_host(std::move(host)) { Seams::install(this); }
    ~UpdateSeams() override { Seams::install(nullptr); }
    Q_DISABLE_COPY_MOVE(UpdateSeams)

    Dagitim dagitim() const override
    {
        Dagitim d;
        d.guncellemeAdresi = m_host;
        return d;
    }
    void showErrorBox(const QString &text) override
    {
        errors.append(text);
        events.append(QStringLiteral("error"));
    }
    void showMessage(const QString &text) override { events.append(QStringLiteral("message:") + text); }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        startedProgram = program;
        startedArguments = arguments;
        // What the shell would find at that moment.
        startedBytes = readAll(program);
        events.append(QStringLiteral("start"));
        return true;
    }
    void terminate(int exitCode) override
    {
        events.append(QStringLiteral("terminate:") + QString::number(exitCode));
    }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QStringList events;
    QStringList errors;
    QString startedProgram;
    QStringList startedArguments;
    QByteArray startedBytes;

private:
    QString m_host;
};

// A web host that answers whatever the test scripts, records the request,
// and can hold the body back half way to keep a download running.
class ScriptedHost : public QTcpServer
{
public:
    QByteArray status = "200 OK";
    QByteArray extraHeaders;
    QByteArray body;
    bool holdHalf = false;
    qint64 announcedLength = -1; // -1: the body's own size
    QString watchedFile;         // its existence is noted when the request arrives

    QByteArray request;
    bool watchedExisted = false;
    int requests = 0;

    bool start() { return listen(QHostAddress::LocalHost); }
    QString host() const { return QStringLiteral("127.0.0.1:") + QString::number(serverPort()); }

    void releaseRest()
    {
        if (m_held) {
            m_held->write(body.mid(body.size() / 2));
            m_held->disconnectFromHost();
            m_held = nullptr;
        }
    }

protected:
    void incomingConnection(qintptr handle) override
    {
        auto *socket = new QTcpSocket(this);
        socket->setSocketDescriptor(handle);
        auto *buffer = new QByteArray;
        connect(socket, &QTcpSocket::disconnected, socket, [socket, buffer] {
            delete buffer;
            socket->deleteLater();
        });
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            if (!buffer->contains("\r\n\r\n"))
                return;
            request = *buffer;
            buffer->clear();
            ++requests;
            watchedExisted = !watchedFile.isEmpty() && QFileInfo::exists(watchedFile);
            socket->write(
                "HTTP/1.1 " + status + "\r\nContent-Type: application/octet-stream\r\n" + extraHeaders +
                "Content-Length: " + QByteArray::number(announcedLength < 0 ? body.size() : announcedLength) +
                "\r\nConnection: close\r\n\r\n");
            if (holdHalf) {
                socket->write(body.left(body.size() / 2));
                m_held = socket;
                return;
            }
            socket->write(body);
            socket->disconnectFromHost();
        });
    }

private:
    QPointer<QTcpSocket> m_held;
};

QByteArray httpGet(const QUrl &url)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(url));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!finished.wait(15000))
        return QByteArray();
    const QByteArray body = reply->readAll();
    delete reply;
    return body;
}

QString labelText(const Tdosyaindir &window, const char *name)
{
    const auto *label = window.findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no label>");
}

} // namespace

class TestSelfUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void notice_data();
    void notice();
    void progressText_data();
    void progressText();

    void downloadsFromDemoHost();
    void previousInstallerDeletedFirst();
    void headersAsDescribed();
    void redirectFollowed();
    void failureNotStarted_data();
    void failureNotStarted();
    void closeIgnoredWhileDownloading();
    void undeletableTargetLeavesWindowOpen();

private:
    QString target() const { return m_data->path() + QStringLiteral("/ZelvoraSetup.exe"); }
    void runToEnd(Tdosyaindir &window, const UpdateSeams &seams);

    std::unique_ptr<TestServer> m_server;
    std::unique_ptr<QTemporaryDir> m_data;
};

void TestSelfUpdate::initTestCase()
{
    m_server = std::make_unique<TestServer>(50);
    QString error;
    QVERIFY2(m_server->start(&error), qPrintable(error));
}

void TestSelfUpdate::init()
{
    // The local application-data folder follows XDG_DATA_HOME on Linux.
    m_data = std::make_unique<QTemporaryDir>();
    QVERIFY(m_data->isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_data->path()));
}

void TestSelfUpdate::cleanup()
{
    m_data.reset();
    qunsetenv("XDG_DATA_HOME");
}

void TestSelfUpdate::runToEnd(Tdosyaindir &window, const UpdateSeams &seams)
{
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(seams.events.contains(QStringLiteral("terminate:0")), 20000);
}

void TestSelfUpdate::notice_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("lastLine");
    QTest::newRow("server 7") << 7 << QStringLiteral("Version: 7-6");
    QTest::newRow("server 5") << 5 << QStringLiteral("Version: 5-6");
    QTest::newRow("server 12") << 12 << QStringLiteral("Version: 12-6");
}

void TestSelfUpdate::notice()
{
    QFETCH(int, version);
    QFETCH(QString, lastLine);
    UpdateSeams seams(QStringLiteral("127.0.0.1:1"));
    const Tdosyaindir window(nullptr, version);
    QCOMPARE(window.windowTitle(), QStringLiteral("Dosya İndir"));
    const QStringList lines = labelText(window, "sLabel1").split(QLatin1Char('\n'));
    QCOMPARE(lines, (QStringList{QStringLiteral("Zelvora B2B Programının"),
                                 QStringLiteral("Yeni versiyonu indirilecektir"),
                                 QStringLiteral("Lütfen Bekleyiniz...!"), lastLine}));
    QCOMPARE(labelText(window, "bilgi"), QString());
    // Nothing is fetched before the window is shown.
    QVERIFY(seams.events.isEmpty());
}

void TestSelfUpdate::progressText_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("expected");
    const QLocale c = QLocale::c();
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    QTest::newRow("half of 1 MiB") << qint64(524288) << qint64(1048576) << c
                                   << QStringLiteral("Bilgi: %50.00  İndirilen: 0.50/1.00 Mb");
    QTest::newRow("a third, Turkish separator") << qint64(1048576) << qint64(3145728) << turkish
                                                << QStringLiteral("Bilgi: %33,33  İndirilen: 1,00/3,00 Mb");
    QTest::newRow("complete, no grouping") << qint64(1572864000) << qint64(1572864000) << turkish
                                           << QStringLiteral("Bilgi: %100,00  İndirilen: 1500,00/1500,00 Mb");
    QTest::newRow("first bytes") << qint64(1000) << qint64(25000000) << c
                                 << QStringLiteral("Bilgi: %0.00  İndirilen: 0.00/23.84 Mb");
}

void TestSelfUpdate::progressText()
{
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(QLocale, locale);
    QFETCH(QString, expected);
    QCOMPARE(IndirmeBilgisi(received, total, locale), expected);
}

void TestSelfUpdate::downloadsFromDemoHost()
{
    const QString host = QStringLiteral("127.0.0.1:") + QString::number(m_server->httpPort());
    const QByteArray served =
        httpGet(QUrl(QStringLiteral("http://") + host + QStringLiteral("/exe/ZelvoraSetup.exe")));
    QVERIFY(!served.isEmpty());

    UpdateSeams seams(host);
    Tdosyaindir window(nullptr, 7);
    runToEnd(window, seams);

    QCOMPARE(seams.events, (QStringList{QStringLiteral("start"), QStringLiteral("terminate:0")}));
    QCOMPARE(seams.startedProgram, target());
    QCOMPARE(seams.startedArguments, QStringList{QStringLiteral("/silent")});
    QCOMPARE(seams.startedBytes, served);
    QVERIFY(QFileInfo(target()).isExecutable());

    // The last progress step shows the whole file.
    QCOMPARE(labelText(window, "bilgi"), IndirmeBilgisi(served.size(), served.size()));
    const auto *bar = window.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    QVERIFY(bar);
    QCOMPARE(bar->maximum(), int(served.size()));
    QCOMPARE(bar->value(), int(served.size()));
}

void TestSelfUpdate::previousInstallerDeletedFirst()
{
    {
        QFile old(target());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("eski kurulum, silinmeli");
    }
    ScriptedHost web;
    web.body = QByteArray(200000, 'z');
    web.watchedFile = target();
    QVERIFY(web.start());

    UpdateSeams seams(web.host());
    Tdosyaindir window(nullptr, 7);
    runToEnd(window, seams);

    QCOMPARE(web.requests, 1);
    QVERIFY2(!web.watchedExisted, "the old installer was still there when the download began");
    QCOMPARE(seams.startedBytes, web.body);
    QCOMPARE(UpdateSeams::readAll(target()), web.body);
}

void TestSelfUpdate::headersAsDescribed()
{
    ScriptedHost web;
    web.body = "kurulum";
    web.extraHeaders = "Set-Cookie: oturum=1; Path=/\r\n";
    QVERIFY(web.start());
    UpdateSeams seams(web.host());
    Tdosyaindir window(nullptr, 7);
    runToEnd(window, seams);

    const QList<QByteArray> lines = web.request.split('\n');
    QCOMPARE(lines.value(0).trimmed(), QByteArrayLiteral("GET /exe/ZelvoraSetup.exe HTTP/1.1"));
    QMap<QByteArray, QByteArray> headers;
    for (const QByteArray &line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
    }
    QCOMPARE(headers.value("accept"),
             QByteArrayLiteral(
                 "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8"));
    QCOMPARE(headers.value("accept-language"), QByteArrayLiteral("en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4"));
    QCOMPARE(
        headers.value("user-agent"),
        QByteArrayLiteral("Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
                          "Chrome/60.0.3112.32 Safari/537.36"));
    // The body must arrive as the installer's own bytes.
    QCOMPARE(headers.value("accept-encoding"), QByteArrayLiteral("identity"));
    QVERIFY(!headers.contains("cookie"));
    QCOMPARE(seams.startedBytes, web.body);
}

void TestSelfUpdate::redirectFollowed()
{
    const QString demo = QStringLiteral("127.0.0.1:") + QString::number(m_server->httpPort());
    ScriptedHost web;
    web.status = "302 Found";
    web.extraHeaders = "Location: http://" + demo.toLatin1() + "/exe/ZelvoraSetup.exe\r\n";
    web.body = "<html>moved</html>";
    QVERIFY(web.start());

    UpdateSeams seams(web.host());
    Tdosyaindir window(nullptr, 7);
    runToEnd(window, seams);
    QCOMPARE(seams.events.value(0), QStringLiteral("start"));
    QCOMPARE(seams.startedBytes,
             httpGet(QUrl(QStringLiteral("http://") + demo + QStringLiteral("/exe/ZelvoraSetup.exe"))));
}

void TestSelfUpdate::failureNotStarted_data()
{
    QTest::addColumn<QByteArray>("status"); // empty: nothing listens
    QTest::addColumn<QString>("errorPart"); // %1: the update host
    QTest::newRow("404 page") << QByteArray("404 Not Found") << QStringLiteral("HTTP 404 Not Found");
    QTest::newRow("500 page") << QByteArray("500 Internal Server Error")
                              << QStringLiteral("HTTP 500 Internal Server Error");
    QTest::newRow("body cut short") << QByteArray("200 OK")
                                    << QStringLiteral("Sunucu bağlantıyı indirme bitmeden kapattı (%1)");
    QTest::newRow("connection refused") << QByteArray() << QStringLiteral("Sunucu bağlantıyı reddetti (%1)");
}

void TestSelfUpdate::failureNotStarted()
{
    QFETCH(QByteArray, status);
    QFETCH(QString, errorPart);

    ScriptedHost web;
    web.status = status;
    web.body = "<html><body>Sayfa bulunamadı</body></html>";
    if (status == "200 OK")
        web.announcedLength = web.body.size() * 10;
    QVERIFY(web.start());
    const QString host = web.host();
    if (status.isEmpty())
        web.close(); // the port is free now: the connection is refused

    UpdateSeams seams(host);
    Tdosyaindir window(nullptr, 7);
    runToEnd(window, seams);

    QCOMPARE(seams.events, (QStringList{QStringLiteral("error"), QStringLiteral("terminate:0")}));
    QCOMPARE(seams.errors.size(), 1);
    const QString prefix = QStringLiteral("Hata Oluştu !\r\nHata: ");
    QVERIFY2(seams.errors.first().startsWith(prefix), qPrintable(seams.errors.first()));
    const QString expected = errorPart.contains(QLatin1String("%1")) ? errorPart.arg(host) : errorPart;
    QCOMPARE(seams.errors.first().mid(prefix.size()), expected);
    QVERIFY(seams.startedProgram.isEmpty());
    QVERIFY2(!QFileInfo::exists(target()), "an error page was saved as the installer");
}

void TestSelfUpdate::closeIgnoredWhileDownloading()
{
    ScriptedHost web;
    web.body = QByteArray(400000, 'k');
    web.holdHalf = true;
    QVERIFY(web.start());

    UpdateSeams seams(web.host());
    Tdosyaindir window(nullptr, 7);
    window.show();
    // Half the file is in; the rest waits until the test lets it go.
    QTRY_COMPARE_WITH_TIMEOUT(labelText(window, "bilgi"), IndirmeBilgisi(200000, 400000), 15000);
    const auto *bar = window.findChild<QProgressBar *>(QStringLiteral("ProgressBar1"));
    QVERIFY(bar);
    QCOMPARE(bar->maximum(), 400000);
    QCOMPARE(bar->value(), 200000);

    QVERIFY(!window.close());
    static_cast<QDialog &>(window).reject();
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.isVisible());

    web.releaseRest();
    QTRY_VERIFY_WITH_TIMEOUT(seams.events.contains(QStringLiteral("terminate:0")), 15000);
    QCOMPARE(seams.events.first(), QStringLiteral("start"));
    QCOMPARE(seams.startedBytes, web.body);
}

void TestSelfUpdate::undeletableTargetLeavesWindowOpen()
{
    // A folder where the installer should be cannot be deleted, even by root.
    QVERIFY(QDir(m_data->path()).mkpath(QStringLiteral("ZelvoraSetup.exe/icerik")));
    ScriptedHost web;
    web.body = "kurulum";
    QVERIFY(web.start());

    UpdateSeams seams(web.host());
    Tdosyaindir window(nullptr, 7);
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(seams.errors.size(), 1, 15000);
    QVERIFY2(seams.errors.first().contains(QDir::toNativeSeparators(target())),
             qPrintable(seams.errors.first()));
    QTest::qWait(200);
    QCOMPARE(seams.events, QStringList{QStringLiteral("error")});
    QCOMPARE(web.requests, 0);
    QVERIFY(window.isVisible());

    // Closing now hands the user back to the login.
    QVERIFY(window.close());
    QCOMPARE(window.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestSelfUpdate)
#include "tst_selfupdate.moc"
