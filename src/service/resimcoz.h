#pragma once

#include <QByteArray>
#include <QImage>

#include <optional>

namespace zelvora {

// The picture formats the program reads from the server and the web host.
enum class ResimTuru
{
    Jpeg,
    Png,
    Bmp
};

// Larger pictures are refused rather than decoded: nothing the wholesaler
// serves comes near this, and a forged header must not cost gigabytes.
inline constexpr qint64 EnBuyukResimPikseli = 40'000'000;

// Decodes `bytes` as a picture of kind `tur`: JPEG through libjpeg, PNG
// through libpng, BMP through QImage. Anything that is not a whole picture of
// that kind (empty, truncated, corrupt, another format, too large) gives a
// null image; it never throws and never ends the process.
QImage ResimCoz(const QByteArray &bytes, ResimTuru tur);

// The kind of picture by its leading bytes; nothing when it is none of ours.
std::optional<ResimTuru> ResimTuruBul(const QByteArray &bytes);

// Decodes whatever kind of picture the leading bytes say it is.
QImage ResimCoz(const QByteArray &bytes);

} // namespace zelvora
