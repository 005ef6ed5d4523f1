#include "server/media/palette.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace zelvora::server::media {

namespace {

constexpr int maxColours = 256;

int bin(QRgb colour)
{
    return ((qRed(colour) >> 3) << 10) | ((qGreen(colour) >> 3) << 5) | (qBlue(colour) >> 3);
}

struct Cell
{
    int index = 0; // 15-bit bin number
    quint64 count = 0;
    quint64 red = 0;
    quint64 green = 0;
    quint64 blue = 0;

    int channel(int axis) const { return (index >> (10 - 5 * axis)) & 31; }
};

struct Box
{
    std::size_t begin = 0;
    std::size_t end = 0;
    quint64 count = 0;
    int axis = 0;
    int range = 0;
};

void measure(const std::vector<Cell> &cells, Box &box)
{
    int low[3] = {31, 31, 31};
    int high[3] = {0, 0, 0};
    box.count = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        box.count += cells[i].count;
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(low[axis], cells[i].channel(axis));
            high[axis] = std::max(high[axis], cells[i].channel(axis));
        }
    }
    box.axis = 0;
    box.range = -1;
    for (int axis = 0; axis < 3; ++axis) {
        if (high[axis] - low[axis] > box.range) {
            box.range = high[axis] - low[axis];
            box.axis = axis;
        }
    }
}

// Large, spread-out boxes are split first: big flat areas keep accurate colours, and the gradients around
// them still get enough steps not to band badly.
double priority(const Box &box)
{
    return box.end - box.begin < 2 ? -1.0 : double(box.range) * double(box.count);
}

QRgb average(const std::vector<Cell> &cells, const Box &box)
{
    quint64 red = 0, green = 0, blue = 0, count = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        red += cells[i].red;
        green += cells[i].green;
        blue += cells[i].blue;
        count += cells[i].count;
    }
    const quint64 half = count / 2;
    return qRgb(int((red + half) / count), int((green + half) / count), int((blue + half) / count));
}

} // namespace

Palette Palette::fromImages(const QList<QImage> &images)
{
    Palette palette;
    palette.m_lookup.fill(-1);

    std::vector<Cell> histogram(32768);
    std::vector<QRgb> distinct;
    bool few = true;
    for (const QImage &source : images) {
        const QImage image = source.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb colour = line[x] | 0xff000000u;
                Cell &cell = histogram[std::size_t(bin(colour))];
                cell.count += 1;
                cell.red += quint64(qRed(colour));
                cell.green += quint64(qGreen(colour));
                cell.blue += quint64(qBlue(colour));
                if (few && (x == 0 || line[x] != line[x - 1])) {
                    const auto at = std::lower_bound(distinct.begin(), distinct.end(), colour);
                    if (at == distinct.end() || *at != colour) {
                        distinct.insert(at, colour);
                        few = distinct.size() <= maxColours;
                    }
                }
            }
        }
    }
    if (few) {
        palette.m_exact = QList<QRgb>(distinct.begin(), distinct.end());
        palette.m_colours = palette.m_exact;
        if (palette.m_colours.isEmpty()) {
            palette.m_colours.append(qRgb(0, 0, 0));
        }
        return palette;
    }

    std::vector<Cell> cells;
    for (int i = 0; i < int(histogram.size()); ++i) {
        if (histogram[std::size_t(i)].count > 0) {
            cells.push_back(histogram[std::size_t(i)]);
            cells.back().index = i;
        }
    }
    std::vector<Box> boxes(1);
    boxes[0].end = cells.size();
    measure(cells, boxes[0]);
    while (int(boxes.size()) < maxColours) {
        std::size_t pick = 0;
        for (std::size_t i = 1; i < boxes.size(); ++i) {
            if (priority(boxes[i]) > priority(boxes[pick])) {
                pick = i;
            }
        }
        Box &box = boxes[pick];
        if (priority(box) < 0.0) {
            break;
        }
        const int axis = box.axis;
        // Ties are broken by bin number so the order, and with it the palette, is fully determined.
        std::sort(cells.begin() + std::ptrdiff_t(box.begin), cells.begin() + std::ptrdiff_t(box.end),
                  [axis](const Cell &a, const Cell &b) {
                      return a.channel(axis) != b.channel(axis) ? a.channel(axis) < b.channel(axis)
                                                                : a.index < b.index;
                  });
        quint64 seen = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i + 1 < box.end; ++i) {
            seen += cells[i].count;
            split = i + 1;
            if (seen * 2 >= box.count) {
                break;
            }
        }
        Box upper;
        upper.begin = split;
        upper.end = box.end;
        box.end = split;
        measure(cells, box);
        measure(cells, upper);
        boxes.push_back(upper);
    }
    for (const Box &box : boxes) {
        palette.m_colours.append(average(cells, box));
    }
    return palette;
}

std::uint8_t Palette::indexOf(QRgb colour) const
{
    colour |= 0xff000000u;
    if (!m_exact.isEmpty()) {
        const auto at = std::lower_bound(m_exact.cbegin(), m_exact.cend(), colour);
        if (at != m_exact.cend() && *at == colour) {
            return std::uint8_t(at - m_exact.cbegin());
        }
        return nearest(colour);
    }
    const int cell = bin(colour);
    std::int16_t &cached = m_lookup[std::size_t(cell)];
    if (cached < 0) {
        // Decided by the middle of the cell, not by whichever pixel asked first, so the answer does not
        // depend on the order pixels are visited in.
        cached =
            nearest(qRgb(((cell >> 10) << 3) | 4, (((cell >> 5) & 31) << 3) | 4, ((cell & 31) << 3) | 4));
    }
    return std::uint8_t(cached);
}

std::uint8_t Palette::nearest(QRgb colour) const
{
    int best = 0;
    int bestDistance = INT_MAX;
    for (int i = 0; i < m_colours.size(); ++i) {
        const int dr = qRed(colour) - qRed(m_colours[i]);
        const int dg = qGreen(colour) - qGreen(m_colours[i]);
        const int db = qBlue(colour) - qBlue(m_colours[i]);
        // Weighted roughly like the eye: green differences show most, blue least.
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return std::uint8_t(best);
}

} // namespace zelvora::server::media
