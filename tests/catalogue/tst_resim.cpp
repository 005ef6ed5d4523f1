// Item pictures: our decoder on good and bad bytes, the service picture into
// the dialog's lower picture, and the web picture with the content-type rule,
// against the real server and a tiny web host of the test's own that answers
// with whatever header a row asks for.
#include "catalogue/stokresmi.h"
#include "scriptedseams.h"
#include "service/connection.h"
#include "service/resimcoz.h"
#include "service/servermethods.h"
#include "service/streamcopy.h"
#include "testserver.h"

#include <QBuffer>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

using namespace zelvora;

Q_DECLARE_METATYPE(zelvora::ResimTuru)

namespace {

QImage ornekResim(int en = 64, int boy = 48)
{
    QImage resim(en, boy, QImage::Format_RGB32);
    resim.fill(Qt::white);
    QPainter p(&resim);
    p.fillRect(0, 0, en / 2, boy, QColor(200, 30, 30));
    p.fillRect(en / 2, 0, en - en / 2, boy / 2, QColor(30, 30, 200));
    return resim;
}

QByteArray kodla(const QImage &resim, const char *bicim)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    resim.save(&buffer, bicim, 95);
    return bytes;
}

bool renkYakin(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) < 24 && qAbs(qGreen(a) - b.green()) < 24 && qAbs(qBlue(a) - b.blue()) < 24;
}

std::unique_ptr<Connection> baglantiTanimi(quint16 port)
{
    auto bagc = std::make_unique<Connection>();
    bagc->setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    bagc->setParam(QStringLiteral("Port"), QString::number(port));
    return bagc;
}

// Answers every request with the set status, content type and body; with
// `beklet` it keeps the request unanswered until told.
class MiniWeb : public QObject
{
public:
    QByteArray icerikTuru;
    QByteArray govde;
    int durum = 200;
    bool beklet = false;
    int istekSayisi = 0;

    MiniWeb()
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, this, [this, s] {
                    m_gelen[s] += s->readAll();
                    if (!m_gelen[s].contains("\r\n\r\n") || m_sayilan.contains(s))
                        return;
                    m_sayilan.insert(s);
                    ++istekSayisi;
                    if (beklet)
                        m_bekleyen.append(s);
                    else
                        cevapla(s);
                });
            }
        });
    }

    QUrl adres() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/resimgoster.ashx?id=7").arg(m_server.serverPort()));
    }

    void bekleyenleriCevapla()
    {
        for (QTcpSocket *s : std::exchange(m_bekleyen, {}))
            if (s->state() == QAbstractSocket::ConnectedState)
                cevapla(s);
    }

private:
    void cevapla(QTcpSocket *s)
    {
        QByteArray cevap = "HTTP/1.1 " + QByteArray::number(durum) + (durum == 200 ? " OK" : " Not Found") +
                           "\r\nContent-Type: " + icerikTuru +
                           "\r\nContent-Length: " + QByteArray::number(govde.size()) +
                           "\r\nConnection: close\r\n\r\n" + govde;
        s->write(cevap);
        s->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_gelen;
    QSet<QTcpSocket *> m_sayilan;
    QList<QTcpSocket *> m_bekleyen;
};

} // namespace

class TestResim : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void decodeRoundTrip_data();
    void decodeRoundTrip();
    void badBytesGiveNull_data();
    void badBytesGiveNull();
    void sniffing_data();
    void sniffing();

    void contentTypeRule_data();
    void contentTypeRule();

    void servicePictureLoads();
    void noPictureKeepsLogo();
    void unreachableServerKeepsLogo();

    void webPicture_data();
    void webPicture();
    void webHostPictureLoads();
    void sameAddressDownloadsOnce();
    void labelGoneBeforeCompletion();
    void destroyedWhileDownloading();

private:
    QPixmap logo() const;

    TestServer m_server{400};
    std::unique_ptr<ScriptedSeams> m_seams;
    QByteArray m_jpeg; // a real item picture from the server
    qint32 m_resimli = 0;
    qint32 m_resimsiz = 0;
};

void TestResim::initTestCase()
{
    QString error;
    QVERIFY2(m_server.start(&error), qPrintable(error));
    // Items with and without a picture, as the service reports them.
    const auto bag = m_server.openConnection();
    TServerMethods1Client istemci(bag.get());
    for (qint32 stokno = 1; stokno <= 200 && (!m_resimli || !m_resimsiz); ++stokno) {
        qint64 boy = -1;
        QIODevice *akis = istemci.ResimVer5(stokno, boy);
        if (boy == 0 && !m_resimsiz)
            m_resimsiz = stokno;
        if (boy > 0 && !m_resimli) {
            m_resimli = stokno;
            m_jpeg = CopyAnnouncedStream(akis, boy).value_or(QByteArray());
        }
    }
    QVERIFY(m_resimli > 0);
    QVERIFY(m_resimsiz > 0);
    QVERIFY(m_jpeg.startsWith("\xFF\xD8"));
}

