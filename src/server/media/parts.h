#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace zelvora::server::media {

// The shapes we can draw. The catalogue has no notion of shape, so it is guessed from the group and name.
enum class PartKind
{
    BrakeDisc,
    BrakePad,
    OilFilter,
    AirFilter,
    Bearing,
    SparkPlug,
    Belt,
    ShockAbsorber,
    Lamp,
    Clutch,
    WiperBlade,
    Battery,
    Gear,
};
inline constexpr int partKindCount = 13;

// Matches Turkish keywords (with or without Turkish letters, any case) in group and name. Gear is the
// fallback for anything unrecognised.
PartKind partKindFromText(const QString &group, const QString &name);

// Draws the part, centred and as large as fits into box, as if photographed from slightly above. variant
// turns and varies the part a little so a page of similar items does not look copy-pasted. brand is
// printed where real parts carry their maker's name.
void drawPart(QPainter &painter, PartKind kind, const QRectF &box, const QColor &accent, const QString &brand,
              quint32 variant);

// A soft contact shadow on the studio floor under a part drawn into box.
void drawFloorShadow(QPainter &painter, const QRectF &box);

} // namespace zelvora::server::media
