#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QSize>

// The program's pictures, drawn in code so that they stay sharp at any
// scale and need no files beside the program.
namespace zelvora {

// The firm's logo for the header, 218 × 100.
QPixmap FirmaLogosu();

// The page icons by their number in the page control's image list, 32 × 32;
// a number without a picture gives an empty icon.
QIcon SekmeResmi(int numara);

// The availability pictures of the "Durum" columns and the legend: ten
// pictures of 24 × 24, indexed as the grids' image list is (see
// DurumResimNumarasi). Places no status uses are empty.
QList<QPixmap> DurumResimleri();
inline constexpr int DurumResimBoyutu = 24;

// The picture index for a `DURUM` value: 1 "Var" 0, 2 "Telefon Açınız" 8,
// 3 "Yolda" 2, 4 "Özel Sipariş" 1, 5 "Tedarik Sürecinde" 5, 0 "Yok" 4;
// -1 (no picture) for any other value.
int DurumResimNumarasi(int durum);

// The general menu's button, 48 × 48.
QPixmap MenuResmi();

// The search bar: the magnifier in front of the box and the two buttons.
QPixmap AramaResmi(int boyut = 22);
QIcon AraResmi();
QIcon TemizleResmi();
// The basket page's "Gönder" and "Excel Kaydet" buttons.
QIcon GonderResmi();
QIcon ExcelResmi();

// One turn of the busy indicator.
QList<QPixmap> MesgulKareleri(QSize boyut = QSize(28, 27));

} // namespace zelvora
