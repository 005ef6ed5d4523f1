#include "app/kayanyazi.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>
#include <QTimerEvent>
#include <QtMath>

namespace zelvora {

namespace {
constexpr int adimMs = 20;
}

KayanYazi::KayanYazi(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

KayanYazi::~KayanYazi() = default;

void KayanYazi::setAktif(bool aktif)
{
    if (m_aktif == aktif)
        return;
    m_aktif = aktif;
    zamanlayiciyiAyarla();
    update();
}

void KayanYazi::setAralik(int aralik)
{
    m_aralik = qMax(0, aralik);
    update();
}

void KayanYazi::setHiz(int pikselAdim)
{
    m_hiz = qMax(1, pikselAdim);
}

void KayanYazi::temizle()
{
    m_ogeler.clear();
    m_kayma = 0;
    zamanlayiciyiAyarla();
    update();
}

int KayanYazi::ogeEkle()
{
    m_ogeler.append(Oge{});
    zamanlayiciyiAyarla();
    return int(m_ogeler.size()) - 1;
}

void KayanYazi::setOgeMetni(int i, const QString &metin)
{
    Oge &oge = m_ogeler[i];
    oge.metin = metin;
    oge.cizim = QPixmap();
    update();
}

void KayanYazi::setOgeTuru(int i, OgeTuru tur)
{
    Oge &oge = m_ogeler[i];
    oge.tur = tur;
    oge.cizim = QPixmap();
    update();
}

void KayanYazi::setOgeResmi(int i, const QPixmap &resim)
{
    Oge &oge = m_ogeler[i];
    oge.tur = OgeTuru::Resim;
    oge.resim = resim;
    oge.cizim = QPixmap();
    update();
}

QSize KayanYazi::sizeHint() const
{
    return QSize(200, qMax(fontMetrics().height() + 4, 20));
}

const QPixmap &KayanYazi::cizim(Oge &oge)
{
    if (!oge.cizim.isNull())
        return oge.cizim;
    if (oge.tur == OgeTuru::Resim) {
        oge.cizim = oge.resim;
        return oge.cizim;
    }
    if (oge.metin.isEmpty())
        return oge.cizim;

    QTextDocument belge;
    belge.setDocumentMargin(0);
    belge.setDefaultFont(font());
    if (oge.tur == OgeTuru::Html)
        belge.setHtml(oge.metin);
    else
        belge.setPlainText(oge.metin);
    // One line however long: a marquee never wraps.
    belge.setTextWidth(-1);
    const QSizeF boyut = belge.documentLayout()->documentSize();
    const qreal dpr = devicePixelRatioF();
    QPixmap resim(QSize(qCeil(boyut.width() * dpr), qCeil(boyut.height() * dpr)));
    resim.setDevicePixelRatio(dpr);
    resim.fill(Qt::transparent);
    QPainter p(&resim);
    QAbstractTextDocumentLayout::PaintContext baglam;
    baglam.palette = palette();
    baglam.palette.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    belge.documentLayout()->draw(&p, baglam);
    p.end();
    oge.cizim = resim;
    return oge.cizim;
}

int KayanYazi::seritGenisligi()
{
    int genislik = 0;
    for (Oge &oge : m_ogeler) {
        const QPixmap &resim = cizim(oge);
        genislik += qCeil(resim.width() / resim.devicePixelRatio()) + m_aralik;
    }
    return genislik;
}

void KayanYazi::paintEvent(QPaintEvent *)
{
    if (m_ogeler.isEmpty())
        return;
    QPainter p(this);
    // The strip enters at the right edge and leaves at the left.
    int x = width() - m_kayma;
    for (Oge &oge : m_ogeler) {
        const QPixmap &resim = cizim(oge);
        const int w = qCeil(resim.width() / resim.devicePixelRatio());
        const int h = qCeil(resim.height() / resim.devicePixelRatio());
        if (x + w >= 0 && x < width())
            p.drawPixmap(x, (height() - h) / 2, resim);
        x += w + m_aralik;
    }
}

void KayanYazi::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_zamanlayici.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_kayma += m_hiz;
    if (m_kayma > width() + seritGenisligi())
        m_kayma = 0;
    update();
}

void KayanYazi::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    zamanlayiciyiAyarla();
}

void KayanYazi::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    zamanlayiciyiAyarla();
}

void KayanYazi::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange)
        cizimleriUnut();
    QWidget::changeEvent(event);
}

void KayanYazi::cizimleriUnut()
{
    for (Oge &oge : m_ogeler)
        oge.cizim = QPixmap();
    update();
}

void KayanYazi::zamanlayiciyiAyarla()
{
    // Nothing to move, or nobody to see it: no wake-ups.
    const bool calissin = m_aktif && isVisible() && !m_ogeler.isEmpty();
    if (calissin && !m_zamanlayici.isActive())
        m_zamanlayici.start(adimMs, Qt::PreciseTimer, this);
    else if (!calissin)
        m_zamanlayici.stop();
}

} // namespace zelvora
