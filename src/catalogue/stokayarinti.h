#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QSpinBox>

#include <array>
#include <memory>

class QLabel;
class QPushButton;

namespace zelvora {

class Table;
class TAsyncResim;
struct SayfaBaglami;

// Where a stock row comes from; the dialog's captions and prices differ.
enum class SatirKaynagi
{
    StokListesi,
    YeniStoklar,
    Kampanyali
};

// The add-or-change entry for the row at the cursor of a stock, new-item or
// campaign table: an item already in the basket opens its line for change,
// any other item opens the stock line dialog to add it. The basket table is
// reloaded when the server took the line.
void StokSatiriAc(SayfaBaglami &baglam, Table &kaynak, SatirKaynagi kaynagi, QWidget *owner);

// Prepare the dialog from the current row of `kaynak`, show it, and on OK
// send the line. The three lists share one routine; the source decides the
// captions and whether the discount panel is offered.
void StokSatiriEkle(SayfaBaglami &baglam, Table &kaynak, SatirKaynagi kaynagi, qint32 stokno, QWidget *owner);

// Change of the basket line `sirano` of `sepet` through the same dialog.
void SepetSatirDegistir(SayfaBaglami &baglam, qint32 sirano, QWidget *owner);

// Sends a new line built from the current row of `kaynak`; reloads the
// basket when the server answers 1. Returns the server's answer, 0 when
// nothing was sent.
qint32 SepeteGonder(SayfaBaglami &baglam, Table &kaynak, double miktar, double fiyat, double ind1,
                    double ind2, double ind3, double ind4);

// Sends a change of the current line of `sepet` with the discount rates the
// line already has; reloads the basket when the server answers 1.
qint32 SepetSatiriGuncelle(SayfaBaglami &baglam, qint32 sirano, double miktar, double fiyat);

// The amounts the dialog shows, each money step rounded the way the amounts
// are formatted.
struct StokTutari
{
    double indtutar = 0;      // gross − net, unrounded
    double satirNet = 0;      // line net
    double birimNet = 0;      // unit net
    double kdvdahiltutar = 0; // unit price with VAT
    double geneltutar = 0;    // line total with VAT
};

// Discounts compound in order; a rate of 0 or less is skipped.
StokTutari StokTutariHesapla(double birimfiyat, int miktar, const std::array<double, 4> &oranlar,
                             double kdvoran);
// Small rates (together 1 % or less) are not worth a row of their own.
bool IndirimSatiriGorunur(const std::array<double, 4> &oranlar);
// F4 takes the VAT out of a price typed with it.
inline double F4Fiyati(double fiyat)
{
    return fiyat / 1.2;
}

// An amount box: keeps the exact value and shows it as "#,###,##0.00".
class TutarKutusu final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TutarKutusu)

public:
    explicit TutarKutusu(QWidget *parent = nullptr);
    double value() const { return m_value; }
    void setValue(double v);

private:
    double m_value = 0;
};

// The quantity box: typed text is kept as it stands until the box loses the
// focus or is stepped, so that the amounts follow what the user types.
class AdetKutusu final : public QSpinBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdetKutusu)

public:
    explicit AdetKutusu(QWidget *parent = nullptr);
    // The quantity the amounts are computed for: the text when it is a whole
    // number, 1 otherwise.
    int okunanDeger() const;
    // Whether the text is a quantity that may be sent (a whole number in range).
    bool gecerli() const;
    // The text box inside, for reading the text as typed.
    QLineEdit *kutu() const { return lineEdit(); }

Q_SIGNALS:
    void enterBasildi();

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    int valueFromText(const QString &text) const override;
    void keyPressEvent(QKeyEvent *event) override;
};

// The stock line dialog: the one window through which a basket line is added
// or changed.
class Tstokayarinti final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tstokayarinti)

public:
    explicit Tstokayarinti(QWidget *owner = nullptr);
    ~Tstokayarinti() override;

    static std::unique_ptr<Tstokayarinti> Ac(QWidget *AOwner, qint32 _stokno);

    // Representative kinds may change the price and the discounts.
    void DuzenlemeyeAc(bool panelGoster);

    void TutarHesapla();
    // The quantity after OK, as the box text reads.
    double adetSonucu() const;
    std::array<double, 4> indirimler() const;

    qint32 stokno = 0;
    double kdvoran = 0;
    double kdvlifiyat = 0;

    QLabel *barkod = nullptr;
    QLabel *adi = nullptr;
    QLabel *finishkod = nullptr;
    QLabel *marka = nullptr;
    QLabel *model = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *AsyncResim1 = nullptr;
    QWidget *GridPanel2 = nullptr;
    TutarKutusu *edindirim1 = nullptr;
    TutarKutusu *edindirim2 = nullptr;
    TutarKutusu *edindirim3 = nullptr;
    TutarKutusu *edindirim4 = nullptr;
    AdetKutusu *adet = nullptr;
    QLabel *fiyatbaslik = nullptr;
    TutarKutusu *birimfiyat = nullptr;
    QLabel *indirimoran = nullptr;
    TutarKutusu *indtutar = nullptr;
    TutarKutusu *kdvdahiltutar = nullptr;
    TutarKutusu *geneltutar = nullptr;
    QPushButton *ParcaliTus1 = nullptr;
    QPushButton *ParcaliTus2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *e) override;

private:
    void FormShow();
    void FormActivate();
    void GeciciToplam();
    void Onayla();

    TAsyncResim *m_resim = nullptr;
    bool m_gosterildi = false;
};

} // namespace zelvora
