#include "server/media/painting.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>

namespace zelvora::server::media {

bool canPaintText()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

namespace {

QFont fixedFont(const QString &family, qreal pixelSize, QFont::Weight weight)
{
    QFont font(family);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

QFont sansFont(qreal pixelSize, QFont::Weight weight)
{
    return fixedFont(QStringLiteral("DejaVu Sans"), pixelSize, weight);
}

QFont monoFont(qreal pixelSize, QFont::Weight weight)
{
    return fixedFont(QStringLiteral("DejaVu Sans Mono"), pixelSize, weight);
}

QString turkishUpper(const QString &text)
{
    return QLocale(QLocale::Turkish, QLocale::Turkey).toUpper(text);
}

quint32 stableHash(QStringView text)
{
    quint32 hash = 2166136261u;
    for (const QChar c : text) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return hash;
}

QFont fittingFont(const QString &text, QFont font, const QRectF &box, int flags, qreal minimumPixelSize)
{
    while (font.pixelSize() > minimumPixelSize) {
        const QRectF needed = QFontMetricsF(font).boundingRect(box, flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height()) {
            break;
        }
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

void drawFittedText(QPainter &painter, const QRectF &box, int flags, const QString &text, const QFont &font,
                    qreal minimumPixelSize)
{
    const QFont fitted = fittingFont(text, font, box, flags, minimumPixelSize);
    painter.setFont(fitted);
    QString shown = text;
    if (!(flags & Qt::TextWordWrap)) {
        shown = QFontMetricsF(fitted).elidedText(text, Qt::ElideRight, box.width());
    }
    painter.drawText(box, flags, shown);
}

} // namespace zelvora::server::media
