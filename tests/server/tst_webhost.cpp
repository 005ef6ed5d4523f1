#include "server/web/httprequest.h"
#include "server/web/httpserver.h"
#include "server/web/routes.h"
#include "server/web/webcontent.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMutex>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>
#include <vector>

using namespace zelvora::server;

namespace {

using Fields = QMap<QString, QString>;

// Stock number whose picture lookup fails, as a broken database would.
constexpr int BrokenStockNumber = 666;

class FakeContent final : public WebContent
{
public:
    std::optional<QByteArray> itemPicture(int stockNumber) override
    {
        if (stockNumber == BrokenStockNumber)
            throw std::runtime_error("picture store unavailable");
        QMutexLocker lock(&mutex);
        const auto it = pictures.constFind(stockNumber);
        if (it == pictures.cend())
            return std::nullopt;
        return *it;
    }
    void storeWebRequest(const Fields &fields) override
    {
        QMutexLocker lock(&mutex);
        stored.append(fields);
    }
    QByteArray installer() override { return installerBytes; }
    QString companyName() override { return company; }

    QMutex mutex;
    QMap<int, QByteArray> pictures;
    QByteArray installerBytes;
    QString company = QStringLiteral("Demir & Oğulları <Oto> Yedek Parça");
    QList<Fields> stored;
};

QByteArray fakeJpeg(int size)
{
    QByteArray bytes("\xff\xd8\xff\xe0", 4);
    for (int i = 0; bytes.size() < size - 2; ++i)
        bytes.append(char(i * 31 % 251));
    bytes.append("\xff\xd9", 2);
    return bytes;
}

QByteArray fakeInstaller(int size)
{
    QByteArray bytes("MZ");
    for (int i = 0; bytes.size() < size; ++i)
        bytes.append(char(i * 7 % 256));
    return bytes;
}

QByteArray postRequest(const QByteArray &target, const QByteArray &body)
{
    return "POST " + target +
           " HTTP/1.1\r\nHost: localhost\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray getRequest(const QByteArray &target)
{
    return "GET " + target + " HTTP/1.1\r\nHost: localhost\r\n\r\n";
}

std::optional<HttpRequest> parsed(const QByteArray &raw)
{
    HttpRequestParser parser;
    if (parser.feed(raw) != HttpRequestParser::State::Done)
        return std::nullopt;
    return parser.request();
}

struct Reply
{
    int status = 0;
    QMap<QByteArray, QByteArray> headers; // lower-case names
    QByteArray body;
};

Reply splitReply(const QByteArray &bytes)
{
    Reply reply;
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0)
        return reply;
    const QList<QByteArray> lines = bytes.left(end).split('\n');
    const QList<QByteArray> statusLine = lines.value(0).trimmed().split(' ');
    if (statusLine.size() >= 2 && statusLine.at(0).startsWith("HTTP/1."))
        reply.status = statusLine.at(1).toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            reply.headers.insert(line.left(colon).toLower(), line.mid(colon + 1).trimmed());
    }
    reply.body = bytes.mid(end + 4);
    return reply;
}

// Sends raw bytes and collects everything until the server closes. The event loop
// keeps running meanwhile, as the host accepts connections on this thread.
QByteArray exchange(quint16 port, const QByteArray &request, int timeoutMs = 10000)
{
    QTcpSocket socket;
    QByteArray received;
    QEventLoop loop;
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] { socket.write(request); });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] { received += socket.readAll(); });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, [&] {
        received += socket.readAll();
        loop.quit();
    });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::RemoteHostClosedError)
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    socket.connectToHost(QHostAddress::LocalHost, port);
    loop.exec();
    received += socket.readAll();
    return received;
}

} // namespace

class TestWebHost : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parser_data();
    void parser();
    void parserFinish();
    void parserExpectContinue();
    void responseHead();
    void picture();
    void pictureMissing_data();
    void pictureMissing();
    void installer();
    void pathsIgnoreCase_data();
    void pathsIgnoreCase();
    void homePage();
    void paymentPage();
    void paymentPageEmpty();
    void paymentPost();
    void requestFormGet();
    void requestFormPost();
    void requestFormPostIdFromAddress();
    void requestFormEmptyPost();
    void unknownPath();
    void methodNotAllowed();
    void endToEnd();
    void crowdIsTurnedAway();
};

