#pragma once

#include <QDialog>

#include <memory>

namespace zelvora {

class Table;
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

// The stock line dialog: the one window through which a basket line is added
// or changed.
class Tstokayarinti final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tstokayarinti)

public:
    explicit Tstokayarinti(QWidget *owner = nullptr);
    ~Tstokayarinti() override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace zelvora
