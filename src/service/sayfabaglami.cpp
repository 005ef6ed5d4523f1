#include "service/sayfabaglami.h"

namespace zelvora {

namespace {

int sekmeSirasi(const QTabWidget *sayfalar, const QWidget *icerik)
{
    if (!sayfalar || !icerik)
        return -1;
    for (int i = 0; i < sayfalar->count(); ++i) {
        const QWidget *sayfa = sayfalar->widget(i);
        if (sayfa == icerik || sayfa->isAncestorOf(icerik))
            return i;
    }
    return -1;
}

} // namespace

void SayfaBaglami::sekmeBasligiYaz(const QWidget *icerik, const QString &baslik) const
{
    const int sira = sekmeSirasi(sayfalar, icerik);
    if (sira >= 0)
        sayfalar->setTabText(sira, baslik);
}

void SayfaBaglami::sekmeyiOneGetir(const QWidget *icerik) const
{
    const int sira = sekmeSirasi(sayfalar, icerik);
    if (sira >= 0)
        sayfalar->setCurrentIndex(sira);
}

} // namespace zelvora