void TestWebHost::parser_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<int>("status"); // 0: complete, -1: waiting for more, else the error status
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("path");
    QTest::addColumn<Fields>("query");
    QTest::addColumn<Fields>("form");

    const QByteArray longTarget = "/" + QByteArray(9000, 'a');
    const QByteArray formBody = "firma=Ak+Oto%C5%9F&not=a%26b+c&bos=&firma=ikinci";

    QTest::newRow("get with query")
        << QByteArray(
               "GET /resimgoster.ashx?id=12&ad=%C3%A7ark+di%C5%9Fli&bos=&id=99 HTTP/1.1\r\nHost: x\r\n\r\n")
        << 0 << QByteArray("GET") << QStringLiteral("/resimgoster.ashx")
        << Fields{{QStringLiteral("id"), QStringLiteral("12")},
                  {QStringLiteral("ad"), QStringLiteral("çark+dişli")},
                  {QStringLiteral("bos"), QString()}}
        << Fields{};
    QTest::newRow("post form body") << postRequest("/formmailgonder.aspx?id=WS-1", formBody) << 0
                                    << QByteArray("POST") << QStringLiteral("/formmailgonder.aspx")
                                    << Fields{{QStringLiteral("id"), QStringLiteral("WS-1")}}
                                    << Fields{{QStringLiteral("firma"), QStringLiteral("Ak Otoş")},
                                              {QStringLiteral("not"), QStringLiteral("a&b c")},
                                              {QStringLiteral("bos"), QString()}};
    QTest::newRow("form type with charset")
        << QByteArray("POST /x HTTP/1.1\r\nHost: x\r\nContent-Type: Application/X-WWW-Form-Urlencoded; "
                      "charset=UTF-8\r\nContent-Length: 8\r\n\r\na=%C4%B0")
        << 0 << QByteArray("POST") << QStringLiteral("/x") << Fields{}
        << Fields{{QStringLiteral("a"), QStringLiteral("İ")}};
    QTest::newRow("post of another type keeps the body only")
        << QByteArray(
               "POST /x HTTP/1.1\r\nHost: x\r\nContent-Type: text/plain\r\nContent-Length: 3\r\n\r\na=b")
        << 0 << QByteArray("POST") << QStringLiteral("/x") << Fields{} << Fields{};
    QTest::newRow("post without content length")
        << QByteArray("POST /formmailgonder.aspx HTTP/1.1\r\nHost: x\r\n\r\nfirma=a") << 411 << QByteArray()
        << QString() << Fields{} << Fields{};
    QTest::newRow("chunked post")
        << QByteArray("POST / HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n3\r\na=b\r\n0\r\n\r\n")
        << 411 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("chunked with a length")
        << QByteArray(
               "POST / HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\nContent-Length: 3\r\n\r\na=b")
        << 400 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("request line too long") << QByteArray("GET " + longTarget + " HTTP/1.1\r\nHost: x\r\n\r\n")
                                           << 414 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("request line too long, unfinished")
        << QByteArray("GET " + longTarget) << 414 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("body too large")
        << QByteArray(
               "POST /formmailgonder.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: 1048577\r\n\r\nfirma=")
        << 413 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("absurd content length")
        << QByteArray("POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 99999999999999999999999999\r\n\r\n")
        << 413 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("negative content length")
        << QByteArray("POST / HTTP/1.1\r\nHost: x\r\nContent-Length: -1\r\n\r\n") << 400 << QByteArray()
        << QString() << Fields{} << Fields{};
    QTest::newRow("conflicting content lengths")
        << QByteArray("POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\na=bc")
        << 400 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("repeated equal content lengths")
        << QByteArray("POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 3, 3\r\n\r\na=b") << 0
        << QByteArray("POST") << QStringLiteral("/") << Fields{} << Fields{};
    QTest::newRow("headers too large")
        << QByteArray("GET / HTTP/1.1\r\nHost: x\r\nX-Big: " + QByteArray(70000, 'b') + "\r\n\r\n") << 431
        << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("tls hello") << QByteArray("\x16\x03\x01\x00\xa5\x01\x00\x00\xa1\x03\x03", 11) << 400
                               << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("binary garbage") << QByteArray("\xff\xfe\x00\x01 \x02\r\n\r\n", 10) << 400 << QByteArray()
                                    << QString() << Fields{} << Fields{};
    QTest::newRow("text garbage") << QByteArray("hello there\r\n\r\n") << 400 << QByteArray() << QString()
                                  << Fields{} << Fields{};
    QTest::newRow("endless first word")
        << QByteArray(100, 'A') << 501 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("unknown method") << QByteArray("DELETE / HTTP/1.1\r\nHost: x\r\n\r\n") << 501
                                    << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("lower-case method") << QByteArray("get / HTTP/1.1\r\nHost: x\r\n\r\n") << 501
                                       << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("http 2") << QByteArray("GET / HTTP/2.0\r\nHost: x\r\n\r\n") << 505 << QByteArray()
                            << QString() << Fields{} << Fields{};
    QTest::newRow("no version") << QByteArray("GET /\r\n\r\n") << 400 << QByteArray() << QString() << Fields{}
                                << Fields{};
    QTest::newRow("space in target") << QByteArray("GET /a b HTTP/1.1\r\nHost: x\r\n\r\n") << 400
                                     << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("bad escape in query") << QByteArray("GET /?id=%G1 HTTP/1.1\r\nHost: x\r\n\r\n") << 400
                                         << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("cut escape in form") << postRequest("/formmailgonder.aspx", "firma=%C") << 400
                                        << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("escaped nul in path") << QByteArray("GET /index.html%00 HTTP/1.1\r\nHost: x\r\n\r\n")
                                         << 400 << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("missing host") << QByteArray("GET / HTTP/1.1\r\n\r\n") << 400 << QByteArray() << QString()
                                  << Fields{} << Fields{};
    QTest::newRow("two hosts") << QByteArray("GET / HTTP/1.0\r\nHost: a\r\nHost: b\r\n\r\n") << 400
                               << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("http/1.0 without host")
        << QByteArray("GET /index.html HTTP/1.0\r\n\r\n") << 0 << QByteArray("GET")
        << QStringLiteral("/index.html") << Fields{} << Fields{};
    QTest::newRow("folded header") << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n folded\r\n\r\n") << 400
                                   << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("space before colon") << QByteArray("GET / HTTP/1.1\r\nHost : x\r\n\r\n") << 400
                                        << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("control byte in header") << QByteArray("GET / HTTP/1.1\r\nHost: x\x01y\r\n\r\n") << 400
                                            << QByteArray() << QString() << Fields{} << Fields{};
    QTest::newRow("bare line feeds after an empty line")
        << QByteArray("\r\nHEAD /index.html HTTP/1.1\nHost: x\n\n") << 0 << QByteArray("HEAD")
        << QStringLiteral("/index.html") << Fields{} << Fields{};
    QTest::newRow("absolute form")
        << QByteArray(
               "GET http://example.com:8080/exe/ZelvoraSetup.exe?x=%20 HTTP/1.1\r\nHost: example.com\r\n\r\n")
        << 0 << QByteArray("GET") << QStringLiteral("/exe/ZelvoraSetup.exe")
        << Fields{{QStringLiteral("x"), QStringLiteral(" ")}} << Fields{};
    QTest::newRow("escaped path") << QByteArray("GET /exe/Zelvora%53etup.exe HTTP/1.1\r\nHost: x\r\n\r\n")
                                  << 0 << QByteArray("GET") << QStringLiteral("/exe/ZelvoraSetup.exe")
                                  << Fields{} << Fields{};
    QTest::newRow("headers unfinished") << QByteArray("GET / HTTP/1.1\r\nHost: x\r\n") << -1 << QByteArray()
                                        << QString() << Fields{} << Fields{};
    QTest::newRow("body unfinished") << QByteArray(
                                            "POST / HTTP/1.1\r\nHost: x\r\nContent-Length: 10\r\n\r\nabc")
                                     << -1 << QByteArray() << QString() << Fields{} << Fields{};
}

