#include "server/media/banners.h"

#include "server/media/painting.h"
#include "server/media/parts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace zelvora::server::media {

namespace {

const QColor navy(12, 32, 74);
const QColor blue(26, 78, 160);
const QColor amber(255, 184, 0);

QString shownText(const QString &text)
{
    const QString trimmed = text.simplified();
    return trimmed.isEmpty() ? QStringLiteral("Zelvora Oto Yedek Parça · Bayi sipariş sistemi") : trimmed;
}

void paintEmblem(QPainter &p, const QRectF &box)
{
    drawPart(p, PartKind::Gear, box, QColor(), QString(), 0);
    // A navy hub behind the letter: amber on bare steel would hardly show.
    p.setPen(QPen(QColor(255, 255, 255, 160), box.width() * 0.02));
    p.setBrush(navy);
    p.drawEllipse(box.center(), box.width() * 0.3, box.height() * 0.3);
    p.setPen(amber);
    p.setFont(sansFont(box.height() * 0.36, QFont::Black));
    p.drawText(box, Qt::AlignCenter, QStringLiteral("Z"));
}

// Everything of the header banner except the moving parts.
QImage headerBase()
{
    QImage image(headerBannerSize, QImage::Format_RGB32);
    const double w = image.width(), h = image.height();
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0.0, navy);
    g.setColorAt(1.0, blue);
    p.fillRect(image.rect(), g);
    p.fillRect(QRectF(0, h - 5, w, 5), amber);
    paintEmblem(p, QRectF(12, 13, 70, 70));
    p.setPen(QColor(255, 255, 255));
    p.setFont(sansFont(28, QFont::Black));
    p.drawText(QRectF(96, 8, 180, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZELVORA"));
    p.setPen(QColor(190, 205, 230));
    p.setFont(sansFont(11, QFont::DemiBold));
    p.drawText(QRectF(254, 8, w - 262, 40), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("OTO YEDEK PARÇA"));
    return image;
}

QList<GifFrame> headerFrames(const QString &text)
{
    const QImage base = headerBase();
    const double w = base.width();
    const QRectF textBox(96, 50, w - 106, 38);
    const QFont font =
        fittingFont(text, sansFont(20, QFont::Bold), textBox, Qt::AlignLeft | Qt::AlignVCenter, 9);
    const QString elided = QFontMetricsF(font).elidedText(text, Qt::ElideRight, textBox.width());

    QList<GifFrame> frames;
    const int sweep = 10, blink = 6;
    for (int i = 0; i < sweep + blink; ++i) {
        QImage frame = base;
        QPainter p(&frame);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        const bool lit = i < sweep || (i - sweep) % 2 == 1;
        p.setPen(lit ? amber : QColor(255, 255, 255));
        p.setFont(font);
        p.drawText(textBox, Qt::AlignLeft | Qt::AlignVCenter, elided);
        if (i < sweep) {
            // A light band crossing the banner, as if it were glossy plastic.
            const double x = -60 + (w + 120) * i / (sweep - 1);
            QLinearGradient shine(x - 40, 0, x + 40, 0);
            shine.setColorAt(0.0, QColor(255, 255, 255, 0));
            shine.setColorAt(0.5, QColor(255, 255, 255, 80));
            shine.setColorAt(1.0, QColor(255, 255, 255, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(shine);
            p.drawPolygon(
                QPolygonF{QPointF(x - 20, 0), QPointF(x + 60, 0), QPointF(x + 20, 95), QPointF(x - 60, 95)});
        }
        p.end();
        // The sweep runs quickly; the blinking holds each state long enough to read.
        frames.append(GifFrame{frame, i < sweep ? 6 : (i == sweep + blink - 1 ? 120 : 45)});
    }
    return frames;
}

QList<GifFrame> stripFrames(const QString &text)
{
    const QSize size = stripBannerSize;
    const double w = size.width(), h = size.height(), logoWidth = 190;
    const QFont font = sansFont(26, QFont::Bold);
    const QString unit = text + QStringLiteral("   ★   ");
    const double period = std::max(1.0, QFontMetricsF(font).horizontalAdvance(unit));
    // About 14 px per 70 ms, a pace that can be read without making the file huge; the step is adjusted so
    // the last frame leads exactly into the first. Very long texts move faster instead of adding frames.
    const int count = std::clamp(int(std::ceil(period / 14.0)), 8, 90);

    QList<GifFrame> frames;
    for (int i = 0; i < count; ++i) {
        QImage frame(size, QImage::Format_RGB32);
        QPainter p(&frame);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0.0, QColor(255, 204, 40));
        g.setColorAt(1.0, QColor(250, 170, 0));
        p.fillRect(frame.rect(), g);
        p.setPen(navy);
        p.setFont(font);
        for (double x = logoWidth - period * i / count; x < w; x += period) {
            p.drawText(QRectF(x, 0, period + 1, h), Qt::AlignLeft | Qt::AlignVCenter, unit);
        }
        // Logo block, drawn last so the text slides underneath it.
        p.setPen(Qt::NoPen);
        p.setBrush(navy);
        p.drawPolygon(
            QPolygonF{QPointF(0, 0), QPointF(logoWidth, 0), QPointF(logoWidth - 22, h), QPointF(0, h)});
        paintEmblem(p, QRectF(8, 6, 48, 48));
        p.setPen(QColor(255, 255, 255));
        p.setFont(sansFont(22, QFont::Black));
        p.drawText(QRectF(60, 0, 120, h), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZELVORA"));
        p.end();
        frames.append(GifFrame{frame, 7});
    }
    return frames;
}

} // namespace

QList<GifFrame> animatedBannerFrames(int which, const QString &text)
{
    if (!canPaintText()) {
        return {};
    }
    switch (which) {
    case 1:
        return headerFrames(shownText(text));
    case 2:
        return stripFrames(shownText(text));
    default:
        return {};
    }
}

QByteArray animatedBannerGif(int which, const QString &text)
{
    return encodeAnimatedGif(animatedBannerFrames(which, text));
}

QByteArray bannerBmp(const QString &text)
{
    if (!canPaintText()) {
        return {};
    }
    QImage image(bmpBannerSize, QImage::Format_RGB32);
    const double w = image.width(), h = image.height();
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, w, 0);
    g.setColorAt(0.0, navy);
    g.setColorAt(1.0, blue);
    p.fillRect(image.rect(), g);
    p.fillRect(QRectF(0, h - 4, w, 4), amber);
    paintEmblem(p, QRectF(7, 5, 48, 48));
    p.setPen(QColor(255, 255, 255));
    p.setFont(sansFont(13, QFont::Black));
    p.drawText(QRectF(64, 5, w - 72, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZELVORA"));
    p.setPen(amber);
    drawFittedText(p, QRectF(64, 23, w - 72, 30), Qt::AlignLeft | Qt::AlignVCenter, shownText(text),
                   sansFont(20, QFont::Bold), 9);
    p.end();

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) {
        return {};
    }
    return bytes;
}

} // namespace zelvora::server::media