void TestResim::init()
{
    m_seams = std::make_unique<ScriptedSeams>();
    m_seams->deployment.webAdresi = QStringLiteral("http://127.0.0.1:%1/").arg(m_server.httpPort());
}

void TestResim::cleanup()
{
    m_seams.reset();
}

QPixmap TestResim::logo() const
{
    QPixmap p(40, 20);
    p.fill(Qt::green);
    return p;
}

void TestResim::decodeRoundTrip_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ResimTuru>("tur");
    QTest::addColumn<bool>("kayipli");
    const QImage resim = ornekResim();
    QTest::newRow("jpeg") << kodla(resim, "JPEG") << ResimTuru::Jpeg << true;
    QTest::newRow("jpeg gray") << kodla(resim.convertToFormat(QImage::Format_Grayscale8), "JPEG")
                               << ResimTuru::Jpeg << true;
    QTest::newRow("png") << kodla(resim, "PNG") << ResimTuru::Png << false;
    QTest::newRow("png indexed") << kodla(resim.convertToFormat(QImage::Format_Indexed8), "PNG")
                                 << ResimTuru::Png << false;
    QTest::newRow("bmp") << kodla(resim, "BMP") << ResimTuru::Bmp << false;
}

void TestResim::decodeRoundTrip()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ResimTuru, tur);
    QFETCH(bool, kayipli);
    QVERIFY(!bytes.isEmpty());
    const QImage cozulen = ResimCoz(bytes, tur);
    QVERIFY(!cozulen.isNull());
    QCOMPARE(cozulen.size(), QSize(64, 48));
    const QImage beklenen = QImage::fromData(bytes);
    if (kayipli) {
        QVERIFY(renkYakin(cozulen.pixel(5, 5), QColor(beklenen.pixel(5, 5))));
        QVERIFY(renkYakin(cozulen.pixel(60, 5), QColor(beklenen.pixel(60, 5))));
        QVERIFY(renkYakin(cozulen.pixel(60, 40), QColor(beklenen.pixel(60, 40))));
    } else {
        QCOMPARE(cozulen.convertToFormat(QImage::Format_RGB32), ornekResim()
                                                                    .convertToFormat(QImage::Format_RGB32)
                                                                    .convertToFormat(beklenen.format())
                                                                    .convertToFormat(QImage::Format_RGB32));
    }
    QCOMPARE(ResimCoz(bytes).size(), QSize(64, 48));
}

void TestResim::badBytesGiveNull_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ResimTuru>("tur");
    const QByteArray jpeg = kodla(ornekResim(), "JPEG");
    const QByteArray png = kodla(ornekResim(), "PNG");
    QByteArray cop(4096, '\0');
    for (int i = 0; i < cop.size(); ++i)
        cop[i] = char((i * 7919 + 13) % 251);
    QByteArray bozukPng = png;
    bozukPng[bozukPng.size() / 2] = char(bozukPng[bozukPng.size() / 2] ^ 0x5A);
    QByteArray bozukJpeg = jpeg;
    for (int i = 2; i < 60; ++i) // wreck the tables in the header
        bozukJpeg[i] = char(0xFF);
    for (ResimTuru tur : {ResimTuru::Jpeg, ResimTuru::Png, ResimTuru::Bmp}) {
        const char *ad = tur == ResimTuru::Jpeg ? "jpeg" : tur == ResimTuru::Png ? "png" : "bmp";
        QTest::addRow("empty as %s", ad) << QByteArray() << tur;
        QTest::addRow("garbage as %s", ad) << cop << tur;
        QTest::addRow("html as %s", ad) << QByteArray("<html><body>404</body></html>") << tur;
    }
    QTest::newRow("png as jpeg") << png << ResimTuru::Jpeg;
    QTest::newRow("jpeg as png") << jpeg << ResimTuru::Png;
    QTest::newRow("jpeg as bmp") << jpeg << ResimTuru::Bmp;
    QTest::newRow("jpeg cut in half") << jpeg.left(jpeg.size() / 2) << ResimTuru::Jpeg;
    QTest::newRow("jpeg header only") << jpeg.left(20) << ResimTuru::Jpeg;
    QTest::newRow("jpeg wrecked") << bozukJpeg << ResimTuru::Jpeg;
    QTest::newRow("png cut in half") << png.left(png.size() / 2) << ResimTuru::Png;
    QTest::newRow("png flipped byte") << bozukPng << ResimTuru::Png;
    QTest::newRow("bmp cut") << kodla(ornekResim(), "BMP").left(30) << ResimTuru::Bmp;
}

