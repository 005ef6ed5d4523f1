#pragma once

#include <QWidget>

#include <memory>

class QLineEdit;
class QAbstractButton;

namespace zelvora {

struct SayfaBaglami;
class MesgulGostergesi;

// The "Stok Listesi" page: the search that fills the table `stok`, its grid,
// the layout by window width and the popup menu. The search box, its buttons
// and busy indicator live in the main window's search bar and are handed in.
class TStokListesi final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TStokListesi)

public:
    explicit TStokListesi(SayfaBaglami &baglam, QWidget *parent = nullptr);
    ~TStokListesi() override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace zelvora
