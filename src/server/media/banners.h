#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

#include "server/media/gif.h"

namespace zelvora::server::media {

inline constexpr QSize headerBannerSize{409, 100};
inline constexpr QSize stripBannerSize{1200, 60};
inline constexpr QSize bmpBannerSize{468, 60};

// which 1: the header banner, a shine sweeps over the logo and the text blinks.
// which 2: the wide strip, the text scrolls right to left in a seamless loop.
// Any other value, or no QGuiApplication, gives no frames / an empty array. An empty text shows the
// company's slogan.
QList<GifFrame> animatedBannerFrames(int which, const QString &text);
QByteArray animatedBannerGif(int which, const QString &text);

// The third, still banner for clients that only take BMP.
QByteArray bannerBmp(const QString &text);

} // namespace zelvora::server::media
