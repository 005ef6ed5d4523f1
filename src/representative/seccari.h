#pragma once

#include <QDialog>

#include <memory>

class QShowEvent;

namespace zelvora {

class Connection;
class TSonucBilgisi;

// "Cari Seçimi": a representative picks the customer account to act for.
// The pick is written into `bilgim` (CARINO, carikod, CariAdi); the window
// closes with Accepted. "Vazgeç" ends the program.
class Tseccari final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tseccari)

public:
    explicit Tseccari(QWidget *owner = nullptr);
    ~Tseccari() override;

    Connection *bag = nullptr;       // the opener's connection (not a copy)
    TSonucBilgisi *bilgim = nullptr; // the opener's login record (not a copy)

    void SepetSayisiYaz(); // the basket button's count
    void TusSonuclari();   // the status board's counters

private:
    struct Private;
    std::unique_ptr<Private> d;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override; // FormShow

    void CarileriAra();
    void DurumaGoreListele(int durum);
    void CariSec();
    void Button2Click();
};

} // namespace zelvora
