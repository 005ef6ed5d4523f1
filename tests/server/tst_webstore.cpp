// The real server's web host serves the store's content: item pictures as the
// service hands them out, and request-form posts recorded in the store.
#include "server/storage/db.h"
#include "service/connection.h"
#include "service/servermethods.h"
#include "service/streamcopy.h"
#include "testserver.h"

#include <QTcpSocket>
#include <QTest>

using namespace zelvora;

namespace {

struct Reply
{
    int status = 0;
    QByteArray head;
    QByteArray body;
};

Reply httpExchange(quint16 port, const QByteArray &request)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(request);
    QByteArray all;
    while (socket.waitForReadyRead(5000) || socket.bytesAvailable() > 0)
        all += socket.readAll();
    Reply r;
    const qsizetype split = all.indexOf("\r\n\r\n");
    r.head = all.left(split);
    r.body = all.mid(split + 4);
    r.status = all.mid(9, 3).toInt();
    return r;
}

Reply get(quint16 port, const QByteArray &target)
{
    return httpExchange(port, "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
}

} // namespace

class TestWebStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pictureMatchesTheService();
    void itemWithoutPictureIs404();
    void requestFormIsRecorded();
    void installerDownloads();

private:
    TestServer m_server{150};
};

void TestWebStore::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
}

void TestWebStore::pictureMatchesTheService()
{
    auto db = server::Db::open(m_server.databasePath());
    const qint64 stokno = db->scalarInt(QStringLiteral("SELECT MIN(STOKNO) FROM STOK WHERE RESIM = 1"));
    QVERIFY(stokno > 0);
    const Reply r = get(m_server.httpPort(), "/resimgoster.ashx?id=" + QByteArray::number(stokno));
    QCOMPARE(r.status, 200);
    QVERIFY(r.head.contains("Content-Type: image/jpeg\r\n"));
    QVERIFY(r.body.startsWith("\xff\xd8"));

    auto c = m_server.openConnection();
    TServerMethods1Client client(c.get());
    qint64 boy = 0;
    QIODevice *stream = client.ResimVer5(qint32(stokno), boy);
    QCOMPARE(CopyAnnouncedStream(stream, boy).value_or(QByteArray()), r.body);
}

void TestWebStore::itemWithoutPictureIs404()
{
    auto db = server::Db::open(m_server.databasePath());
    const qint64 stokno = db->scalarInt(QStringLiteral("SELECT MIN(STOKNO) FROM STOK WHERE RESIM = 0"));
    QVERIFY(stokno > 0);
    QCOMPARE(get(m_server.httpPort(), "/resimgoster.ashx?id=" + QByteArray::number(stokno)).status, 404);
    QCOMPARE(get(m_server.httpPort(), "/resimgoster.ashx?id=999999").status, 404);
}

void TestWebStore::requestFormIsRecorded()
{
    const QByteArray body =
        "firma=Y%C4%B1ld%C4%B1z+%26+O%C4%9Fullar%C4%B1&yetkili=Ali+Veli&telefon=0312&eposta=a%40b.com"
        "&sehir=Ankara&adres=&vergidairesi=&vergino=&aciklama=L%C3%BCtfen+a%C3%A7%C4%B1n";
    const Reply r = httpExchange(m_server.httpPort(),
                                 "POST /formmailgonder.aspx?carino=0&kullanici=%20&id=WS-42 HTTP/1.1\r\n"
                                 "Host: 127.0.0.1\r\nConnection: close\r\n"
                                 "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
                                     QByteArray::number(body.size()) + "\r\n\r\n" + body);
    QCOMPARE(r.status, 200);
    auto db = server::Db::open(m_server.databasePath());
    server::Statement st = db->prepare(
        QStringLiteral("SELECT IDSI, FIRMAADI, YETKILI, MAIL, KONU FROM ISTEK WHERE TUR = 'WEB'"));
    QVERIFY(st.step());
    QCOMPARE(st.text(0), QStringLiteral("WS-42"));
    QCOMPARE(st.text(1), QStringLiteral("Yıldız & Oğulları"));
    QCOMPARE(st.text(2), QStringLiteral("Ali Veli"));
    QCOMPARE(st.text(3), QStringLiteral("a@b.com"));
    QVERIFY(st.text(4).endsWith(QStringLiteral("Lütfen açın")));
}

void TestWebStore::installerDownloads()
{
    const Reply r = get(m_server.httpPort(), "/exe/ZelvoraSetup.exe");
    QCOMPARE(r.status, 200);
    const QByteArray length = "Content-Length: " + QByteArray::number(r.body.size());
    QVERIFY(r.head.contains(length));
    QVERIFY(!r.body.isEmpty());
}

QTEST_GUILESS_MAIN(TestWebStore)
#include "tst_webstore.moc"
