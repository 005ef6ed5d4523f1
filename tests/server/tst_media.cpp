#include "server/media/banners.h"
#include "server/media/gif.h"
#include "server/media/jpeg.h"
#include "server/media/money.h"
#include "server/media/parts.h"
#include "server/media/pdf.h"
#include "server/media/pictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRegularExpression>
#include <QtTest>

using namespace zelvora::server::media;

Q_DECLARE_METATYPE(zelvora::server::media::ItemPictureContent)

namespace {

// Painting text needs a platform plugin; CTest sets this too, but the binary should also run by hand.
const bool offscreen = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return true;
}();

int channelDistance(QRgb a, QRgb b)
{
    return std::max(
        {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Mean absolute difference per channel, 0..255.
double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * x.width() * x.height());
}

int distinctColours(const QImage &image, int stopAt)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height() && seen.size() < stopAt; y += 3) {
        for (int x = 0; x < image.width(); x += 3) {
            seen.insert(image.pixel(x, y));
        }
    }
    return int(seen.size());
}

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y,
                           qRgb(x * 255 / std::max(1, width - 1), y * 255 / std::max(1, height - 1), 128));
        }
    }
    return image;
}

struct GifContents
{
    QList<QImage> frames;
    QList<int> delays;
    int loopCount = 0;
};

GifContents readGif(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    GifContents contents;
    while (reader.canRead()) {
        contents.delays.append(reader.nextImageDelay());
        const QImage frame = reader.read();
        if (frame.isNull()) {
            break;
        }
        contents.frames.append(frame);
    }
    contents.loopCount = reader.loopCount();
    return contents;
}

int pdfPageCount(const QByteArray &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    int count = 0;
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next()) {
        ++count;
    }
    return count;
}

ReceiptContent sampleReceipt()
{
    ReceiptContent content;
    content.receiptNo = QStringLiteral("KK-2024-000187");
    content.issuedAt = QDateTime(QDate(2024, 3, 14), QTime(15, 42), QTimeZone::utc());
    content.customerCode = QStringLiteral("120.34.0057");
    content.customerName = QStringLiteral("Güneşli Oto Yedek Parça San. ve Tic. Ltd. Şti.");
    content.amountKurus = 1'254'990;
    content.cardNumber = QStringLiteral("4543 6012 3456 7890");
    content.cardHolder = QStringLiteral("ŞÜKRÜ ÇAĞLAYAN");
    content.bank = QStringLiteral("Ziraat Bankası");
    content.installments = 3;
    content.authorisationCode = QStringLiteral("384712");
    content.note = QStringLiteral("Mart ayı cari hesap ödemesi");
    return content;
}

ReportContent sampleReport(int rows, int columns)
{
    ReportContent content;
    content.title = QStringLiteral("Müşteri Ziyaret ve Sipariş Raporu");
    content.customerCode = QStringLiteral("120.34.0057");
    content.customerName = QStringLiteral("Güneşli Oto Yedek Parça Ltd. Şti.");
    content.representative = QStringLiteral("İlker Öztürk");
    content.from = QDate(2024, 1, 1);
    content.to = QDate(2024, 3, 31);
    content.generatedAt = QDateTime(QDate(2024, 4, 2), QTime(9, 5), QTimeZone::utc());
    const QStringList headers{QStringLiteral("Tarih"),    QStringLiteral("Belge No"),
                              QStringLiteral("Açıklama"), QStringLiteral("Miktar"),
                              QStringLiteral("Tutar"),    QStringLiteral("Durum"),
                              QStringLiteral("Depo"),     QStringLiteral("Not")};
    content.columns = headers.mid(0, columns);
    for (int i = 0; i < rows; ++i) {
        content.rows.append(QStringList{
            QDate(2024, 1, 1).addDays(i % 90).toString(QStringLiteral("dd.MM.yyyy")),
            QStringLiteral("SP%1").arg(24000 + i),
            QStringLiteral("Ön fren balatası takımı, seramik — sıra %1").arg(i), QString::number(1 + i % 7),
            formatKurus(12'500 * (i + 1)), i % 3 ? QStringLiteral("Teslim edildi") : QStringLiteral("Yolda"),
            QStringLiteral("İstanbul"), QStringLiteral("çok uzun bir not metni ") + QString::number(i)}
                                .mid(0, columns));
    }
    return content;
}

} // namespace

class MediaTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void jpegRoundTrip_data();
    void jpegRoundTrip();
    void jpegFlattensAlphaOntoWhite();
    void jpegDecodesOtherEncoders_data();
    void jpegDecodesOtherEncoders();
    void jpegRejectsDamagedInput_data();
    void jpegRejectsDamagedInput();
    void jpegRejectsOversizedHeader();

    void partKindFromText_data();
    void partKindFromText();
    void itemPicture_data();
    void itemPicture();
    void itemPicturesDifferBetweenItems();
    void announcementPicture();

    void gifKeepsExactColoursAndDelays();
    void gifRejectsMismatchedFrames();
    void animatedBanner_data();
    void animatedBanner();
    void unknownBannerIsEmpty();
    void bannerBmp();

    void maskCardNumber_data();
    void maskCardNumber();
    void money_data();
    void money();
    void cardPaymentReceipt();
    void reportPdf_data();
    void reportPdf();
};

void MediaTest::jpegRoundTrip_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("tolerance");

    QImage red(1, 1, QImage::Format_RGB32);
    red.fill(qRgb(200, 20, 30));
    QImage navy(64, 48, QImage::Format_RGB32);
    navy.fill(qRgb(12, 32, 74));
    QImage grey(33, 17, QImage::Format_Grayscale8);
    grey.fill(150);
    QTest::newRow("one red pixel") << red << 90 << 12;
    QTest::newRow("flat navy") << navy << 85 << 6;
    QTest::newRow("odd-sized grey") << grey << 85 << 4;
    QTest::newRow("gradient q95") << gradient(300, 200) << 95 << 8;
    QTest::newRow("gradient q40") << gradient(301, 199) << 40 << 20;
}

void MediaTest::jpegRoundTrip()
{
    QFETCH(QImage, image);
    QFETCH(int, quality);
    QFETCH(int, tolerance);

    const QByteArray bytes = encodeJpeg(image, quality);
    QVERIFY(bytes.startsWith("\xFF\xD8\xFF"));
    QVERIFY(bytes.endsWith("\xFF\xD9"));
    QCOMPARE(encodeJpeg(image, quality), bytes);

    const QImage decoded = decodeJpeg(bytes);
    QVERIFY(!decoded.isNull());
    QCOMPARE(decoded.size(), image.size());
    QCOMPARE(decoded.format(), QImage::Format_RGB888);
    for (const QPoint at :
         {QPoint(0, 0), QPoint(image.width() / 2, image.height() / 2),
          QPoint(image.width() - 1, image.height() - 1), QPoint(image.width() / 3, image.height() / 4)}) {
        const int distance = channelDistance(decoded.pixel(at), image.pixel(at));
        QVERIFY2(distance <= tolerance,
                 qPrintable(QStringLiteral("%1 off at %2,%3").arg(distance).arg(at.x()).arg(at.y())));
    }
    QVERIFY(meanDifference(decoded, image) < tolerance / 2.0);
    // Qt's own reader must accept what we write.
    QCOMPARE(QImage::fromData(bytes, "JPEG").size(), image.size());
}

void MediaTest::jpegFlattensAlphaOntoWhite()
{
    QImage image(40, 40, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            image.setPixel(x, y, qRgba(0, 0, 255, 255));
        }
    }
    const QImage decoded = decodeJpeg(encodeJpeg(image));
    QVERIFY(channelDistance(decoded.pixel(20, 32), qRgb(255, 255, 255)) <= 4);
    QVERIFY(channelDistance(decoded.pixel(20, 8), qRgb(0, 0, 255)) <= 8);
    QVERIFY(encodeJpeg(QImage()).isEmpty());
}

void MediaTest::jpegDecodesOtherEncoders_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<bool>("progressive");

    QImage grey = gradient(120, 90).convertToFormat(QImage::Format_Grayscale8);
    QTest::newRow("greyscale") << grey << false;
    QTest::newRow("progressive") << gradient(200, 150) << true;
    QTest::newRow("progressive greyscale") << grey << true;
}

// Uploads come from cameras and other programs, not only from our encoder; Qt's writer stands in for them.
void MediaTest::jpegDecodesOtherEncoders()
{
    QFETCH(QImage, image);
    QFETCH(bool, progressive);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(progressive);
    QVERIFY(writer.write(image));

    const QImage decoded = decodeJpeg(bytes);
    QCOMPARE(decoded.size(), image.size());
    QVERIFY(meanDifference(decoded, image) < 3.0);
    QVERIFY(decodeJpeg(QByteArrayView(bytes).first(bytes.size() * 2 / 3)).isNull());
}