void TestWebHost::parser()
{
    QFETCH(QByteArray, raw);
    QFETCH(int, status);
    QFETCH(QByteArray, method);
    QFETCH(QString, path);
    QFETCH(Fields, query);
    QFETCH(Fields, form);

    // The same bytes at once and one by one: where the reads split must not matter.
    HttpRequestParser whole;
    whole.feed(raw);
    HttpRequestParser trickled;
    for (qsizetype i = 0; i < raw.size() && trickled.state() == HttpRequestParser::State::NeedMore; ++i)
        trickled.feed(QByteArrayView(raw).sliced(i, 1));

    for (const HttpRequestParser *parser : {&whole, &trickled}) {
        if (status == -1) {
            QCOMPARE(parser->state(), HttpRequestParser::State::NeedMore);
        } else if (status == 0) {
            QCOMPARE(parser->state(), HttpRequestParser::State::Done);
            QCOMPARE(parser->request().method, method);
            QCOMPARE(parser->request().path, path);
            QCOMPARE(parser->request().query, query);
            QCOMPARE(parser->request().form, form);
        } else {
            QCOMPARE(parser->state(), HttpRequestParser::State::Error);
            QCOMPARE(parser->errorStatus(), status);
            QVERIFY(!parser->errorText().isEmpty());
        }
    }
}