void TestResim::badBytesGiveNull()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ResimTuru, tur);
    QVERIFY(ResimCoz(bytes, tur).isNull());
}

void TestResim::sniffing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("tur"); // -1 none
    QTest::newRow("jpeg") << kodla(ornekResim(), "JPEG") << int(ResimTuru::Jpeg);
    QTest::newRow("png") << kodla(ornekResim(), "PNG") << int(ResimTuru::Png);
    QTest::newRow("bmp") << kodla(ornekResim(), "BMP") << int(ResimTuru::Bmp);
    QTest::newRow("gif") << QByteArray("GIF89a\x01\x00\x01\x00") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void TestResim::sniffing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, tur);
    const std::optional<ResimTuru> bulunan = ResimTuruBul(bytes);
    QCOMPARE(bulunan ? int(*bulunan) : -1, tur);
}

void TestResim::contentTypeRule_data()
{
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<int>("tur"); // -1 none
    QTest::newRow("image/jpeg") << QByteArray("image/jpeg") << int(ResimTuru::Jpeg);
    QTest::newRow("image/JPG") << QByteArray("image/JPG") << int(ResimTuru::Jpeg);
    QTest::newRow("image/png") << QByteArray("image/png") << int(ResimTuru::Png);
    QTest::newRow("image/BMP") << QByteArray("image/BMP") << int(ResimTuru::Bmp);
    QTest::newRow("image/gif") << QByteArray("image/gif") << -1;
    QTest::newRow("png with charset") << QByteArray("image/png; charset=x") << -1;
    QTest::newRow("text/html") << QByteArray("text/html") << -1;
    QTest::newRow("empty") << QByteArray() << -1;
}

void TestResim::contentTypeRule()
{
    QFETCH(QByteArray, contentType);
    QFETCH(int, tur);
    const std::optional<ResimTuru> bulunan = IcerikTuruResimTuru(contentType);
    QCOMPARE(bulunan ? int(*bulunan) : -1, tur);
}

void TestResim::servicePictureLoads()
{
    QLabel Image1;
    Image1.resize(120, 90);
    Image1.setPixmap(logo());
    const qint64 logoKey = Image1.pixmap().cacheKey();
    const auto bagc = baglantiTanimi(m_server.port());
    StokResmiYukle(*bagc, m_resimli, &Image1);
    QVERIFY(Image1.pixmap().cacheKey() != logoKey);
    QVERIFY(!Image1.pixmap().isNull());
    // Larger than the area, so shrunk into it with its proportions.
    const QSize gosterilen = Image1.pixmap().size();
    QVERIFY(gosterilen.width() <= 120 && gosterilen.height() <= 90);
    QVERIFY(gosterilen.width() == 120 || gosterilen.height() == 90);
    QVERIFY(m_seams->messages().isEmpty());
    QVERIFY(m_seams->dialogs().isEmpty());
    QVERIFY(!bagc->connected());
}

void TestResim::noPictureKeepsLogo()
{
    QLabel Image1;
    Image1.resize(120, 90);
    Image1.setPixmap(logo());
    const qint64 logoKey = Image1.pixmap().cacheKey();
    const auto bagc = baglantiTanimi(m_server.port());
    StokResmiYukle(*bagc, m_resimsiz, &Image1);
    QCOMPARE(Image1.pixmap().cacheKey(), logoKey);
    QVERIFY(m_seams->messages().isEmpty());
    QVERIFY(m_seams->dialogs().isEmpty());
}

