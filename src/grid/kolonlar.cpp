#include "grid/kolonlar.h"

#include "service/resimler.h"

namespace zelvora::grid {

ColumnDef Kolon(const QString &field, const QString &caption, bool visible, int weight)
{
    ColumnDef k;
    k.field = field;
    k.caption = caption;
    k.visible = visible;
    k.weight = weight;
    return k;
}

ColumnDef DurumKolonu(const QString &caption)
{
    ColumnDef k = Kolon(QStringLiteral("DURUM"), caption, true, 1);
    k.presentation = Presentation::Picture;
    k.alignment = Qt::AlignCenter;
    for (int durum : {1, 2, 3, 5, 4, 0})
        k.images.insert(durum, DurumResimNumarasi(durum));
    return k;
}

} // namespace zelvora::grid
