#include "server/media/jpeg.h"

#include <QPainter>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h expects size_t and FILE to be declared before it is included.
#include <jerror.h>
#include <jpeglib.h>

namespace zelvora::server::media {

namespace {

// libjpeg's default error_exit calls exit(), which would take the whole server down on one bad upload.
// We jump back to the call site instead. Only trivially destructible objects live between setjmp and the
// calls that may jump, so skipping frames with longjmp is well defined.
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool damaged;
};

[[noreturn]] void jumpOut(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    std::longjmp(manager->jump, 1);
}

// libjpeg "repairs" truncated or garbled streams by painting grey and carries on with a warning. For us such
// a picture is broken: we would otherwise store and serve half-grey product photos.
void noteWarning(j_common_ptr info, int level)
{
    if (level >= 0) {
        return; // trace messages
    }
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    switch (info->err->msg_code) {
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
    case JWRN_TOO_MUCH_DATA:
        break; // cosmetic: the pixels are still fine
    default:
        manager->damaged = true;
        break;
    }
}

void silence(j_common_ptr) {}

void installErrorManager(ErrorManager &manager)
{
    jpeg_std_error(&manager.pub);
    manager.pub.error_exit = jumpOut;
    manager.pub.emit_message = noteWarning;
    manager.pub.output_message = silence;
    manager.damaged = false;
}

QImage flattenedRgb888(const QImage &image)
{
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGB888);
    }
    QImage flat(image.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

// The functions below that call setjmp hold nothing but plain C data, so a longjmp out of libjpeg skips no
// destructor. Qt objects live in the callers.
bool compress(const QImage &rgb, int quality, unsigned char **buffer, unsigned long *size)
{
    ErrorManager errors;
    jpeg_compress_struct info;
    info.err = &errors.pub;
    installErrorManager(errors);
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg never writes through this pointer; its API just predates const.
        auto *row = const_cast<JSAMPLE *>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

struct Decoder
{
    ErrorManager errors;
    jpeg_decompress_struct info;
};

bool readHeader(Decoder &decoder, QByteArrayView bytes)
{
    jpeg_decompress_struct &info = decoder.info;
    info.err = &decoder.errors.pub;
    installErrorManager(decoder.errors);
    if (setjmp(decoder.errors.jump)) {
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    // CMYK/YCCK would need colour management to look right; nobody uploads those knowingly.
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        return false;
    }
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    return qint64(info.output_width) * qint64(info.output_height) <= maxJpegPixels;
}

bool readPixels(Decoder &decoder, unsigned char *bits, qsizetype bytesPerLine)
{
    jpeg_decompress_struct &info = decoder.info;
    if (setjmp(decoder.errors.jump)) {
        return false;
    }
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = bits + qsizetype(info.output_scanline) * bytesPerLine;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return !decoder.errors.damaged;
}

} // namespace

QByteArray encodeJpeg(const QImage &image, int quality)
{
    if (image.isNull()) {
        return {};
    }
    const QImage rgb = flattenedRgb888(image);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    QByteArray result;
    if (compress(rgb, std::clamp(quality, 1, 100), &buffer, &size)) {
        result = QByteArray(reinterpret_cast<const char *>(buffer), qsizetype(size));
    }
    std::free(buffer);
    return result;
}

QImage decodeJpeg(QByteArrayView bytes)
{
    if (bytes.size() < 4) {
        return {};
    }
    Decoder decoder;
    QImage image;
    if (readHeader(decoder, bytes)) {
        image =
            QImage(int(decoder.info.output_width), int(decoder.info.output_height), QImage::Format_RGB888);
        if (!image.isNull() && !readPixels(decoder, image.bits(), image.bytesPerLine())) {
            image = QImage();
        }
    }
    jpeg_destroy_decompress(&decoder.info);
    return image;
}

} // namespace zelvora::server::media