void MediaTest::jpegRejectsDamagedInput_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray good = encodeJpeg(gradient(160, 120), 85);
    QByteArray noise;
    quint32 state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1103515245u + 12345u;
        noise.append(char(state >> 24));
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    gradient(10, 10).save(&buffer, "PNG");
    QByteArray wrongMarker = good;
    wrongMarker[good.size() / 2] = char(0xFF);
    wrongMarker[good.size() / 2 + 1] = char(0xD0 + 3); // a restart marker where none belongs

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("this is not a picture");
    QTest::newRow("noise") << noise;
    QTest::newRow("png") << png;
    QTest::newRow("start marker then noise") << (QByteArray("\xFF\xD8\xFF\xE0", 4) + noise);
    QTest::newRow("header only") << good.left(300);
    QTest::newRow("cut in the middle") << good.left(good.size() / 2);
    QTest::newRow("last bytes missing") << good.left(good.size() - 40);
    QTest::newRow("stray marker in scan") << wrongMarker;
}

void MediaTest::jpegRejectsDamagedInput()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(decodeJpeg(bytes).isNull());
}

void MediaTest::jpegRejectsOversizedHeader()
{
    QByteArray bytes = encodeJpeg(gradient(16, 16));
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    QVERIFY(sof > 0);
    // Frame header: length (2), precision (1), height (2), width (2).
    for (int i : {5, 6, 7, 8}) {
        bytes[sof + i] = char(0xFF);
    }
    QVERIFY(decodeJpeg(bytes).isNull());
}

void MediaTest::partKindFromText_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");

    QTest::newRow("brake disc") << QStringLiteral("FREN SİSTEMİ") << QStringLiteral("Ön Fren Diski")
                                << int(PartKind::BrakeDisc);
    QTest::newRow("pads") << QStringLiteral("Fren Sistemi") << QStringLiteral("ÖN BALATA TAKIMI")
                          << int(PartKind::BrakePad);
    QTest::newRow("clutch disc is no brake disc")
        << QStringLiteral("Şanzıman") << QStringLiteral("Debriyaj Diski") << int(PartKind::Clutch);
    QTest::newRow("oil filter") << QStringLiteral("Filtreler") << QStringLiteral("Yağ Filtresi")
                                << int(PartKind::OilFilter);
    QTest::newRow("cabin filter") << QStringLiteral("Filtreler") << QStringLiteral("Polen Filtresi")
                                  << int(PartKind::AirFilter);
    QTest::newRow("ascii spelling") << QStringLiteral("SUSPANSIYON") << QStringLiteral("ON AMORTISOR SAG")
                                    << int(PartKind::ShockAbsorber);
    QTest::newRow("bearing") << QString() << QStringLiteral("Ön Teker Rulmanı") << int(PartKind::Bearing);
    QTest::newRow("spark plug") << QStringLiteral("Ateşleme") << QStringLiteral("Buji Takımı")
                                << int(PartKind::SparkPlug);
    QTest::newRow("belt") << QStringLiteral("Motor") << QStringLiteral("V Kayışı 6PK1200")
                          << int(PartKind::Belt);
    QTest::newRow("bulb") << QStringLiteral("Aydınlatma") << QStringLiteral("H7 Ampul 12V")
                          << int(PartKind::Lamp);
    QTest::newRow("wiper") << QString() << QStringLiteral("Silecek Süpürgesi 600mm")
                           << int(PartKind::WiperBlade);
    QTest::newRow("battery") << QStringLiteral("Elektrik") << QStringLiteral("AKÜ 60 Ah")
                             << int(PartKind::Battery);
    QTest::newRow("far is a word, not a prefix")
        << QString() << QStringLiteral("Farbe kapağı") << int(PartKind::Gear);
    QTest::newRow("unknown") << QStringLiteral("Diğer") << QStringLiteral("Conta seti")
                             << int(PartKind::Gear);
}

void MediaTest::partKindFromText()
{
    QFETCH(QString, group);
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(int(zelvora::server::media::partKindFromText(group, name)), kind);
}

