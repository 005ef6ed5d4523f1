#include "service/radyogrubu.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvora {

RadyoGrubu::RadyoGrubu(const QString &baslik, QWidget *parent)
    : QGroupBox(baslik, parent), m_yerlesim(new QVBoxLayout(this)), m_grup(new QButtonGroup(this))
{
    m_yerlesim->setContentsMargins(8, 4, 8, 4);
    m_yerlesim->setSpacing(2);
    m_yerlesim->addStretch(1);
    connect(m_grup, &QButtonGroup::idClicked, this, [this](int) { Q_EMIT tiklandi(); });
}

RadyoGrubu::~RadyoGrubu() = default;

void RadyoGrubu::temizle()
{
    for (QRadioButton *dugme : std::as_const(m_dugmeler)) {
        m_grup->removeButton(dugme);
        delete dugme;
    }
    m_dugmeler.clear();
    m_degerler.clear();
}

void RadyoGrubu::ekle(const QString &baslik, int deger)
{
    auto *dugme = new QRadioButton(baslik, this);
    m_grup->addButton(dugme, int(m_dugmeler.size()));
    // Before the stretch, which stays last.
    m_yerlesim->insertWidget(m_yerlesim->count() - 1, dugme);
    m_dugmeler.append(dugme);
    m_degerler.append(deger);
}

int RadyoGrubu::secili() const
{
    return m_grup->checkedId();
}

void RadyoGrubu::setSecili(int sira)
{
    if (sira < 0 || sira >= adet()) {
        // An exclusive group keeps one button checked; let go for a moment.
        if (QAbstractButton *isaretli = m_grup->checkedButton()) {
            m_grup->setExclusive(false);
            isaretli->setChecked(false);
            m_grup->setExclusive(true);
        }
        return;
    }
    m_dugmeler.at(sira)->setChecked(true);
}

int RadyoGrubu::seciliDeger(int yoksa) const
{
    const int sira = secili();
    return sira >= 0 ? m_degerler.at(sira) : yoksa;
}

} // namespace zelvora
