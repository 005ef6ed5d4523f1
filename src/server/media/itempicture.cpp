#include "server/media/jpeg.h"
#include "server/media/painting.h"
#include "server/media/parts.h"
#include "server/media/pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace zelvora::server::media {

QColor brandColour(const QString &brand)
{
    // Colours of the kind parts makers print on their boxes.
    static const std::array<QColor, 10> colours{
        QColor(200, 30, 40), QColor(20, 80, 170),  QColor(20, 125, 70), QColor(230, 115, 20),
        QColor(25, 45, 95),  QColor(230, 180, 20), QColor(0, 125, 135), QColor(110, 50, 140),
        QColor(55, 55, 60),  QColor(170, 20, 90)};
    if (brand.trimmed().isEmpty()) {
        return QColor(20, 80, 170);
    }
    return colours[stableHash(turkishUpper(brand.trimmed())) % colours.size()];
}

namespace {

void paintStudio(QPainter &p, const QSize &size)
{
    QLinearGradient sweep(0, 0, 0, size.height());
    sweep.setColorAt(0.0, QColor(251, 252, 253));
    sweep.setColorAt(0.62, QColor(231, 234, 238));
    sweep.setColorAt(0.70, QColor(220, 224, 229));
    sweep.setColorAt(1.0, QColor(238, 240, 243));
    p.fillRect(QRect(QPoint(0, 0), size), sweep);
    QRadialGradient spot(QPointF(size.width() * 0.5, size.height() * 0.4), size.width() * 0.45);
    spot.setColorAt(0.0, QColor(255, 255, 255, 200));
    spot.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(QRect(QPoint(0, 0), size), spot);
}

void paintLabel(QPainter &p, const ItemPictureContent &content, const QColor &accent, const QSize &size)
{
    const QString brand =
        content.brand.trimmed().isEmpty() ? QStringLiteral("ZELVORA") : turkishUpper(content.brand);
    const QFont brandFont = sansFont(15, QFont::Bold);
    const QFont codeFont = monoFont(15, QFont::DemiBold);
    const double pad = 10, height = 32, left = 16, bottom = size.height() - 14.0;
    const double brandWidth = std::min(180.0, QFontMetricsF(brandFont).horizontalAdvance(brand) + 2 * pad);
    const double codeWidth = std::min(size.width() - left - brandWidth - 130.0,
                                      QFontMetricsF(codeFont).horizontalAdvance(content.code) + 2 * pad);
    const QRectF tag(left, bottom - height, brandWidth + std::max(0.0, codeWidth), height);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 28));
    p.drawRoundedRect(tag.translated(0, 2), 6, 6);
    p.setBrush(QColor(255, 255, 255));
    p.setPen(QPen(QColor(200, 204, 210), 1));
    p.drawRoundedRect(tag, 6, 6);
    QPainterPath brandPart;
    brandPart.addRoundedRect(tag, 6, 6);
    QPainterPath clip;
    clip.addRect(QRectF(tag.left(), tag.top(), brandWidth, tag.height()));
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawPath(brandPart.intersected(clip));

    p.setPen(accent.lightness() > 170 ? QColor(25, 25, 28) : QColor(255, 255, 255));
    drawFittedText(p, QRectF(tag.left() + pad, tag.top(), brandWidth - 2 * pad, height), Qt::AlignCenter,
                   brand, brandFont, 9);
    if (codeWidth > 0) {
        p.setPen(QColor(35, 38, 45));
        drawFittedText(p, QRectF(tag.left() + brandWidth + pad, tag.top(), codeWidth - 2 * pad, height),
                       Qt::AlignVCenter | Qt::AlignLeft, content.code, codeFont, 9);
    }

    if (content.stockNo > 0) {
        p.setPen(QColor(135, 140, 150));
        p.setFont(sansFont(12));
        p.drawText(QRectF(size.width() - 136.0, tag.top(), 120, height), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("Stok No %1").arg(content.stockNo));
    }
}

} // namespace

QImage itemPictureImage(const ItemPictureContent &content)
{
    if (!canPaintText()) {
        return {};
    }
    const QSize size = itemPictureSize;
    const QColor accent = brandColour(content.brand);
    const PartKind kind = content.kind >= 0 && content.kind < partKindCount
                              ? PartKind(content.kind)
                              : partKindFromText(content.group, content.name);
    const quint32 variant = quint32(content.stockNo) ^ stableHash(content.code);

    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    paintStudio(p, size);

    const QRectF box(size.width() / 2.0 - 128, 34, 256, 256);
    drawFloorShadow(p, box.adjusted(10, 0, -10, 8));
    drawPart(p, kind, box, accent, content.brand, variant);

    p.setPen(QColor(120, 126, 136));
    drawFittedText(p, QRectF(16, 10, size.width() * 0.62, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   turkishUpper(content.group), sansFont(12, QFont::DemiBold), 9);
    p.setPen(QColor(192, 197, 205));
    p.setFont(sansFont(13, QFont::Black));
    p.drawText(QRectF(size.width() - 136.0, 10, 120, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("ZELVORA"));

    paintLabel(p, content, accent, size);
    p.end();
    return image;
}

QByteArray itemPicture(const ItemPictureContent &content)
{
    return encodeJpeg(itemPictureImage(content), 88);
}

} // namespace zelvora::server::media