void TestWebHost::parserFinish()
{
    HttpRequestParser silent;
    QCOMPARE(silent.finish(), HttpRequestParser::State::NeedMore);

    HttpRequestParser cut;
    cut.feed("GET / HTTP/1.1\r\nHo");
    QCOMPARE(cut.finish(), HttpRequestParser::State::Error);
    QCOMPARE(cut.errorStatus(), 400);

    // A body at the limit is still taken, and nothing after the request is read into it.
    const QByteArray body(1024 * 1024, 'x');
    HttpRequestParser large;
    large.feed("POST /x HTTP/1.1\r\nHost: x\r\nContent-Length: 1048576\r\n\r\n");
    for (qsizetype offset = 0; offset < body.size(); offset += 4096)
        large.feed(QByteArrayView(body).sliced(offset, 4096));
    large.feed("GET / HTTP/1.1\r\n");
    QCOMPARE(large.state(), HttpRequestParser::State::Done);
    QCOMPARE(large.request().body.size(), body.size());
}

void TestWebHost::parserExpectContinue()
{
    HttpRequestParser parser;
    parser.feed("POST /x HTTP/1.1\r\nHost: x\r\nExpect: 100-Continue\r\nContent-Length: 3\r\n\r\n");
    QCOMPARE(parser.state(), HttpRequestParser::State::NeedMore);
    QVERIFY(parser.headersComplete());
    QVERIFY(parser.expectsContinue());
    parser.feed("a=b");
    QCOMPARE(parser.state(), HttpRequestParser::State::Done);
    QCOMPARE(parser.request().header("EXPECT"), QByteArray("100-Continue"));
}

void TestWebHost::responseHead()
{
    HttpResponse response;
    response.status = 404;
    response.headers.append(std::pair<QByteArray, QByteArray>("X-Test", "a\r\nSet-Cookie: x"));
    response.headers.append(std::pair<QByteArray, QByteArray>("Content-Length", "99"));
    response.headers.append(std::pair<QByteArray, QByteArray>("Allow", "GET"));
    const QByteArray head = serializeHead(response);
    QVERIFY(head.startsWith("HTTP/1.1 404 Not Found\r\n"));
    QVERIFY(head.endsWith("\r\nConnection: close\r\n\r\n"));
    QVERIFY(head.contains("\r\nContent-Length: 0\r\n"));
    QVERIFY(head.contains("\r\nAllow: GET\r\n"));
    QVERIFY(!head.contains("Content-Type"));
    QVERIFY(!head.contains("Set-Cookie"));
    QVERIFY(!head.contains("99"));
}

void TestWebHost::picture()
{
    FakeContent content;
    const QByteArray jpeg = fakeJpeg(5000);
    content.pictures.insert(42, jpeg);
    const auto request = parsed(getRequest("/resimgoster.ashx?id=42"));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 200);
    QCOMPARE(response.contentType, QByteArray("image/jpeg"));
    QCOMPARE(response.body, jpeg);
    const QByteArray head = serializeHead(response);
    QVERIFY(head.contains("\r\nContent-Type: image/jpeg\r\n"));
    QVERIFY(head.contains("\r\nContent-Length: 5000\r\n"));
}

