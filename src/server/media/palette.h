#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include <array>
#include <cstdint>

namespace zelvora::server::media {

// An adaptive colour table of at most 256 entries shared by all frames of an animation, so frames never
// flicker between different approximations of the same colour.
class Palette
{
public:
    // Pictures with at most 256 distinct colours keep them exactly; others are reduced by median cut over a
    // 5-bit-per-channel histogram. The result depends only on the pixels, never on hashing or addresses.
    static Palette fromImages(const QList<QImage> &images);

    const QList<QRgb> &colours() const { return m_colours; }
    std::uint8_t indexOf(QRgb colour) const;

private:
    std::uint8_t nearest(QRgb colour) const;

    QList<QRgb> m_colours;
    QList<QRgb> m_exact; // sorted, used when the pictures had few colours
    mutable std::array<std::int16_t, 32768> m_lookup{};
};

} // namespace zelvora::server::media
