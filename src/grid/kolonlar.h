#pragma once

#include "grid/columndef.h"

namespace zelvora::grid {

// A plain column as the screens declare most of theirs.
ColumnDef Kolon(const QString &field, const QString &caption, bool visible, int weight);

// The stock status (`DURUM`) as its picture from the status images
// (DurumResimleri), centred; a status outside 0–5 shows nothing.
ColumnDef DurumKolonu(const QString &caption = QStringLiteral("Durum"));

} // namespace zelvora::grid