void TestWebHost::pictureMissing_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("no picture") << QByteArray("/resimgoster.ashx?id=7");
    QTest::newRow("letters") << QByteArray("/resimgoster.ashx?id=abc");
    QTest::newRow("digits then letters") << QByteArray("/resimgoster.ashx?id=42abc");
    QTest::newRow("empty") << QByteArray("/resimgoster.ashx?id=");
    QTest::newRow("no id") << QByteArray("/resimgoster.ashx");
    QTest::newRow("negative") << QByteArray("/resimgoster.ashx?id=-42");
    QTest::newRow("signed") << QByteArray("/resimgoster.ashx?id=%2B42");
    QTest::newRow("space") << QByteArray("/resimgoster.ashx?id=%2042");
    QTest::newRow("too large") << QByteArray("/resimgoster.ashx?id=4294967338");
    QTest::newRow("huge") << QByteArray("/resimgoster.ashx?id=99999999999999999999999999");
}

void TestWebHost::pictureMissing()
{
    QFETCH(QByteArray, target);
    FakeContent content;
    content.pictures.insert(42, fakeJpeg(100));
    const auto request = parsed(getRequest(target));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 404);
    QVERIFY(response.body.isEmpty());
    QVERIFY(serializeHead(response).contains("\r\nContent-Length: 0\r\n"));
}

void TestWebHost::installer()
{
    FakeContent content;
    content.installerBytes = fakeInstaller(300000);
    for (const QByteArray &method : {QByteArray("GET"), QByteArray("HEAD")}) {
        const auto request = parsed(method + " /exe/ZelvoraSetup.exe HTTP/1.1\r\nHost: x\r\n\r\n");
        QVERIFY(request);
        const HttpResponse response = routeRequest(*request, content);
        QCOMPARE(response.status, 200);
        QCOMPARE(response.contentType, QByteArray("application/octet-stream"));
        QCOMPARE(response.body.size(), content.installerBytes.size());
        QVERIFY(serializeHead(response).contains("\r\nContent-Length: 300000\r\n"));
    }
}

void TestWebHost::pathsIgnoreCase_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<int>("status");
    QTest::newRow("picture upper") << QByteArray("/RESIMGOSTER.ASHX?id=42") << 200;
    QTest::newRow("installer mixed") << QByteArray("/Exe/zelvorasetup.EXE") << 200;
    QTest::newRow("index upper") << QByteArray("/INDEX.HTML") << 200;
    QTest::newRow("payment upper") << QByteArray("/Dravello.HTML?carino=1") << 200;
    QTest::newRow("form upper") << QByteArray("/FormMailGonder.aspx?id=1") << 200;
    QTest::newRow("query keys are exact") << QByteArray("/resimgoster.ashx?ID=42") << 404;
    // U+017F folds to 's' in Unicode but is no letter of the route.
    QTest::newRow("look-alike letter") << QByteArray("/re%C5%BFimgoster.ashx?id=42") << 404;
}

void TestWebHost::pathsIgnoreCase()
{
    QFETCH(QByteArray, target);
    QFETCH(int, status);
    FakeContent content;
    content.pictures.insert(42, fakeJpeg(100));
    content.installerBytes = "MZ";
    const auto request = parsed(getRequest(target));
    QVERIFY(request);
    QCOMPARE(routeRequest(*request, content).status, status);
}

void TestWebHost::homePage()
{
    FakeContent content;
    for (const QByteArray &target : {QByteArray("/"), QByteArray("/index.html")}) {
        const auto request = parsed(getRequest(target));
        QVERIFY(request);
        const HttpResponse response = routeRequest(*request, content);
        QCOMPARE(response.status, 200);
        QCOMPARE(response.contentType, QByteArray("text/html; charset=utf-8"));
        const QString html = QString::fromUtf8(response.body);
        QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QVERIFY(html.contains(QStringLiteral("Demir &amp; Oğulları &lt;Oto&gt; Yedek Parça")));
        QVERIFY(!html.contains(QStringLiteral("<Oto>")));
        QVERIFY(html.contains(QStringLiteral("href=\"/dravello.html\"")));
        QVERIFY(html.contains(QStringLiteral("href=\"/formmailgonder.aspx\"")));
        QVERIFY(html.contains(QStringLiteral("#e20a17")));
        QVERIFY(html.contains(QStringLiteral("#3d414a")));
    }
}