void MediaTest::itemPicture_data()
{
    QTest::addColumn<ItemPictureContent>("content");
    const QList<std::tuple<const char *, QString, QString, int>> items{
        {"disc", QStringLiteral("Fren Sistemi"), QStringLiteral("Ön Fren Diski Havalı 280mm"), -1},
        {"bearing", QStringLiteral("Rulmanlar"), QStringLiteral("Arka Teker Rulmanı"), -1},
        {"filter", QStringLiteral("Filtreler"), QStringLiteral("Yağ Filtresi"), -1},
        {"explicit kind", QStringLiteral("Diğer"), QStringLiteral("Özel parça"), int(PartKind::Battery)},
        {"out of range kind", QStringLiteral("Ateşleme"), QStringLiteral("Buji"), 99},
    };
    for (int i = 0; i < partKindCount + int(items.size()); ++i) {
        ItemPictureContent content;
        content.stockNo = 10'000 + i * 37;
        content.code = QStringLiteral("ZL-%1-0%2").arg(4000 + i).arg(i);
        content.brand = QStringList{QStringLiteral("Bosch"), QStringLiteral("Mahle"),
                                    QStringLiteral("İzmir Döküm"), QStringLiteral("SKF")}[i % 4];
        if (i < partKindCount) {
            content.kind = i;
            content.group = QStringLiteral("Grup %1").arg(i);
            content.name = QStringLiteral("Parça %1").arg(i);
            QTest::addRow("kind %d", i) << content;
        } else {
            const auto &[tag, group, name, kind] = items[i - partKindCount];
            content.group = group;
            content.name = name;
            content.kind = kind;
            QTest::newRow(tag) << content;
        }
    }
}

void MediaTest::itemPicture()
{
    QFETCH(ItemPictureContent, content);
    const QByteArray first = zelvora::server::media::itemPicture(content);
    QVERIFY(first.startsWith("\xFF\xD8"));
    QCOMPARE(zelvora::server::media::itemPicture(content), first);

    const QImage decoded = decodeJpeg(first);
    QCOMPARE(decoded.size(), itemPictureSize);
    // A light studio background in the corners, and a real picture rather than a flat fill.
    QVERIFY(qGray(decoded.pixel(3, 3)) > 200);
    QVERIFY(qGray(decoded.pixel(itemPictureSize.width() - 4, itemPictureSize.height() / 2)) > 180);
    QVERIFY(distinctColours(decoded, 400) >= 400);
    // The JPEG shows what was painted.
    QVERIFY(meanDifference(decoded, itemPictureImage(content)) < 3.0);
}

void MediaTest::itemPicturesDifferBetweenItems()
{
    ItemPictureContent a;
    a.stockNo = 1;
    a.code = QStringLiteral("A-1");
    a.brand = QStringLiteral("Bosch");
    a.group = QStringLiteral("Fren");
    a.name = QStringLiteral("Fren diski");
    ItemPictureContent b = a;
    b.code = QStringLiteral("A-2");
    ItemPictureContent c = a;
    c.name = QStringLiteral("Amortisör");
    const QImage ia = itemPictureImage(a), ib = itemPictureImage(b), ic = itemPictureImage(c);
    QVERIFY(ia != ib);
    QVERIFY(meanDifference(ia, ic) > 2.0);
}

void MediaTest::announcementPicture()
{
    const QString title = QStringLiteral("Bahar kampanyası: tüm fren balatalarında %15 indirim!");
    const QByteArray bytes = zelvora::server::media::announcementPicture(3, title);
    QCOMPARE(zelvora::server::media::announcementPicture(3, title), bytes);
    const QImage decoded = decodeJpeg(bytes);
    QCOMPARE(decoded.size(), announcementPictureSize);
    QVERIFY(distinctColours(decoded, 500) >= 500);

    QSet<QByteArray> seen{bytes};
    for (int index = 0; index < 8; ++index) {
        seen.insert(zelvora::server::media::announcementPicture(index, title));
    }
    QCOMPARE(seen.size(), 8); // index 3 comes twice
    QVERIFY(!decodeJpeg(zelvora::server::media::announcementPicture(-7, QString())).isNull());
    QVERIFY(!decodeJpeg(zelvora::server::media::announcementPicture(2, QString(400, QLatin1Char('x')) +
                                                                           QStringLiteral(" uzun başlık")))
                 .isNull());
}

