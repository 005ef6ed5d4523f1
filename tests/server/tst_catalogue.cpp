// Every operation of the catalogue answers through the real server with the
// shape the client relies on: out parameters and result of the declared kinds.
#include "server/dispatcher.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "service/streamcopy.h"
#include "testserver.h"
#include "wire/catalogue.h"
#include "wire/errors.h"
#include "wire/objects.h"

#include <QBuffer>

#include <QTest>
#include <limits>

using namespace zelvora;

namespace {

// A QBuffer that counts reads, to see that a stream of length 0 is never read.
class CountingBuffer : public QBuffer
{
public:
    int reads = 0;

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        ++reads;
        return QBuffer::readData(data, maxSize);
    }
};

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyOperationHasAHandler();
    void everyOperationAnswersItsDeclaredShape_data();
    void everyOperationAnswersItsDeclaredShape();
    void everyOperationSurvivesHostileInput_data();
    void everyOperationSurvivesHostileInput();
    void clientNeedsAnOpenConnection();
    void resultsStayValidUntilTheSameCommandRunsAgain();
    void streamRule_data();
    void streamRule();
    void streamOfLengthZeroIsNotRead();

private:
    std::unique_ptr<Connection> connect();
    TestServer m_server{300};
    QByteArray m_login;
};

void TestCatalogue::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    auto c = connect();
    TServerMethods1Client client(c.get());
    // An unknown workstation is bound to the demo dealer on the demo server.
    TSonucBilgisi *record = client.BuyukGetir(QStringLiteral("TEST-ISTASYONU"));
    QVERIFY(record);
    QVERIFY(record->Varmi());
    QVERIFY(record->CARINO() > 0);
    m_login = toJson(record);
}

std::unique_ptr<Connection> TestCatalogue::connect()
{
    return m_server.openConnection();
}

void TestCatalogue::everyOperationHasAHandler()
{
    server::ServerConfig config;
    config.dbPath = m_server.databasePath();
    const server::Dispatcher dispatcher(config);
    QCOMPARE(dispatcher.missingHandlers(), QStringList());
}

void TestCatalogue::everyOperationAnswersItsDeclaredShape_data()
{
    QTest::addColumn<QString>("name");
    for (const wire::Operation &op : wire::catalogue())
        QTest::newRow(op.name) << QString::fromLatin1(op.name);
}

void TestCatalogue::everyOperationAnswersItsDeclaredShape()
{
    QFETCH(QString, name);
    const wire::Operation *op = wire::findOperation(name);
    QVERIFY(op);
    // Plausible inputs: the demo dealer's login record, its account, today.
    auto login = fromJsonAs<TSonucBilgisi>(m_login);
    wire::Values params;
    for (const wire::Param &p : op->params) {
        if (p.out)
            continue;
        switch (p.kind) {
        case wire::Kind::Text:
            params << wire::Value::text(QStringLiteral("FREN"));
            break;
        case wire::Kind::Int32:
            params << wire::Value::int32(
                QByteArray(p.name).contains("carino") || QByteArray(p.name) == "cario" ? login->CARINO() : 1);
            break;
        case wire::Kind::Double:
            params << wire::Value::real(QByteArray(p.name).startsWith("tarih")
                                            ? toOleDate(QDateTime(QDate::currentDate(), QTime()))
                                            : 1.0);
            break;
        case wire::Kind::Object:
            params << wire::Value::object(m_login);
            break;
        default:
            QFAIL("a parameter kind the catalogue does not use");
        }
    }
    auto c = connect();
    const wire::Values answer = c->execute(op->command(), params);
    QCOMPARE(answer.size(), op->outputCount() + (op->form == wire::ResultForm::None ? 0 : 1));
    int slot = 0;
    for (const wire::Param &p : op->params) {
        if (p.out)
            QCOMPARE(answer.at(slot++).kind(), p.kind);
    }
    if (op->form == wire::ResultForm::None)
        return;
    const wire::Value &result = answer.last();
    QCOMPARE(result.kind(), op->result);
    switch (op->form) {
    case wire::ResultForm::Stream:
        QCOMPARE(answer.first().asInt64(), qint64(result.asStream().size()));
        break;
    case wire::ResultForm::Reader:
    case wire::ResultForm::Packet:
        QVERIFY(result.asTable());
        QVERIFY(result.asTable()->fieldCount() > 0);
        break;
    case wire::ResultForm::Object:
        if (result.asObjectJson() != "null") {
            const auto object = fromJson(result.asObjectJson());
            QVERIFY(object);
            QCOMPARE(object->typeName(), QString::fromLatin1(op->resultType));
        }
        break;
    default:
        break;
    }
}

