#pragma once

#include "table/table.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zelvora {

class Connection;
class RadyoGrubu;
class TSonucBilgisi;

// "Sipariş Onay": the last look at an order before it is sent. The user
// picks the delivery kind, the cargo kind and one of its firms and may write
// a note; the caller reads the choices after an OK close and sends the order
// itself.
class TONAYSIP final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TONAYSIP)

public:
    // Builds the dialog and loads the delivery and cargo kinds before it is
    // shown. `mesaj` is the account warning, `_toplam` the order amount text.
    static std::unique_ptr<TONAYSIP> Ac(QWidget *AOwner, const Connection &_c, const QString &mesaj,
                                        const TSonucBilgisi &_sbilgi, const QString &_toplam);
    ~TONAYSIP() override;

    // The order summary: user, customer and amount, colons lined up for the
    // fixed-pitch type.
    static QString OzetYazisi(const QString &kullanici, const QString &cari, const QString &tutar);

    const Connection *bagc = nullptr;
    const TSonucBilgisi *sbilgi = nullptr;
    QString toplam;
    int td = 0; // delivery kind id, set on confirm
    int kt = 0; // cargo kind id, set on confirm
    int KN = 0; // cargo firm id, set on confirm
    Table kargo;

    RadyoGrubu *teslimbox = nullptr;
    RadyoGrubu *boxkargo = nullptr;
    QComboBox *kargocombo = nullptr;
    QLabel *uyarikargo = nullptr;
    QPlainTextEdit *aciklamagir = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *evetbuton = nullptr;
    QPushButton *hayirbuton = nullptr;

    void boxkargoClick();
    void kargocomboChange();
    void evetbutonClick();

private:
    TONAYSIP(QWidget *owner, const Connection &c, const TSonucBilgisi &sbilgi);
    void arayuzuKur();
    void TurleriYukle();
    void KargolariYukle(int gn);
};

} // namespace zelvora
