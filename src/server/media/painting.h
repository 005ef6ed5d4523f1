#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringView>

class QPainter;

namespace zelvora::server::media {

// Text needs the font database, which exists only once a QGuiApplication does (the server runs one on the
// "offscreen" platform). Without it painting text would abort the process, so the picture makers check
// this first and return an empty result.
bool canPaintText();

// Always the same family, so pictures look the same on every machine that has DejaVu installed.
QFont sansFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);
QFont monoFont(qreal pixelSize, QFont::Weight weight = QFont::Normal);

// Turkish casing: "i" becomes "İ", not "I".
QString turkishUpper(const QString &text);

// FNV-1a over the UTF-16 units. qHash is seeded per process and would make pictures differ between runs.
quint32 stableHash(QStringView text);

// Largest font not above font's size (down to minimumPixelSize) with which text fits into box with flags;
// text that still does not fit is elided when it is a single line.
QFont fittingFont(const QString &text, QFont font, const QRectF &box, int flags, qreal minimumPixelSize);
void drawFittedText(QPainter &painter, const QRectF &box, int flags, const QString &text, const QFont &font,
                    qreal minimumPixelSize);

} // namespace zelvora::server::media
