#pragma once

#include <QPointer>
#include <QTabWidget>

namespace zelvora {

class Connection;
class Table;
class TSonucBilgisi;

// What a page of the main window gets from it: the shared connection to
// clone, the login record to copy, its table, and the user kind it adapts
// its columns to. Everything here belongs to the main window and is used on
// the UI thread only; a worker takes clones and copies made before it starts.
struct SayfaBaglami
{
    const Connection *bagc = nullptr;
    const TSonucBilgisi *sbilgi = nullptr;

    // `MusteriTipi` as the window applied it after the login. It is not
    // changed again for the run, even when a representative picks another
    // customer.
    int MusteriTipi = 0;

    Table *stok = nullptr;
    Table *sepet = nullptr;
    Table *ONCEKILER = nullptr;
    Table *EKSTRE = nullptr;
    Table *YENILER = nullptr;
    Table *kampstok = nullptr;

    // The page control, for the "count=title" captions and for moving to
    // another page.
    QPointer<QTabWidget> sayfalar;

    // The tab that holds `icerik` (a page or a widget inside one) gets the
    // caption / comes to the front. Nothing happens without a page control
    // or when no tab holds it.
    void sekmeBasligiYaz(const QWidget *icerik, const QString &baslik) const;
    void sekmeyiOneGetir(const QWidget *icerik) const;

    // The user-kind table, for the pages and dialogs that apply it to their
    // own columns.
    // 1 and 2: remaining stock (`KALAN`) and the order quantities
    // (`ALINANSIPARIS`, `VERILENSIPARIS`) shown and offered; reports.
    bool temsilci() const { return MusteriTipi == 1 || MusteriTipi == 2; }
    // 2: may also change the prices of order balances.
    bool fiyatDegistirebilir() const { return MusteriTipi == 2; }
    // 3: no status column (`DURUM`) in the basket and the order lines.
    bool durumGizli() const { return MusteriTipi == 3; }
    // 4: no campaign page, no campaign price (`KAMPFIYAT`) or flag (`K`).
    bool kampanyaGizli() const { return MusteriTipi == 4; }
};

} // namespace zelvora
