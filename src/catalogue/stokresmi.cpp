#include "catalogue/stokresmi.h"

#include <QLabel>

namespace zelvora {

void StokResmiYukle(const Connection &, qint32, QLabel *) {}

TAsyncResim::TAsyncResim(QLabel *hedef, QObject *parent) : QObject(parent), m_hedef(hedef) {}

TAsyncResim::~TAsyncResim() = default;

void TAsyncResim::Indir(const QUrl &) {}

} // namespace zelvora
