#include "app/zirconstyle.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionTab>
#include <QWidget>

namespace zelvora {

namespace {

// The title is read from at most this many characters after the "=".
constexpr int enUzunBaslik = 100;

bool dikeySekme(QTabBar::Shape shape)
{
    switch (shape) {
    case QTabBar::RoundedWest:
    case QTabBar::RoundedEast:
    case QTabBar::TriangularWest:
    case QTabBar::TriangularEast:
        return true;
    default:
        return false;
    }
}

QFont sayiYazisi(const QFont &base)
{
    QFont font = base;
    font.setBold(true);
    if (font.pixelSize() > 0)
        font.setPixelSize(qMax(9, font.pixelSize() - 2));
    else
        font.setPointSizeF(qMax(7.0, font.pointSizeF() - 1.5));
    return font;
}

QString sayiMetni(int sayi)
{
    return QLatin1Char('(') + QString::number(sayi) + QLatin1Char(')');
}

// The little white plate behind the red count keeps it readable on the dark tab.
QRect sayiPlakasi(const QRect &alan, const QFontMetrics &fm, int sayi)
{
    const QSize boyut(fm.horizontalAdvance(sayiMetni(sayi)) + 6, fm.height() + 1);
    return QRect(QPoint(alan.right() - boyut.width() + 1, alan.top()), boyut);
}

} // namespace

SekmeBasligiBilgisi SekmeBasligi(const QString &caption)
{
    const qsizetype esittir = caption.indexOf(QLatin1Char('='));
    if (esittir < 0)
        return {caption, 0};
    SekmeBasligiBilgisi bilgi;
    bilgi.baslik = caption.mid(esittir + 1, enUzunBaslik);
    // The balances count is a floating-point value turned into text and may
    // carry a fraction; anything that is not a whole number shows no count
    // rather than a wrong one.
    bool sayiMi = false;
    const int sayi = caption.left(esittir).trimmed().toInt(&sayiMi);
    bilgi.sayi = sayiMi ? sayi : 0;
    return bilgi;
}

QFont ZirconYazisi(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

const char *const ZirconStyle::sekmeBoyutuOzelligi = "zelvoraSekmeBoyutu";

ZirconStyle::ZirconStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
    setObjectName(QStringLiteral("Zircon"));
}

ZirconStyle::~ZirconStyle() = default;

QPalette ZirconStyle::standardPalette() const
{
    QPalette palette(zircon::dugme, zircon::pencere);
    palette.setColor(QPalette::WindowText, zircon::yazi);
    palette.setColor(QPalette::Base, zircon::zemin);
    palette.setColor(QPalette::AlternateBase, QColor(239, 239, 239));
    palette.setColor(QPalette::Text, zircon::yazi);
    palette.setColor(QPalette::ButtonText, zircon::yazi);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Highlight, zircon::vurgu);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, zircon::yazi);
    palette.setColor(QPalette::Link, zircon::vurgu);
    palette.setColor(QPalette::PlaceholderText, QColor(140, 146, 156));
    const QColor soluk(150, 155, 163);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, soluk);
    palette.setColor(QPalette::Disabled, QPalette::Text, soluk);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, soluk);
    palette.setColor(QPalette::Disabled, QPalette::Base, zircon::pencere);
    return palette;
}

void ZirconStyle::polish(QPalette &palette)
{
    palette = standardPalette();
}

void ZirconStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                              const QWidget *widget) const
{
    switch (element) {
    case CE_TabBarTabShape:
        if (qstyleoption_cast<const QStyleOptionTab *>(option)) {
            drawTabShape(option, painter);
            return;
        }
        break;
    case CE_TabBarTabLabel:
        if (qstyleoption_cast<const QStyleOptionTab *>(option)) {
            drawTabLabel(option, painter, widget);
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void ZirconStyle::drawTabShape(const QStyleOption *option, QPainter *painter) const
{
    const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option);
    const bool secili = tab->state & State_Selected;
    const bool uzerinde = (tab->state & State_MouseOver) && (tab->state & State_Enabled);
    QColor renk = secili ? zircon::sekmeSecili : uzerinde ? zircon::sekmeUzerinde : zircon::sekme;
    if (!(tab->state & State_Enabled))
        renk = renk.lighter(140);

    // A pixel of the bar shows between neighbouring tabs.
    QRectF alan = QRectF(tab->rect).adjusted(0.5, 0.5, -1.5, -0.5);
    const qreal yaricap = 3;
    QPainterPath yol;
    switch (tab->shape) {
    case QTabBar::RoundedSouth:
    case QTabBar::TriangularSouth:
        yol.addRoundedRect(alan.adjusted(0, -yaricap, 0, 0), yaricap, yaricap);
        break;
    case QTabBar::RoundedWest:
    case QTabBar::TriangularWest:
        alan = QRectF(tab->rect).adjusted(0.5, 0.5, -0.5, -1.5);
        yol.addRoundedRect(alan.adjusted(0, 0, yaricap, 0), yaricap, yaricap);
        break;
    case QTabBar::RoundedEast:
    case QTabBar::TriangularEast:
        alan = QRectF(tab->rect).adjusted(0.5, 0.5, -0.5, -1.5);
        yol.addRoundedRect(alan.adjusted(-yaricap, 0, 0, 0), yaricap, yaricap);
        break;
    default:
        yol.addRoundedRect(alan.adjusted(0, 0, 0, yaricap), yaricap, yaricap);
        break;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setClipRect(tab->rect);
    painter->setPen(Qt::NoPen);
    painter->setBrush(renk);
    painter->drawPath(yol);
    if (secili && !dikeySekme(tab->shape)) {
        // A light edge on the open tab, on the side facing its page.
        const bool alttan = tab->shape == QTabBar::RoundedSouth || tab->shape == QTabBar::TriangularSouth;
        const qreal y = alttan ? alan.bottom() - 2 : alan.top();
        painter->fillRect(QRectF(alan.left() + 2, y, alan.width() - 4, 3), QColor(120, 196, 240));
    }
    painter->restore();
}

void ZirconStyle::drawTabLabel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option);
    const SekmeBasligiBilgisi bilgi = SekmeBasligi(tab->text);
    const QRect r = tab->rect;
    QColor yaziRengi = zircon::sekmeYazisi;
    if (!(tab->state & State_Enabled))
        yaziRengi = QColor(210, 213, 218);

    painter->save();
    painter->setPen(yaziRengi);

    if (dikeySekme(tab->shape)) {
        // Side tabs read along their length and have no room for a count.
        const bool sola = tab->shape == QTabBar::RoundedWest || tab->shape == QTabBar::TriangularWest;
        painter->translate(r.center());
        painter->rotate(sola ? -90 : 90);
        const QRect dondurulmus(-r.height() / 2, -r.width() / 2, r.height(), r.width());
        painter->drawText(dondurulmus.adjusted(5, 0, -5, 0), Qt::AlignCenter | Qt::TextWordWrap,
                          bilgi.baslik);
        painter->restore();
        return;
    }

    QRect baslikAlani = r.adjusted(0, 5, 0, -5);
    if (!tab->icon.isNull()) {
        QSize boyut = tab->iconSize;
        if (!boyut.isValid())
            boyut = QSize(pixelMetric(PM_TabBarIconSize, option, widget),
                          pixelMetric(PM_TabBarIconSize, option, widget));
        const QIcon::Mode kip = (tab->state & State_Enabled) ? QIcon::Normal : QIcon::Disabled;
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : qreal(1);
        const QPixmap resim = tab->icon.pixmap(boyut, dpr, kip);
        const QRect resimAlani(r.left() + 3, r.top() + (r.height() - boyut.height()) / 2, boyut.width(),
                               boyut.height());
        painter->drawPixmap(resimAlani, resim);
        baslikAlani.setLeft(resimAlani.right() + 1);
    }
    painter->drawText(baslikAlani, Qt::AlignCenter | Qt::TextWordWrap, bilgi.baslik);

    if (bilgi.sayi > 0) {
        // The title's rectangle, 2 px in at the sides and 3 px out at top and bottom.
        const QRect sayiAlani = baslikAlani.adjusted(2, -3, -2, 3);
        const QFont yazi = sayiYazisi(painter->font());
        const QFontMetrics fm(yazi);
        const QRect plaka = sayiPlakasi(sayiAlani, fm, bilgi.sayi);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::white);
        painter->drawRoundedRect(QRectF(plaka).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        painter->setFont(yazi);
        painter->setPen(zircon::sekmeSayisi.darker(115));
        painter->drawText(plaka, Qt::AlignCenter, sayiMetni(bilgi.sayi));
    }
    painter->restore();
}

QSize ZirconStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                    const QWidget *widget) const
{
    if (type == CT_TabBarTab) {
        if (widget) {
            const QSize sabit = widget->property(sekmeBoyutuOzelligi).toSize();
            if (sabit.isValid())
                return sabit;
        }
        if (const auto *tab = qstyleoption_cast<const QStyleOptionTab *>(option)) {
            // Measured on the title, not on the whole "count=title" caption.
            const SekmeBasligiBilgisi bilgi = SekmeBasligi(tab->text);
            const QFont font = widget ? widget->font() : QApplication::font();
            const QFontMetrics fm(font);
            const QSize resim = tab->icon.isNull() ? QSize(0, 0) : tab->iconSize;
            int genislik = 14 + fm.horizontalAdvance(bilgi.baslik);
            if (resim.width() > 0)
                genislik += 3 + resim.width();
            if (bilgi.sayi > 0 && !dikeySekme(tab->shape))
                genislik += 8 + QFontMetrics(sayiYazisi(font)).horizontalAdvance(sayiMetni(bilgi.sayi));
            const int yukseklik = qMax(resim.height(), fm.height()) + 14;
            return dikeySekme(tab->shape) ? QSize(yukseklik, genislik) : QSize(genislik, yukseklik);
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int ZirconStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                           QStyleHintReturn *returnData) const
{
    // An elided caption would lose its "count=" and could not be read again.
    if (hint == SH_TabBar_ElideMode)
        return Qt::ElideNone;
    // Passwords show as "*", as they always did in this program.
    if (hint == SH_LineEdit_PasswordCharacter)
        return int(u'*');
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace zelvora
