#include "server/media/jpeg.h"
#include "server/media/painting.h"
#include "server/media/parts.h"
#include "server/media/pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <array>

namespace zelvora::server::media {

namespace {

struct Theme
{
    QColor deep;
    QColor light;
    QColor accent;
    const char16_t *tag;
    const char16_t *footer;
};

const std::array<Theme, 6> &themes()
{
    static const std::array<Theme, 6> list{{
        {QColor(120, 10, 20), QColor(200, 35, 45), QColor(255, 196, 0), u"KAMPANYA", u"Stoklarla sınırlıdır"},
        {QColor(10, 35, 90), QColor(25, 95, 185), QColor(255, 140, 0), u"YENİ ÜRÜN", u"Şimdi kataloğumuzda"},
        {QColor(10, 70, 45), QColor(25, 140, 85), QColor(255, 214, 10), u"DUYURU",
         u"Tüm bayilerimizin dikkatine"},
        {QColor(25, 25, 30), QColor(70, 72, 82), QColor(255, 190, 0), u"FIRSAT", u"Kaçırmayın"},
        {QColor(60, 20, 95), QColor(125, 60, 175), QColor(0, 210, 200), u"BAYİLERE ÖZEL",
         u"Size özel fiyatlarla"},
        {QColor(0, 70, 80), QColor(0, 140, 150), QColor(255, 120, 60), u"STOKTA", u"Hemen teslim"},
    }};
    return list;
}

} // namespace

QImage announcementImage(int index, const QString &title)
{
    if (!canPaintText()) {
        return {};
    }
    const int n = int(themes().size());
    const int pick = ((index % n) + n) % n;
    const Theme &theme = themes()[std::size_t(pick)];
    const QSize size = announcementPictureSize;
    const double w = size.width(), h = size.height();

    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    QLinearGradient background(0, 0, w, h);
    background.setColorAt(0.0, theme.deep);
    background.setColorAt(1.0, theme.light);
    p.fillRect(image.rect(), background);
    // Speed stripes behind the product.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        const double x = w * 0.5 + i * 70;
        p.setBrush(QColor(255, 255, 255, 14 + 6 * i));
        p.drawPolygon(QPolygonF{QPointF(x, 0), QPointF(x + 36, 0), QPointF(x - 120, h), QPointF(x - 156, h)});
    }

    // The product on a lit disc.
    const QPointF centre(w * 0.76, h * 0.47);
    const double radius = h * 0.37;
    QRadialGradient stage(centre, radius, centre + QPointF(-radius * 0.3, -radius * 0.4));
    stage.setColorAt(0.0, QColor(255, 255, 255));
    stage.setColorAt(1.0, QColor(214, 219, 226));
    p.setPen(QPen(theme.accent, 7));
    p.setBrush(stage);
    p.drawEllipse(centre, radius, radius);
    const QRectF partBox(centre.x() - radius * 0.66, centre.y() - radius * 0.66, radius * 1.32,
                         radius * 1.32);
    drawFloorShadow(p, partBox.adjusted(0, 0, 0, radius * 0.1));
    // Nine shapes against six themes: colour and product come round in different combinations.
    static const std::array<PartKind, 9> showcase{
        PartKind::BrakeDisc, PartKind::OilFilter,     PartKind::Bearing,
        PartKind::SparkPlug, PartKind::ShockAbsorber, PartKind::Clutch,
        PartKind::Battery,   PartKind::Lamp,          PartKind::BrakePad};
    const int shown = ((index % 9) + 9) % 9;
    drawPart(p, showcase[std::size_t(shown)], partBox, theme.light, QStringLiteral("ZELVORA"),
             quint32(index) * 7u);

    // Tag, title, company line.
    const QString tag = QString::fromUtf16(theme.tag);
    const QFont tagFont = sansFont(17, QFont::Black);
    const double tagWidth = QFontMetricsF(tagFont).horizontalAdvance(tag) + 32;
    p.setPen(Qt::NoPen);
    p.setBrush(theme.accent);
    p.drawRoundedRect(QRectF(48, 44, tagWidth, 36), 18, 18);
    p.setPen(theme.deep);
    p.setFont(tagFont);
    p.drawText(QRectF(48, 44, tagWidth, 36), Qt::AlignCenter, tag);

    const QString text =
        title.trimmed().isEmpty() ? QStringLiteral("Zelvora Oto Yedek Parça") : title.trimmed();
    const QRectF titleBox(48, 100, w * 0.5 - 30, 200);
    p.setPen(QColor(0, 0, 0, 70));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    const QFont titleFont = fittingFont(text, sansFont(48, QFont::Bold), titleBox, flags, 18);
    p.setFont(titleFont);
    p.drawText(titleBox.translated(2, 3), flags, text);
    p.setPen(QColor(255, 255, 255));
    p.drawText(titleBox, flags, text);

    p.setPen(Qt::NoPen);
    p.setBrush(theme.accent);
    p.drawRect(QRectF(48, 318, 90, 6));
    p.setPen(QColor(255, 255, 255, 225));
    p.setFont(sansFont(19, QFont::DemiBold));
    p.drawText(QRectF(48, 334, w * 0.5, 28), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Zelvora Oto Yedek Parça A.Ş."));

    // Footer band.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRect(QRectF(0, h - 44, w, 44));
    p.setPen(QColor(255, 255, 255, 210));
    p.setFont(sansFont(15));
    p.drawText(QRectF(48, h - 44, w * 0.6, 44), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf16(theme.footer) + QStringLiteral("  •  Zelvora B2B sipariş sistemi"));
    p.setPen(theme.accent);
    p.setFont(sansFont(17, QFont::Black));
    p.drawText(QRectF(w - 248, h - 44, 200, 44), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("ZELVORA"));
    p.end();
    return image;
}

QByteArray announcementPicture(int index, const QString &title)
{
    return encodeJpeg(announcementImage(index, title), 88);
}

} // namespace zelvora::server::media