void TestCatalogue::everyOperationSurvivesHostileInput_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("variant");
    for (const wire::Operation &op : wire::catalogue()) {
        for (const char *variant : {"empty", "negative", "huge"})
            QTest::addRow("%s %s", op.name, variant) << QString::fromLatin1(op.name) << int(qstrlen(variant));
    }
}

void TestCatalogue::everyOperationSurvivesHostileInput()
{
    // Whatever the values, the answer is a result or an error answer, and the
    // server goes on serving.
    QFETCH(QString, name);
    QFETCH(int, variant);
    const bool empty = variant == 5, negative = variant == 8;
    const wire::Operation *op = wire::findOperation(name);
    wire::Values params;
    for (const wire::Param &p : op->params) {
        if (p.out)
            continue;
        switch (p.kind) {
        case wire::Kind::Text:
            params << wire::Value::text(empty      ? QString()
                                        : negative ? QStringLiteral("' OR 1=1 -- %_\\\"\u0000ş")
                                                   : QString(100000, QChar(0x15f)));
            break;
        case wire::Kind::Int32:
            params << wire::Value::int32(empty ? 0 : negative ? -1 : std::numeric_limits<qint32>::max());
            break;
        case wire::Kind::Double:
            params << wire::Value::real(empty      ? 0.0
                                        : negative ? -std::numeric_limits<double>::infinity()
                                                   : std::numeric_limits<double>::quiet_NaN());
            break;
        case wire::Kind::Object:
            params << (empty ? wire::Value::nullObject() : wire::Value::object(m_login));
            break;
        default:
            break;
        }
    }
    auto c = connect();
    try {
        c->execute(op->command(), params);
    } catch (const wire::RemoteError &e) {
        QVERIFY(!e.message().isEmpty());
    }
    QVERIFY(!connect()->execute(QStringLiteral("TServerMethods1.KayanYaziGetir"), {}).isEmpty());
}

void TestCatalogue::clientNeedsAnOpenConnection()
{
    Connection closed;
    try {
        TServerMethods1Client client(&closed);
        QFAIL("a client on a closed connection must not be made");
    } catch (const ConnectionError &e) {
        QCOMPARE(e.message(),
                 QStringLiteral("Connection cannot be nil.  Make sure the connection has been opened."));
    }
}

void TestCatalogue::resultsStayValidUntilTheSameCommandRunsAgain()
{
    auto c = connect();
    TServerMethods1Client client(c.get());
    TableReader *teslim = client.TeslimVer();
    TSonucBilgisi *record = client.BuyukGetir(QStringLiteral("TEST-ISTASYONU"));
    qint64 length = 0;
    QIODevice *banner = client.BannerResimVer(length);
    // Other operations in between leave the earlier results alone.
    client.KayanYaziGetir();
    client.KargoVer();
    QVERIFY(teslim->columnCount() >= 2);
    QVERIFY(teslim->next());
    QVERIFY(!record->ADI().isEmpty());
    QCOMPARE(CopyAnnouncedStream(banner, length).value_or(QByteArray()).size(), length);
    // An object argument is consumed: the caller hands over a copy.
    auto copy = std::make_unique<TSonucBilgisi>();
    copy->Kopyala(*record);
    QVERIFY(client.SepetSayisi(std::move(copy)) >= 0);
    QVERIFY(!copy);
}

void TestCatalogue::streamRule_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<qint64>("announced");
    QTest::addColumn<bool>("used");
    QTest::newRow("exact, several chunks") << 2500 << qint64(2500) << true;
    QTest::newRow("exact multiple of the chunk") << 2048 << qint64(2048) << true;
    QTest::newRow("one byte") << 1 << qint64(1) << true;
    QTest::newRow("fewer bytes than announced") << 1000 << qint64(1001) << false;
    QTest::newRow("more bytes than announced") << 1500 << qint64(1000) << false;
    QTest::newRow("announced zero") << 100 << qint64(0) << false;
}

void TestCatalogue::streamRule()
{
    QFETCH(int, size);
    QFETCH(qint64, announced);
    QFETCH(bool, used);
    QBuffer stream;
    stream.setData(QByteArray(size, 'z'));
    stream.open(QIODevice::ReadOnly);
    stream.seek(size / 2); // the rule rewinds first
    const auto bytes = CopyAnnouncedStream(&stream, announced);
    QCOMPARE(bytes.has_value(), used);
    if (used)
        QCOMPARE(bytes->size(), size);
}

void TestCatalogue::streamOfLengthZeroIsNotRead()
{
    CountingBuffer stream;
    stream.setData(QByteArray(10, 'x'));
    stream.open(QIODevice::ReadOnly);
    QVERIFY(!CopyAnnouncedStream(&stream, 0));
    QCOMPARE(stream.reads, 0);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