void TestWebHost::paymentPage()
{
    FakeContent content;
    const auto request =
        parsed(getRequest("/dravello.html?carino=120.034&sube=Ankara%20Merkez&firmasi=%3Cb%3EKaya+"
                          "%26+O%C4%9Flu%22&bakiye=1.250,00%20TL%20(B)"));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 200);
    QCOMPARE(response.contentType, QByteArray("text/html; charset=utf-8"));
    const QString html = QString::fromUtf8(response.body);
    QVERIFY(html.contains(QStringLiteral("120.034")));
    QVERIFY(html.contains(QStringLiteral("Ankara Merkez")));
    QVERIFY(html.contains(QStringLiteral("&lt;b&gt;Kaya+&amp;+Oğlu&quot;")));
    QVERIFY(!html.contains(QStringLiteral("<b>Kaya")));
    QVERIFY(html.contains(QStringLiteral("1.250,00 TL (B)")));
    QVERIFY(html.contains(QStringLiteral("Ödeme Yap")));
    QVERIFY(html.contains(
        QStringLiteral("method=\"post\" action=\"/dravello.html?carino=120.034&amp;sube=Ankara%20Merkez"
                       "&amp;firmasi=%3Cb%3EKaya%2B%26%2BO%C4%9Flu%22&amp;bakiye=")));
    for (const char *field : {"name=\"kartno\"", "name=\"skt\"", "name=\"cvc\"", "name=\"tutar\""})
        QVERIFY2(html.contains(QLatin1String(field)), field);
}

void TestWebHost::paymentPageEmpty()
{
    FakeContent content;
    const auto request = parsed(getRequest("/dravello.html"));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 200);
    QVERIFY(QString::fromUtf8(response.body).contains(QStringLiteral("<tr><td>Cari No</td><td></td></tr>")));
}

void TestWebHost::paymentPost()
{
    FakeContent content;
    const auto request =
        parsed(postRequest("/dravello.html?carino=120.034&firmasi=Kaya",
                           "kartno=4111+1111+1111+1111&skt=12%2F29&cvc=123&tutar=1.500%2C00"));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 200);
    const QString html = QString::fromUtf8(response.body);
    QVERIFY(html.contains(QStringLiteral("demo"), Qt::CaseInsensitive));
    QVERIFY(html.contains(QStringLiteral("ödeme alınmamıştır")));
    QVERIFY(html.contains(QStringLiteral("1.500,00")));
    QVERIFY(html.contains(QStringLiteral("120.034")));
    QVERIFY(!html.contains(QStringLiteral("4111")));
    QVERIFY(content.stored.isEmpty());
}

void TestWebHost::requestFormGet()
{
    FakeContent content;
    const auto request =
        parsed(getRequest("/formmailgonder.aspx?carino=0&kullanici=%20&id=WS%22%3E-7%C3%BC"));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 200);
    const QString html = QString::fromUtf8(response.body);
    QVERIFY(html.contains(QStringLiteral("name=\"id\" value=\"WS&quot;&gt;-7ü\" readonly")));
    QVERIFY(html.contains(QStringLiteral(
        "action=\"/formmailgonder.aspx?carino=0&amp;kullanici=%20&amp;id=WS%22%3E-7%C3%BC\"")));
    for (const char *field :
         {"firma", "yetkili", "telefon", "eposta", "sehir", "adres", "vergidairesi", "vergino", "aciklama"})
        QVERIFY2(html.contains(QStringLiteral("name=\"") + QLatin1String(field) + QLatin1Char('"')), field);
    QVERIFY(content.stored.isEmpty());
}

