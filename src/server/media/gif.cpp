#include "server/media/gif.h"

#include "server/media/palette.h"

#include <QRect>

#include <algorithm>
#include <cstring>
#include <vector>

#include <gif_lib.h>

namespace zelvora::server::media {

namespace {

int appendToArray(GifFileType *file, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(file->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

using Indexed = std::vector<GifByteType>;

Indexed toIndexed(const QImage &source, const Palette &palette)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    Indexed pixels(std::size_t(image.width()) * std::size_t(image.height()));
    auto out = pixels.begin();
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            *out++ = palette.indexOf(line[x]);
        }
    }
    return pixels;
}

QRect changedArea(const Indexed &before, const Indexed &after, int width, int height)
{
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const auto *a = before.data() + std::size_t(y) * std::size_t(width);
        const auto *b = after.data() + std::size_t(y) * std::size_t(width);
        if (std::memcmp(a, b, std::size_t(width)) == 0) {
            continue;
        }
        top = std::min(top, y);
        bottom = y;
        for (int x = 0; x < width; ++x) {
            if (a[x] != b[x]) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    if (bottom < 0) {
        return QRect(0, 0, 1, 1); // an unchanged frame still has to exist to carry its delay
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

bool putLoopBlock(GifFileType *file, int loopCount)
{
    static const GifByteType application[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    const GifByteType loop[] = {1, GifByteType(loopCount & 0xff), GifByteType((loopCount >> 8) & 0xff)};
    return EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(file, sizeof application, application) == GIF_OK &&
           EGifPutExtensionBlock(file, sizeof loop, loop) == GIF_OK &&
           EGifPutExtensionTrailer(file) == GIF_OK;
}

bool putFrame(GifFileType *file, const Indexed &pixels, int width, const QRect &area, int delay)
{
    GraphicsControlBlock control;
    control.DisposalMode = DISPOSE_DO_NOT; // later frames paint over this one
    control.UserInputFlag = false;
    control.DelayTime = std::clamp(delay, 0, 65535);
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) != GIF_OK) {
        return false;
    }
    if (EGifPutImageDesc(file, area.x(), area.y(), area.width(), area.height(), false, nullptr) != GIF_OK) {
        return false;
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        // giflib takes a non-const line but only reads it.
        auto *line = const_cast<GifByteType *>(pixels.data() + std::size_t(y) * std::size_t(width) +
                                               std::size_t(area.x()));
        if (EGifPutLine(file, line, area.width()) != GIF_OK) {
            return false;
        }
    }
    return true;
}

} // namespace

QByteArray encodeAnimatedGif(const QList<GifFrame> &frames, int loopCount)
{
    if (frames.isEmpty() || frames.first().image.isNull()) {
        return {};
    }
    const QSize size = frames.first().image.size();
    QList<QImage> images;
    for (const GifFrame &frame : frames) {
        if (frame.image.size() != size) {
            return {};
        }
        images.append(frame.image);
    }
    const Palette palette = Palette::fromImages(images);

    // The header stores the table size as a power of two; unused entries stay black.
    int bits = 1;
    while ((1 << bits) < palette.colours().size()) {
        ++bits;
    }
    std::vector<GifColorType> colours(std::size_t(1) << bits, GifColorType{0, 0, 0});
    for (int i = 0; i < palette.colours().size(); ++i) {
        const QRgb c = palette.colours()[i];
        colours[std::size_t(i)] =
            GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    ColorMapObject *map = GifMakeMapObject(int(colours.size()), colours.data());
    if (!map) {
        return {};
    }

    QByteArray out;
    int error = 0;
    GifFileType *file = EGifOpen(&out, appendToArray, &error);
    if (!file) {
        GifFreeMapObject(map);
        return {};
    }
    EGifSetGifVersion(file, true);
    bool ok = EGifPutScreenDesc(file, size.width(), size.height(), bits, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    ok = ok && putLoopBlock(file, loopCount);

    Indexed previous;
    for (const GifFrame &frame : frames) {
        if (!ok) {
            break;
        }
        Indexed pixels = toIndexed(frame.image, palette);
        const QRect area = previous.empty() ? QRect(QPoint(0, 0), size)
                                            : changedArea(previous, pixels, size.width(), size.height());
        ok = putFrame(file, pixels, size.width(), area, frame.delayCentiseconds);
        previous = std::move(pixels);
    }
    if (EGifCloseFile(file, &error) != GIF_OK) {
        ok = false;
    }
    return ok ? out : QByteArray();
}

} // namespace zelvora::server::media
