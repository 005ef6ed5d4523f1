#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

namespace zelvora::server::media {

struct GifFrame
{
    QImage image;
    int delayCentiseconds = 10;
};

// Writes a GIF89a animation with one adaptive 256-colour table and a NETSCAPE2.0 loop block (loopCount 0
// loops forever). All frames must have the size of the first; otherwise, or for no frames, the result is
// empty. Later frames store only the rectangle that changed, which keeps scrolling banners small.
QByteArray encodeAnimatedGif(const QList<GifFrame> &frames, int loopCount = 0);

} // namespace zelvora::server::media