void TestWebHost::requestFormPost()
{
    FakeContent content;
    const QByteArray body =
        "carino=0&kullanici=+&firma=%C3%96z+%C3%87elik+%26+%C5%9E%C3%BCkr%C3%BC+Ltd.&yetkili="
        "Ay%C5%9Fe+Y%C4%B1lmaz&telefon=0312+555+00+00&eposta=ayse%40ozcelik.com.tr&sehir="
        "%C4%B0zmir&adres=Sanayi+Sit.+3%2F12&vergidairesi=Kar%C5%9F%C4%B1yaka&vergino=1234567890"
        "&aciklama=%3Cscript%3Ea%3D1%26b%3D2&id=WS-77&extra=ignored";
    const auto request = parsed(postRequest("/formmailgonder.aspx?carino=0&kullanici=%20&id=WS-77", body));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 200);
    const QString html = QString::fromUtf8(response.body);
    QVERIFY(html.contains(QStringLiteral("Talebiniz alınmıştır")));
    QVERIFY(html.contains(QStringLiteral("Öz Çelik &amp; Şükrü Ltd.")));

    QCOMPARE(content.stored.size(), 1);
    const Fields expected{
        {QStringLiteral("firma"), QStringLiteral("Öz Çelik & Şükrü Ltd.")},
        {QStringLiteral("yetkili"), QStringLiteral("Ayşe Yılmaz")},
        {QStringLiteral("telefon"), QStringLiteral("0312 555 00 00")},
        {QStringLiteral("eposta"), QStringLiteral("ayse@ozcelik.com.tr")},
        {QStringLiteral("sehir"), QStringLiteral("İzmir")},
        {QStringLiteral("adres"), QStringLiteral("Sanayi Sit. 3/12")},
        {QStringLiteral("vergidairesi"), QStringLiteral("Karşıyaka")},
        {QStringLiteral("vergino"), QStringLiteral("1234567890")},
        {QStringLiteral("aciklama"), QStringLiteral("<script>a=1&b=2")},
        {QStringLiteral("id"), QStringLiteral("WS-77")},
        {QStringLiteral("carino"), QStringLiteral("0")},
        {QStringLiteral("kullanici"), QStringLiteral(" ")},
    };
    QCOMPARE(content.stored.first(), expected);
}

void TestWebHost::requestFormPostIdFromAddress()
{
    FakeContent content;
    const auto request = parsed(
        postRequest("/formmailgonder.aspx?carino=0&kullanici=%20&id=WS-%C3%9C1", "firma=Kaya&telefon=1"));
    QVERIFY(request);
    QCOMPARE(routeRequest(*request, content).status, 200);
    QCOMPARE(content.stored.size(), 1);
    QCOMPARE(content.stored.first().value(QStringLiteral("id")), QStringLiteral("WS-Ü1"));
    QCOMPARE(content.stored.first().value(QStringLiteral("yetkili")), QString());
    QVERIFY(content.stored.first().contains(QStringLiteral("yetkili")));
}

void TestWebHost::requestFormEmptyPost()
{
    FakeContent content;
    const auto request = parsed(postRequest("/formmailgonder.aspx?id=WS-1", "firma=+&telefon=&id=WS-1"));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 200);
    QVERIFY(content.stored.isEmpty());
    QVERIFY(QString::fromUtf8(response.body).contains(QStringLiteral("name=\"id\" value=\"WS-1\" readonly")));
}

void TestWebHost::unknownPath()
{
    FakeContent content;
    for (const QByteArray &target : {QByteArray("/admin"), QByteArray("/index.html/"), QByteArray("/exe/"),
                                     QByteArray("/resimgoster.ashx/x?id=42")}) {
        const auto request = parsed(getRequest(target));
        QVERIFY(request);
        const HttpResponse response = routeRequest(*request, content);
        QCOMPARE(response.status, 404);
        QCOMPARE(response.contentType, QByteArray("text/html; charset=utf-8"));
        QVERIFY(QString::fromUtf8(response.body).contains(QStringLiteral("<meta charset=\"utf-8\">")));
    }
}

void TestWebHost::methodNotAllowed()
{
    FakeContent content;
    const auto request = parsed(postRequest("/resimgoster.ashx?id=42", "a=b"));
    QVERIFY(request);
    const HttpResponse response = routeRequest(*request, content);
    QCOMPARE(response.status, 405);
    QVERIFY(serializeHead(response).contains("\r\nAllow: GET, HEAD\r\n"));
}