void TestResim::unreachableServerKeepsLogo()
{
    QLabel Image1;
    Image1.setPixmap(logo());
    const qint64 logoKey = Image1.pixmap().cacheKey();
    const auto bagc = baglantiTanimi(KapaliPort());
    StokResmiYukle(*bagc, m_resimli, &Image1);
    QCOMPARE(Image1.pixmap().cacheKey(), logoKey);
    QCOMPARE(m_seams->dialogs().size(), 1);
    QCOMPARE(m_seams->dialogs().first().text,
             QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyin ...!"));
}

void TestResim::webPicture_data()
{
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("shown");
    const QByteArray png = kodla(ornekResim(), "PNG");
    const QByteArray jpeg = m_jpeg;
    QTest::newRow("image/jpeg") << QByteArray("image/jpeg") << jpeg << 200 << true;
    QTest::newRow("image/JPG") << QByteArray("image/JPG") << jpeg << 200 << true;
    QTest::newRow("image/png") << QByteArray("image/png") << png << 200 << true;
    QTest::newRow("image/bmp") << QByteArray("image/bmp") << kodla(ornekResim(), "BMP") << 200 << true;
    QTest::newRow("image/gif") << QByteArray("image/gif") << jpeg << 200 << false;
    QTest::newRow("png with charset") << QByteArray("image/png; charset=x") << png << 200 << false;
    QTest::newRow("jpeg type, png bytes") << QByteArray("image/jpeg") << png << 200 << false;
    QTest::newRow("jpeg type, garbage") << QByteArray("image/jpeg") << QByteArray(500, 'x') << 200 << false;
    // An error status with a picture type is a picture like any other.
    QTest::newRow("404 with a jpeg") << QByteArray("image/jpeg") << jpeg << 404 << true;
}

void TestResim::webPicture()
{
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, body);
    QFETCH(int, status);
    QFETCH(bool, shown);
    MiniWeb web;
    web.icerikTuru = contentType;
    web.govde = body;
    web.durum = status;
    QLabel AsyncResim1;
    AsyncResim1.resize(200, 150);
    TAsyncResim resim(&AsyncResim1);
    QSignalSpy bitti(&resim, &TAsyncResim::bitti);
    resim.Indir(web.adres());
    QVERIFY(bitti.wait(10000));
    QCOMPARE(bitti.first().first().toBool(), shown);
    QCOMPARE(!AsyncResim1.pixmap().isNull(), shown);
    QCOMPARE(!resim.resim().isNull(), shown);
    if (shown) {
        // Scaled to fit the area, up or down, proportions kept.
        const QSize s = AsyncResim1.pixmap().size();
        QVERIFY(s.width() == 200 || s.height() == 150);
        QVERIFY(s.width() <= 200 && s.height() <= 150);
    }
}

void TestResim::webHostPictureLoads()
{
    QLabel AsyncResim1;
    AsyncResim1.resize(200, 150);
    TAsyncResim resim(&AsyncResim1);
    QSignalSpy bitti(&resim, &TAsyncResim::bitti);
    resim.StokResmiIndir(m_resimli);
    QCOMPARE(
        resim.Url(),
        QStringLiteral("http://127.0.0.1:%1/resimgoster.ashx?id=%2").arg(m_server.httpPort()).arg(m_resimli));
    QVERIFY(bitti.wait(10000));
    QVERIFY(bitti.first().first().toBool());
    QVERIFY(!AsyncResim1.pixmap().isNull());

    // An item without a picture: the web host answers 404 with an empty body,
    // which leaves the label as it was and tells nobody.
    QLabel bos;
    TAsyncResim resimsiz(&bos);
    QSignalSpy bitti2(&resimsiz, &TAsyncResim::bitti);
    resimsiz.StokResmiIndir(m_resimsiz);
    QVERIFY(!bitti2.wait(1500));
    QVERIFY(bos.pixmap().isNull());
    QVERIFY(resimsiz.resim().isNull());
}

void TestResim::sameAddressDownloadsOnce()
{
    MiniWeb web;
    web.icerikTuru = "image/jpeg";
    web.govde = m_jpeg;
    QLabel AsyncResim1;
    TAsyncResim resim(&AsyncResim1);
    QSignalSpy bitti(&resim, &TAsyncResim::bitti);
    resim.Indir(web.adres());
    resim.Indir(web.adres());
    QVERIFY(bitti.wait(10000));
    resim.setUrl(web.adres().toString());
    QVERIFY(!bitti.wait(300));
    QCOMPARE(web.istekSayisi, 1);
    QCOMPARE(bitti.size(), 1);
}

void TestResim::labelGoneBeforeCompletion()
{
    MiniWeb web;
    web.icerikTuru = "image/jpeg";
    web.govde = m_jpeg;
    web.beklet = true;
    auto *AsyncResim1 = new QLabel;
    TAsyncResim resim(AsyncResim1);
    QSignalSpy bitti(&resim, &TAsyncResim::bitti);
    resim.Indir(web.adres());
    QTRY_COMPARE(web.istekSayisi, 1);
    delete AsyncResim1;
    web.bekleyenleriCevapla();
    QVERIFY(!bitti.wait(500));
    QVERIFY(resim.resim().isNull());
}

void TestResim::destroyedWhileDownloading()
{
    MiniWeb web;
    web.icerikTuru = "image/jpeg";
    web.govde = m_jpeg;
    web.beklet = true;
    {
        // The dialog's way: the control lives and dies with its label.
        auto *AsyncResim1 = new QLabel;
        QPointer<TAsyncResim> resim = new TAsyncResim(AsyncResim1, AsyncResim1);
        resim->Indir(web.adres());
        QTRY_COMPARE(web.istekSayisi, 1);
        delete AsyncResim1;
        QVERIFY(resim.isNull());
    }
    web.bekleyenleriCevapla();
    QTest::qWait(200); // let whatever was still queued run
}

QTEST_MAIN(TestResim)
#include "tst_resim.moc"
