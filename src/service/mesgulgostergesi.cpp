#include "service/mesgulgostergesi.h"

#include "service/resimler.h"

#include <QPainter>
#include <QTimerEvent>

namespace zelvora {

namespace {
const QSize boyut(28, 27);
constexpr int kareMs = 90;
} // namespace

MesgulGostergesi::MesgulGostergesi(QWidget *parent) : QWidget(parent), m_kareler(MesgulKareleri(boyut))
{
    setFixedSize(boyut);
    setVisible(false);
}

MesgulGostergesi::~MesgulGostergesi() = default;

QSize MesgulGostergesi::sizeHint() const
{
    return boyut;
}

void MesgulGostergesi::paintEvent(QPaintEvent *)
{
    if (m_kareler.isEmpty())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, m_kareler.at(m_kare % m_kareler.size()));
}

void MesgulGostergesi::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_zamanlayici.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_kare = (m_kare + 1) % qMax(1, int(m_kareler.size()));
    update();
}

void MesgulGostergesi::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_zamanlayici.start(kareMs, this);
}

void MesgulGostergesi::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_zamanlayici.stop();
}

} // namespace zelvora
