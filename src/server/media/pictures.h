#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace zelvora::server::media {

struct ItemPictureContent
{
    qint64 stockNo = 0;
    QString code;
    QString name;
    QString brand;
    QString group;
    int kind = -1; // a PartKind value; anything out of range guesses the shape from group and name
};

inline constexpr QSize itemPictureSize{480, 360};
inline constexpr QSize announcementPictureSize{800, 450};

// Stand-in product photos for items that have none yet. The same item always gives the same bytes.
// Both need a QGuiApplication; without one they return an empty array / a null image.
QImage itemPictureImage(const ItemPictureContent &content);
QByteArray itemPicture(const ItemPictureContent &content); // JPEG

// Campaign-style picture for announcements and the opening advertisement; index picks colours, tag line
// and the part shown, so consecutive announcements look different.
QImage announcementImage(int index, const QString &title);
QByteArray announcementPicture(int index, const QString &title); // JPEG

// A brand's colour, stable across runs; used for labels and the painted parts.
QColor brandColour(const QString &brand);

} // namespace zelvora::server::media
