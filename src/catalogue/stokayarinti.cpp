#include "catalogue/stokayarinti.h"

namespace zelvora {

struct Tstokayarinti::Private
{};

Tstokayarinti::Tstokayarinti(QWidget *owner) : QDialog(owner), d(std::make_unique<Private>()) {}

Tstokayarinti::~Tstokayarinti() = default;

void StokSatiriAc(SayfaBaglami &, Table &, SatirKaynagi, QWidget *) {}

} // namespace zelvora