void TestWebHost::endToEnd()
{
    FakeContent content;
    const QByteArray jpeg = fakeJpeg(70000);
    content.pictures.insert(42, jpeg);
    content.installerBytes = fakeInstaller(3 * 1024 * 1024 + 17);

    // One worker and a short timeout: a silent peer blocks everyone behind it
    // until the timeout drops it.
    WebHost host(content, 1, 500, nullptr);
    QVERIFY(host.listen(QHostAddress::LocalHost, 0));
    const quint16 port = host.serverPort();

    Reply reply =
        splitReply(exchange(port, QByteArray("\x16\x03\x01\x00\xa5\x01\x00\x00\xa1\x03\x03garbage\r\n", 20)));
    QCOMPARE(reply.status, 400);
    QCOMPARE(reply.headers.value("connection"), QByteArray("close"));

    QTcpSocket silent;
    silent.connectToHost(QHostAddress::LocalHost, port);
    QTRY_COMPARE(silent.state(), QAbstractSocket::ConnectedState);
    QTest::qWait(50);

    QElapsedTimer clock;
    clock.start();
    reply = splitReply(exchange(port, getRequest("/resimgoster.ashx?id=42")));
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.headers.value("content-type"), QByteArray("image/jpeg"));
    QCOMPARE(reply.headers.value("content-length"), QByteArray::number(jpeg.size()));
    QCOMPARE(reply.body, jpeg);
    QVERIFY2(clock.elapsed() >= 300, "the silent connection should have held the only worker");
    QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QAbstractSocket::UnconnectedState, 5000);

    reply = splitReply(exchange(port, "HEAD /exe/ZelvoraSetup.exe HTTP/1.0\r\n\r\n"));
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.headers.value("content-length"), QByteArray::number(content.installerBytes.size()));
    QVERIFY(reply.body.isEmpty());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("picture store unavailable")));
    reply = splitReply(
        exchange(port, getRequest("/resimgoster.ashx?id=" + QByteArray::number(BrokenStockNumber))));
    QCOMPARE(reply.status, 500);

    reply = splitReply(
        exchange(port, "POST /formmailgonder.aspx HTTP/1.1\r\nHost: x\r\nContent-Length: 5000000\r\n\r\n"));
    QCOMPARE(reply.status, 413);

    reply = splitReply(exchange(port, postRequest("/formmailgonder.aspx?carino=0&kullanici=%20&id=WS-9",
                                                  "firma=Kaya+%26+O%C4%9Flu&telefon=1")));
    QCOMPARE(reply.status, 200);
    {
        QMutexLocker lock(&content.mutex);
        QCOMPARE(content.stored.size(), 1);
        QCOMPARE(content.stored.first().value(QStringLiteral("firma")), QStringLiteral("Kaya & Oğlu"));
        QCOMPARE(content.stored.first().value(QStringLiteral("id")), QStringLiteral("WS-9"));
    }

    // The client's own HTTP stack, with its download progress.
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply *download = manager.get(
        QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/exe/ZelvoraSetup.exe").arg(port))));
    qint64 total = -1;
    QObject::connect(download, &QNetworkReply::downloadProgress, this,
                     [&](qint64, qint64 bytesTotal) { total = bytesTotal; });
    QTRY_VERIFY_WITH_TIMEOUT(download->isFinished(), 20000);
    QCOMPARE(download->error(), QNetworkReply::NoError);
    QCOMPARE(download->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    QCOMPARE(download->rawHeader("Content-Type"), QByteArray("application/octet-stream"));
    QCOMPARE(total, qint64(content.installerBytes.size()));
    QCOMPARE(download->readAll(), content.installerBytes);
    delete download;
}

void TestWebHost::crowdIsTurnedAway()
{
    FakeContent content;
    content.pictures.insert(42, fakeJpeg(1000));
    WebHost host(content, 1, 5000, nullptr);
    QVERIFY(host.listen(QHostAddress::LocalHost, 0));
    const quint16 port = host.serverPort();

    // One connection holds the worker and only so many may wait for it; the rest
    // hear at once that the server is busy.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("too many waiting connections")));
    std::vector<std::unique_ptr<QTcpSocket>> crowd;
    for (int i = 0; i < 40; ++i) {
        crowd.push_back(std::make_unique<QTcpSocket>());
        crowd.back()->connectToHost(QHostAddress::LocalHost, port);
    }
    QByteArray heard;
    const auto busyAnswers = [&] {
        for (const auto &socket : crowd)
            heard += socket->readAll();
        return heard.count("HTTP/1.1 503 Service Unavailable\r\n");
    };
    QTRY_VERIFY_WITH_TIMEOUT(busyAnswers() >= 20, 10000);
    QVERIFY(busyAnswers() <= 24); // the first may still be waiting for the thread

    // Once the crowd leaves, the worker is free again well before any read timeout.
    crowd.clear();
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(splitReply(exchange(port, getRequest("/resimgoster.ashx?id=42"))).status, 200,
                              4000);
    QVERIFY(clock.elapsed() < 4000);
}

QTEST_GUILESS_MAIN(TestWebHost)
#include "tst_webhost.moc"
