#pragma once

namespace zelvora {

class Table;

// The totals of the marked basket lines (`SEC` = 1), as the basket page
// shows them and the order confirmation takes its amount from.
struct SepetToplamlari
{
    double toplam = 0;      // sum of TUTAR
    double indirim = 0;     // sum of INDIRIMTUTAR
    double araToplam = 0;   // toplam − indirim
    double vergi = 0;       // sum of VERGITUTARI
    double genelToplam = 0; // araToplam + vergi
};

// Every addition is rounded to the cent as it is made, as the amounts on the
// documents are, so many three-decimal amounts may add up to a cent more or
// less than their exact sum rounded once. A table that is closed or has
// none of the columns gives zeros. The cursor is left at the table's end.
SepetToplamlari SepetToplamHesapla(Table &sepet);

} // namespace zelvora
