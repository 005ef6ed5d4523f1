#pragma once

#include <QWidget>

#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace zelvora {

struct SayfaBaglami;

namespace grid {
class Grid;
}

// The "Sepet" page: the acting customer's basket as the server keeps it,
// the marks of the lines that go into the next order, their totals, the
// deletions, the export and the account's overdue warning; "Gönder" sends
// the marked lines through the order confirmation.
class TSepetSayfasi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TSepetSayfasi)

public:
    // The search box and the busy indicator live in the main window's search
    // bar and are handed in.
    TSepetSayfasi(SayfaBaglami &baglam, QLineEdit *araedit, QWidget *gifsepet, QWidget *parent = nullptr);
    ~TSepetSayfasi() override;

    // The page has been shown: reload the basket and the account warning.
    // While a load runs, showing the page again starts nothing.
    void ssepetShow();
    bool yukleniyor() const;

    void SepetToplamHesapla();
    // Stores one line's mark on the server; false when it could not.
    bool SecimGuncelle(qint32 sirano, qint32 secim);
    // Weighted widths on a screen wider than 1152 pixels, best fit otherwise.
    void KolonGenislikAyarla();
    void KolonGenislikAyarla(int ekranGenisligi);
    // Saves the marked lines as an order; true when the server saved it.
    bool SiparisGonder(qint32 kargoFirma, qint32 kargoTuru, qint32 teslim, const QString &aciklama);

    // Handlers of the page's controls.
    void cxGridDBTableView1DblClick();
    void Deitir1Click();
    void SatrSil1Click();
    void HepsiniSil1Click();
    void Button4Click(); // "Hepsini Seç"
    void Button5Click(); // "Seçimleri Kaldır"
    void Button2Click(); // "Excel Kaydet"
    void Button1Click(); // "Gönder"

    grid::Grid *cxGridDBTableView1() const;
    QMenu *popupMenu() const;

    QLabel *lbluyarbakiye = nullptr;
    QGroupBox *mesajKutusu = nullptr; // holds the totals, never shown
    QLabel *aratoplaml = nullptr;
    QLabel *indiriml = nullptr;
    QLabel *nettutarl = nullptr;
    QLabel *vergil = nullptr;
    QLabel *geneltoplaml = nullptr;
    QPushButton *Button1 = nullptr; // "Gönder"
    QPushButton *Button2 = nullptr; // "Excel Kaydet"
    QPushButton *Button4 = nullptr; // "Hepsini Seç"
    QPushButton *Button5 = nullptr; // "Seçimleri Kaldır"

Q_SIGNALS:
    // A line is to be changed through the stock line dialog; the main window
    // runs it, since that dialog belongs to the stock list.
    void satirDegistirIstendi(qint32 sirano);
    // A page load has ended and its rows (or its failure) are on screen.
    void yuklemeBitti();
    // The account warning's worker has ended.
    void uyariBitti();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void kolonlariKur();
    QWidget *secimSeridi();
    QWidget *altPanel();
    void CariBakiyeUyariBak();
    void SepetYukleBitti();
    void HepsiniIsaretle(qint32 secim);
    void basligiYaz(const QString &baslik);
    // Moves the basket table's cursor to the focused grid row's line; -1
    // when no row is focused.
    qint32 odaktakiSatir();

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace zelvora
