#include "service/resimcoz.h"

#include <QLoggingCategory>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// jerror.h needs jpeglib.h first.
#include <jerror.h>
#include <png.h>

namespace zelvora {

namespace {

Q_LOGGING_CATEGORY(lcResim, "zelvora.resim", QtWarningMsg)

bool boyutUygun(qint64 en, qint64 boy)
{
    return en > 0 && boy > 0 && en * boy <= EnBuyukResimPikseli;
}

// libjpeg's default error_exit ends the process; ours jumps back to the
// decoding step that armed it. The jumps stay inside the two small functions
// below, which hold nothing with a destructor.
struct JpegHata
{
    jpeg_error_mgr mgr;
    std::jmp_buf donus;
    bool eksikVeri;
};

[[noreturn]] void jpegHataCikis(j_common_ptr cinfo)
{
    auto *hata = reinterpret_cast<JpegHata *>(cinfo->err);
    std::longjmp(hata->donus, 1);
}

void jpegMesaj(j_common_ptr cinfo, int seviye)
{
    auto *hata = reinterpret_cast<JpegHata *>(cinfo->err);
    // A picture cut short is filled with grey by libjpeg; we would rather
    // show nothing than half a picture.
    if (seviye < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF)
        hata->eksikVeri = true;
}

void jpegYazdir(j_common_ptr cinfo)
{
    char metin[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, metin);
    qCDebug(lcResim) << "libjpeg:" << metin;
}

bool jpegBaslat(jpeg_decompress_struct *cinfo, JpegHata *hata, const unsigned char *veri,
                unsigned long uzunluk)
{
    if (setjmp(hata->donus))
        return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, veri, uzunluk);
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK)
        return false;
    if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK)
        cinfo->out_color_space = JCS_CMYK;
    else
        cinfo->out_color_space = JCS_EXT_RGBX;
    if (!boyutUygun(cinfo->image_width, cinfo->image_height))
        return false;
    jpeg_start_decompress(cinfo);
    return cinfo->output_components == 4;
}

bool jpegSatirlar(jpeg_decompress_struct *cinfo, JpegHata *hata, unsigned char *bitler, qsizetype satirBoyu)
{
    if (setjmp(hata->donus))
        return false;
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW satir = bitler + qsizetype(cinfo->output_scanline) * satirBoyu;
        if (jpeg_read_scanlines(cinfo, &satir, 1) != 1)
            return false;
    }
    jpeg_finish_decompress(cinfo);
    return !hata->eksikVeri;
}

// Adobe writes CMYK JPEGs inverted; this is the conversion every viewer uses.
void cmykCevir(QImage &resim)
{
    for (int y = 0; y < resim.height(); ++y) {
        uchar *p = resim.scanLine(y);
        for (int x = 0; x < resim.width(); ++x, p += 4) {
            const int k = p[3];
            p[0] = uchar(p[0] * k / 255);
            p[1] = uchar(p[1] * k / 255);
            p[2] = uchar(p[2] * k / 255);
            p[3] = 255;
        }
    }
}

QImage jpegCoz(const QByteArray &bytes)
{
    jpeg_decompress_struct cinfo{};
    JpegHata hata{};
    cinfo.err = jpeg_std_error(&hata.mgr);
    hata.mgr.error_exit = jpegHataCikis;
    hata.mgr.emit_message = jpegMesaj;
    hata.mgr.output_message = jpegYazdir;

    QImage resim;
    if (jpegBaslat(&cinfo, &hata, reinterpret_cast<const unsigned char *>(bytes.constData()),
                   static_cast<unsigned long>(bytes.size()))) {
        const bool cmyk = cinfo.out_color_space == JCS_CMYK;
        resim = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGBX8888);
        if (resim.isNull() || !jpegSatirlar(&cinfo, &hata, resim.bits(), resim.bytesPerLine()))
            resim = QImage();
        else if (cmyk)
            cmykCevir(resim);
    }
    jpeg_destroy_decompress(&cinfo);
    return resim;
}

QImage pngCoz(const QByteArray &bytes)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.constData(), size_t(bytes.size()))) {
        qCDebug(lcResim) << "libpng:" << png.message;
        png_image_free(&png);
        return QImage();
    }
    if (!boyutUygun(png.width, png.height)) {
        png_image_free(&png);
        return QImage();
    }
    png.format = PNG_FORMAT_RGBA;
    QImage resim(int(png.width), int(png.height), QImage::Format_RGBA8888);
    if (resim.isNull()) {
        png_image_free(&png);
        return QImage();
    }
    // The stride in components, as libpng counts it.
    const png_int_32 adim = png_int_32(resim.bytesPerLine());
    if (!png_image_finish_read(&png, nullptr, resim.bits(), adim, nullptr)) {
        qCDebug(lcResim) << "libpng:" << png.message;
        png_image_free(&png);
        return QImage();
    }
    png_image_free(&png);
    return resim;
}

QImage bmpCoz(const QByteArray &bytes)
{
    if (ResimTuruBul(bytes) != ResimTuru::Bmp)
        return QImage();
    QImage resim = QImage::fromData(bytes, "BMP");
    if (resim.isNull() || !boyutUygun(resim.width(), resim.height()))
        return QImage();
    return resim;
}

} // namespace

std::optional<ResimTuru> ResimTuruBul(const QByteArray &bytes)
{
    if (bytes.startsWith(QByteArrayLiteral("\xFF\xD8\xFF")))
        return ResimTuru::Jpeg;
    if (bytes.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1A\n")))
        return ResimTuru::Png;
    if (bytes.startsWith(QByteArrayLiteral("BM")))
        return ResimTuru::Bmp;
    return std::nullopt;
}

QImage ResimCoz(const QByteArray &bytes, ResimTuru tur)
{
    if (bytes.isEmpty())
        return QImage();
    switch (tur) {
    case ResimTuru::Jpeg:
        return jpegCoz(bytes);
    case ResimTuru::Png:
        return pngCoz(bytes);
    case ResimTuru::Bmp:
        return bmpCoz(bytes);
    }
    return QImage();
}

QImage ResimCoz(const QByteArray &bytes)
{
    const std::optional<ResimTuru> tur = ResimTuruBul(bytes);
    return tur ? ResimCoz(bytes, *tur) : QImage();
}

} // namespace zelvora