void MediaTest::gifKeepsExactColoursAndDelays()
{
    const QList<QRgb> colours{qRgb(255, 0, 0), qRgb(0, 160, 0), qRgb(0, 0, 255), qRgb(0, 0, 255)};
    QList<GifFrame> frames;
    for (int i = 0; i < colours.size(); ++i) {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(qRgb(250, 250, 250));
        QPainter(&image).fillRect(QRect(i * 5, 5, 10, 10), QColor(colours[i]));
        frames.append(GifFrame{image, 10 * (i + 1)});
    }
    const QByteArray bytes = encodeAnimatedGif(frames);
    QVERIFY(bytes.startsWith("GIF89a"));
    QVERIFY(bytes.contains("NETSCAPE2.0"));
    QVERIFY(bytes.endsWith(';'));

    const GifContents gif = readGif(bytes);
    QCOMPARE(gif.frames.size(), frames.size());
    QCOMPARE(gif.loopCount, -1); // Qt's way of saying "forever"
    for (int i = 0; i < frames.size(); ++i) {
        QCOMPARE(gif.frames[i].size(), QSize(30, 20));
        QCOMPARE(gif.frames[i].pixel(i * 5 + 5, 10) | 0xff000000u, colours[i]);
        QCOMPARE(gif.frames[i].pixel(0, 0) | 0xff000000u, qRgb(250, 250, 250));
        QCOMPARE(meanDifference(gif.frames[i], frames[i].image), 0.0);
    }
    QCOMPARE(gif.delays.first(), 100); // milliseconds
    QCOMPARE(gif.delays.last(), 400);
}

void MediaTest::gifRejectsMismatchedFrames()
{
    QImage a(10, 10, QImage::Format_RGB32), b(11, 10, QImage::Format_RGB32);
    a.fill(Qt::red);
    b.fill(Qt::blue);
    QVERIFY(encodeAnimatedGif({GifFrame{a, 10}, GifFrame{b, 10}}).isEmpty());
    QVERIFY(encodeAnimatedGif({}).isEmpty());
}

void MediaTest::animatedBanner_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("size");

    QTest::newRow("header") << 1 << QStringLiteral("Yeni sezon ürünleri stoklarımızda") << headerBannerSize;
    QTest::newRow("header, default text") << 1 << QString() << headerBannerSize;
    QTest::newRow("strip") << 2
                           << QStringLiteral("Tüm siparişlerde aynı gün kargo — İstanbul içi 2 saatte teslim")
                           << stripBannerSize;
    QTest::newRow("strip, short text") << 2 << QStringLiteral("İndirim") << stripBannerSize;
}

void MediaTest::animatedBanner()
{
    QFETCH(int, which);
    QFETCH(QString, text);
    QFETCH(QSize, size);

    const QByteArray bytes = animatedBannerGif(which, text);
    QVERIFY(bytes.startsWith("GIF89a"));
    QVERIFY(bytes.contains("NETSCAPE2.0"));
    QCOMPARE(animatedBannerGif(which, text), bytes);

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    QCOMPARE(reader.size(), size);
    QVERIFY(reader.supportsAnimation());

    const GifContents gif = readGif(bytes);
    const QList<GifFrame> painted = animatedBannerFrames(which, text);
    QVERIFY(gif.frames.size() > 1);
    QCOMPARE(gif.frames.size(), painted.size());
    QCOMPARE(gif.loopCount, -1);
    for (int i = 0; i < gif.frames.size(); ++i) {
        QCOMPARE(gif.frames[i].size(), size);
        // 256 colours for antialiased text and gradients: close, not exact.
        QVERIFY2(meanDifference(gif.frames[i], painted[i].image) < 2.5, qPrintable(QString::number(i)));
        QVERIFY(gif.delays[i] > 0);
    }
    // Something actually moves.
    QVERIFY(meanDifference(gif.frames.first(), gif.frames[gif.frames.size() / 2]) > 0.1);
}

void MediaTest::unknownBannerIsEmpty()
{
    QVERIFY(animatedBannerGif(0, QStringLiteral("x")).isEmpty());
    QVERIFY(animatedBannerGif(3, QStringLiteral("x")).isEmpty());
}

void MediaTest::bannerBmp()
{
    const QString text = QStringLiteral("Orijinal ve eşdeğer yedek parçada güvenilir adres");
    const QByteArray bytes = zelvora::server::media::bannerBmp(text);
    QVERIFY(bytes.startsWith("BM"));
    const quint32 declared =
        quint8(bytes[2]) | quint8(bytes[3]) << 8 | quint8(bytes[4]) << 16 | quint32(quint8(bytes[5])) << 24;
    QCOMPARE(qsizetype(declared), bytes.size());
    QCOMPARE(zelvora::server::media::bannerBmp(text), bytes);
    const QImage image = QImage::fromData(bytes, "BMP");
    QCOMPARE(image.size(), bmpBannerSize);
    QVERIFY(distinctColours(image, 100) >= 100);
}

