#include "catalogue/stoklistesi.h"

namespace zelvora {

struct TStokListesi::Private
{};

TStokListesi::TStokListesi(SayfaBaglami &, QWidget *parent) : QWidget(parent), d(std::make_unique<Private>())
{}

TStokListesi::~TStokListesi() = default;

} // namespace zelvora
