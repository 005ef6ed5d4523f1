#pragma once

#include <QString>
#include <QWidget>

#include <memory>

class QLineEdit;
class QAbstractButton;
class QMenu;

namespace zelvora {

struct SayfaBaglami;

namespace grid {
class Grid;
}

// The main window's search bar, which the stock list drives.
struct AramaCubugu
{
    QLineEdit *araedit = nullptr;
    QAbstractButton *arabuton = nullptr;     // "Ara"
    QAbstractButton *temizlebuton = nullptr; // "Temizle"
    QWidget *gifstokara = nullptr;           // busy indicator
};

// A Turkish letter typed into the search box as the plain Latin letter the
// server's codes are written with; other characters stay as they are.
QChar AramaHarfi(QChar harf);

// The text of the "Fiyat Bilgisi" cell, one line per amount, each ended by a
// line break; the campaign line only when there is a campaign price.
QString FiyatBilgisiYazisi(double listeFiyati, double kampanyaFiyati, double netFiyat, double kdvDahil);

// Below or at this main-window width the four price columns give way to
// the one "Fiyat Bilgisi" column.
inline constexpr int GenisEkranSiniri = 1152;

// The "Stok Listesi" page: the search that fills the table `stok`, its grid,
// the layout by window width and the popup menu. The search box, its buttons
// and busy indicator live in the main window's search bar and are handed in.
class TStokListesi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStokListesi)

public:
    TStokListesi(SayfaBaglami &baglam, const AramaCubugu &cubuk, QWidget *parent = nullptr);
    ~TStokListesi() override;

    // Search button: as Enter in the box, ignored while a search runs.
    void SpeedButton2Click();
    // Clear button.
    void SpeedButton1Click();
    // Columns and row heights by the main window's width.
    void StokGridDuzenle();

    grid::Grid *cxGrid1DBTableView1() const;
    QMenu *popupMenu() const;
    // The box is the page's lock: disabled while a search runs.
    bool aramaSuruyor() const;

Q_SIGNALS:
    // A search has completed and its rows (or its failure) are on screen.
    void aramaBittiChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // True when the key was taken here.
    bool araeditKeyPress(QKeyEvent *event);
    void Enter();
    void StokListesiAl();
    void StokListesiBitti(bool hata);
    void cxGrid1DBTableView1DblClick();
    void kolonlariKur();
    void basligiYaz(const QString &baslik);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace zelvora