void MediaTest::maskCardNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("masked");

    QTest::newRow("16 digits") << QStringLiteral("4543601234567890") << QStringLiteral("4543 60** **** 7890");
    QTest::newRow("spaced") << QStringLiteral("4543 6012 3456 7890") << QStringLiteral("4543 60** **** 7890");
    QTest::newRow("dashed amex") << QStringLiteral("3782-822463-10005")
                                 << QStringLiteral("3782 82** ***0 005");
    QTest::newRow("already masked") << QStringLiteral("454360******7890")
                                    << QStringLiteral("454360******7890");
    QTest::newRow("too short") << QStringLiteral("12345678") << QStringLiteral("****5678");
    QTest::newRow("junk") << QStringLiteral("abc") << QStringLiteral("***");
    QTest::newRow("empty") << QString() << QString();
}

void MediaTest::maskCardNumber()
{
    QFETCH(QString, number);
    QFETCH(QString, masked);
    QCOMPARE(zelvora::server::media::maskCardNumber(number), masked);
}

void MediaTest::money_data()
{
    QTest::addColumn<qint64>("kurus");
    QTest::addColumn<QString>("formatted");
    QTest::addColumn<QString>("words");

    QTest::newRow("zero") << qint64(0) << QStringLiteral("0,00 TL") << QStringLiteral("Sıfır Türk Lirası");
    QTest::newRow("kuruş only") << qint64(5) << QStringLiteral("0,05 TL")
                                << QStringLiteral("Sıfır Türk Lirası Beş Kuruş");
    QTest::newRow("thousand") << qint64(123456) << QStringLiteral("1.234,56 TL")
                              << QStringLiteral("Bin İki Yüz Otuz Dört Türk Lirası Elli Altı Kuruş");
    QTest::newRow("receipt") << qint64(1254990) << QStringLiteral("12.549,90 TL")
                             << QStringLiteral("On İki Bin Beş Yüz Kırk Dokuz Türk Lirası Doksan Kuruş");
    QTest::newRow("million") << qint64(100100000) << QStringLiteral("1.001.000,00 TL")
                             << QStringLiteral("Bir Milyon Bin Türk Lirası");
    QTest::newRow("refund") << qint64(-1999) << QStringLiteral("-19,99 TL")
                            << QStringLiteral("Eksi On Dokuz Türk Lirası Doksan Dokuz Kuruş");
}

void MediaTest::money()
{
    QFETCH(qint64, kurus);
    QFETCH(QString, formatted);
    QFETCH(QString, words);
    QCOMPARE(formatKurus(kurus), formatted);
    QCOMPARE(amountInWords(kurus), words);
}

void MediaTest::cardPaymentReceipt()
{
    const ReceiptContent content = sampleReceipt();
    const QByteArray pdf = zelvora::server::media::cardPaymentReceipt(content);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QVERIFY2(pdf.size() > 8000, qPrintable(QString::number(pdf.size())));
    QCOMPARE(pdfPageCount(pdf), 1);
    QCOMPARE(zelvora::server::media::cardPaymentReceipt(content), pdf);
    // The stored creation date is the receipt's, not today's, in UTC.
    QVERIFY(pdf.contains("D:20240314154200"));

    ReceiptContent other = content;
    other.amountKurus += 1;
    QVERIFY(zelvora::server::media::cardPaymentReceipt(other) != pdf);
}

void MediaTest::reportPdf_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("minPages");
    QTest::addColumn<int>("maxPages");

    QTest::newRow("empty period") << 0 << 5 << 1 << 1;
    QTest::newRow("one page") << 12 << 5 << 1 << 1;
    QTest::newRow("several pages") << 150 << 6 << 3 << 5;
    QTest::newRow("landscape, wide") << 60 << 8 << 2 << 4;
}

void MediaTest::reportPdf()
{
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(int, minPages);
    QFETCH(int, maxPages);

    const ReportContent content = sampleReport(rows, columns);
    const QByteArray pdf = zelvora::server::media::reportPdf(content);
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    QVERIFY(pdf.size() > 5000);
    const int pages = pdfPageCount(pdf);
    QVERIFY2(pages >= minPages && pages <= maxPages, qPrintable(QString::number(pages)));
    QCOMPARE(zelvora::server::media::reportPdf(content), pdf);
    // A4 is 595 x 842 points; wide tables turn the page.
    QVERIFY(pdf.contains(columns > 6 ? "/MediaBox [0 0 842" : "/MediaBox [0 0 595"));
}

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
