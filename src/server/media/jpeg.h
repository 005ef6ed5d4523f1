#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

namespace zelvora::server::media {

// Baseline JFIF with optimised Huffman tables. Alpha is flattened onto white, because every place we show
// these pictures has a white page behind them. Returns an empty array for a null image.
QByteArray encodeJpeg(const QImage &image, int quality = 85);

// Decodes to QImage::Format_RGB888. Anything libjpeg considers damaged (bad markers, truncated scans,
// garbage) yields a null QImage; so do pictures larger than maxJpegPixels and CMYK files, whose colours
// we could not show correctly anyway.
QImage decodeJpeg(QByteArrayView bytes);

// Uploaded files are decoded in the server process, so a forged header must not make us allocate gigabytes.
inline constexpr qint64 maxJpegPixels = 40'000'000;

} // namespace zelvora::server::media
