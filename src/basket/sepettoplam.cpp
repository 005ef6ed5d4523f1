#include "basket/sepettoplam.h"

#include "service/yuvarla.h"
#include "table/table.h"

namespace zelvora {

SepetToplamlari SepetToplamHesapla(Table &sepet)
{
    SepetToplamlari t;
    if (!sepet.active())
        return t;
    const Field sec = sepet.findField(QStringLiteral("SEC"));
    const Field tutar = sepet.findField(QStringLiteral("TUTAR"));
    const Field indirim = sepet.findField(QStringLiteral("INDIRIMTUTAR"));
    const Field vergi = sepet.findField(QStringLiteral("VERGITUTARI"));
    auto deger = [](const Field &alan) { return alan.isValid() ? alan.asFloat() : 0.0; };

    if (sec.isValid()) {
        for (sepet.first(); !sepet.eof(); sepet.next()) {
            if (sec.asInteger() != 1)
                continue;
            t.toplam = Yuvarla(t.toplam + deger(tutar));
            t.indirim = Yuvarla(t.indirim + deger(indirim));
            t.vergi = Yuvarla(t.vergi + deger(vergi));
        }
    }
    t.araToplam = Yuvarla(t.toplam - t.indirim);
    t.genelToplam = Yuvarla(t.araToplam + t.vergi);
    return t;
}

} // namespace zelvora
