#include "service/resimler.h"

#include "service/ekranyardimcilari.h"
#include "service/renkler.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace zelvora {

namespace {

// Painted at twice the size and scaled down would blur on plain screens;
// instead everything is drawn antialiased at its own size.
QPixmap bosResim(QSize boyut)
{
    QPixmap resim(boyut);
    resim.fill(Qt::transparent);
    return resim;
}

void cizgiKalemi(QPainter &p, const QColor &renk, qreal kalinlik)
{
    QPen kalem(renk, kalinlik);
    kalem.setCapStyle(Qt::RoundCap);
    kalem.setJoinStyle(Qt::RoundJoin);
    p.setPen(kalem);
    p.setBrush(Qt::NoBrush);
}

// ---------------------------------------------------------------- statuses

QPixmap durumDairesi(const QColor &renk, const std::function<void(QPainter &)> &isaret)
{
    QPixmap resim = bosResim(QSize(DurumResimBoyutu, DurumResimBoyutu));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient dolgu(0, 2, 0, 22);
    dolgu.setColorAt(0, renk.lighter(118));
    dolgu.setColorAt(1, renk.darker(108));
    p.setPen(QPen(renk.darker(125), 1));
    p.setBrush(dolgu);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    isaret(p);
    return resim;
}

QPixmap varResmi()
{
    return durumDairesi(QColor(46, 160, 67), [](QPainter &p) {
        cizgiKalemi(p, Qt::white, 2.4);
        p.drawPolyline(QPolygonF({QPointF(7.5, 12.5), QPointF(10.5, 15.5), QPointF(16.5, 8.5)}));
    });
}

QPixmap yokResmi()
{
    return durumDairesi(QColor(214, 48, 49), [](QPainter &p) {
        cizgiKalemi(p, Qt::white, 2.4);
        p.drawLine(QPointF(8.5, 8.5), QPointF(15.5, 15.5));
        p.drawLine(QPointF(15.5, 8.5), QPointF(8.5, 15.5));
    });
}

QPixmap yoldaResmi()
{
    // A lorry seen from the side.
    return durumDairesi(QColor(41, 128, 205), [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 8.5, 7.5, 5.5));
        QPainterPath kabin;
        kabin.moveTo(14, 10);
        kabin.lineTo(16.3, 10);
        kabin.lineTo(18.3, 12.3);
        kabin.lineTo(18.3, 14);
        kabin.lineTo(14, 14);
        kabin.closeSubpath();
        p.drawPath(kabin);
        p.drawEllipse(QPointF(8.6, 15.6), 1.6, 1.6);
        p.drawEllipse(QPointF(15.8, 15.6), 1.6, 1.6);
    });
}

QPixmap ozelSiparisResmi()
{
    // A star: made for this order only.
    return durumDairesi(QColor(142, 68, 173), [](QPainter &p) {
        QPolygonF yildiz;
        for (int i = 0; i < 10; ++i) {
            const double aci = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            const double r = (i % 2 == 0) ? 6.6 : 2.8;
            yildiz << QPointF(12 + r * std::cos(aci), 12.4 + r * std::sin(aci));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPolygon(yildiz);
    });
}

QPixmap tedarikResmi()
{
    // An hourglass: on its way from the supplier.
    return durumDairesi(QColor(230, 145, 20), [](QPainter &p) {
        cizgiKalemi(p, Qt::white, 1.6);
        p.drawLine(QPointF(8.5, 7), QPointF(15.5, 7));
        p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
        p.setBrush(Qt::white);
        QPainterPath kum;
        kum.moveTo(9.5, 7.5);
        kum.lineTo(14.5, 7.5);
        kum.lineTo(12, 12);
        kum.lineTo(14.5, 16.5);
        kum.lineTo(9.5, 16.5);
        kum.lineTo(12, 12);
        kum.closeSubpath();
        p.drawPath(kum);
    });
}

QPixmap telefonResmi()
{
    // A telephone handset.
    return durumDairesi(QColor(22, 160, 160), [](QPainter &p) {
        QPainterPath ahize;
        ahize.moveTo(8.2, 6.6);
        ahize.cubicTo(6.2, 8.0, 6.6, 11.5, 9.6, 14.5);
        ahize.cubicTo(12.6, 17.5, 16.0, 17.9, 17.4, 15.8);
        ahize.lineTo(15.0, 13.4);
        ahize.lineTo(13.3, 14.6);
        ahize.cubicTo(12.0, 13.9, 10.2, 12.1, 9.5, 10.8);
        ahize.lineTo(10.6, 9.1);
        ahize.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(ahize);
    });
}

// ---------------------------------------------------------------- page icons

const QColor sekmeCizgisi(255, 255, 255);
const QColor sekmeDolgusu(120, 196, 240);

QPixmap sekmeResmiCiz(int numara)
{
    QPixmap resim = bosResim(QSize(32, 32));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    switch (numara) {
    case 0: { // stock list: rows of a list with a magnifier
        cizgiKalemi(p, sekmeCizgisi, 2.2);
        for (int i = 0; i < 3; ++i) {
            p.drawPoint(QPointF(5, 8 + i * 6));
            p.drawLine(QPointF(9, 8 + i * 6), QPointF(i == 2 ? 15 : 22, 8 + i * 6));
        }
        cizgiKalemi(p, sekmeDolgusu, 2.6);
        p.drawEllipse(QPointF(21, 21), 5, 5);
        p.drawLine(QPointF(24.6, 24.6), QPointF(28.5, 28.5));
        break;
    }
    case 8: { // basket: a shopping cart
        cizgiKalemi(p, sekmeCizgisi, 2.2);
        QPainterPath araba;
        araba.moveTo(3, 6);
        araba.lineTo(7, 6);
        araba.lineTo(10.5, 20);
        araba.lineTo(25, 20);
        araba.lineTo(28, 10);
        araba.lineTo(8.3, 10);
        p.drawPath(araba);
        p.setBrush(sekmeDolgusu);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(12, 25.5), 2.4, 2.4);
        p.drawEllipse(QPointF(23, 25.5), 2.4, 2.4);
        break;
    }
    case 3: { // previous orders: a clipboard with ticked lines
        cizgiKalemi(p, sekmeCizgisi, 2);
        p.drawRoundedRect(QRectF(6, 5, 20, 24), 2.5, 2.5);
        p.setBrush(sekmeDolgusu);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(11, 3, 10, 5), 1.5, 1.5);
        cizgiKalemi(p, sekmeCizgisi, 1.8);
        for (int i = 0; i < 3; ++i) {
            const qreal y = 13 + i * 5.5;
            p.drawPolyline(QPolygonF({QPointF(9.5, y), QPointF(11, y + 1.5), QPointF(13.5, y - 1.2)}));
            p.drawLine(QPointF(16, y), QPointF(22.5, y));
        }
        break;
    }
    case 1: { // account statement: a ledger page with a total
        cizgiKalemi(p, sekmeCizgisi, 2);
        QPainterPath sayfa;
        sayfa.moveTo(7, 3.5);
        sayfa.lineTo(20, 3.5);
        sayfa.lineTo(26, 9.5);
        sayfa.lineTo(26, 28.5);
        sayfa.lineTo(7, 28.5);
        sayfa.closeSubpath();
        p.drawPath(sayfa);
        p.drawPolyline(QPolygonF({QPointF(20, 3.5), QPointF(20, 9.5), QPointF(26, 9.5)}));
        cizgiKalemi(p, sekmeCizgisi, 1.6);
        p.drawLine(QPointF(10.5, 13), QPointF(22.5, 13));
        p.drawLine(QPointF(10.5, 17.5), QPointF(22.5, 17.5));
        cizgiKalemi(p, sekmeDolgusu, 2.2);
        p.drawLine(QPointF(10.5, 23.5), QPointF(22.5, 23.5));
        break;
    }
    case 10: { // new items: a star
        QPolygonF yildiz;
        for (int i = 0; i < 10; ++i) {
            const double aci = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
            const double r = (i % 2 == 0) ? 13 : 5.6;
            yildiz << QPointF(16 + r * std::cos(aci), 17 + r * std::sin(aci));
        }
        p.setPen(QPen(sekmeCizgisi, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(sekmeDolgusu);
        p.drawPolygon(yildiz);
        break;
    }
    case 6: { // campaign items: a price tag with a percent sign
        QPainterPath etiket;
        etiket.moveTo(4, 15);
        etiket.lineTo(15, 4);
        etiket.lineTo(27, 4);
        etiket.lineTo(27, 16);
        etiket.lineTo(16, 27);
        etiket.closeSubpath();
        cizgiKalemi(p, sekmeCizgisi, 2);
        p.drawPath(etiket);
        p.setBrush(sekmeDolgusu);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(22, 9), 2, 2);
        cizgiKalemi(p, sekmeDolgusu, 1.8);
        p.drawLine(QPointF(11.5, 20.5), QPointF(19.5, 12.5));
        p.drawEllipse(QPointF(12.5, 13.5), 1.6, 1.6);
        p.drawEllipse(QPointF(18.5, 19.5), 1.6, 1.6);
        break;
    }
    case 5: { // announcements: a megaphone
        QPainterPath boru;
        boru.moveTo(5, 12);
        boru.lineTo(11, 12);
        boru.lineTo(23, 5);
        boru.lineTo(23, 25);
        boru.lineTo(11, 18);
        boru.lineTo(5, 18);
        boru.closeSubpath();
        cizgiKalemi(p, sekmeCizgisi, 2);
        p.setBrush(sekmeDolgusu);
        p.drawPath(boru);
        cizgiKalemi(p, sekmeCizgisi, 2);
        p.drawLine(QPointF(9, 18.5), QPointF(11, 26));
        p.drawArc(QRectF(23, 10, 6, 10), -70 * 16, 140 * 16);
        break;
    }
    case 7: { // order balances: a pile of coins
        cizgiKalemi(p, sekmeCizgisi, 1.8);
        for (int i = 0; i < 4; ++i) {
            const QRectF para(6, 22 - i * 5, 20, 7);
            p.setBrush(i == 3 ? sekmeDolgusu : QColor(61, 65, 74));
            p.drawEllipse(para);
        }
        break;
    }
    case 12: { // virtual POS: a card
        cizgiKalemi(p, sekmeCizgisi, 2);
        p.drawRoundedRect(QRectF(3, 7, 26, 18), 3, 3);
        p.fillRect(QRectF(4, 11, 24, 4), sekmeDolgusu);
        cizgiKalemi(p, sekmeCizgisi, 2);
        p.drawLine(QPointF(7, 20.5), QPointF(14, 20.5));
        p.drawLine(QPointF(17, 20.5), QPointF(19, 20.5));
        break;
    }
    default:
        break;
    }
    return resim;
}

} // namespace

QPixmap FirmaLogosu()
{
    QPixmap resim = bosResim(QSize(218, 100));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // The mark: a gear-toothed rim around a "Z".
    const QPointF merkez(44, 50);
    QPainterPath disli;
    const int dis = 12;
    for (int i = 0; i < dis * 2; ++i) {
        const double aci = i * std::numbers::pi / dis;
        const double r = (i % 2 == 0) ? 33 : 29;
        const QPointF nokta(merkez.x() + r * std::cos(aci), merkez.y() + r * std::sin(aci));
        if (i == 0)
            disli.moveTo(nokta);
        else
            disli.lineTo(nokta);
    }
    disli.closeSubpath();
    // The firm's red, as on the login window.
    const QColor kirmizi(226, 10, 23);
    QLinearGradient dolgu(0, 17, 0, 83);
    dolgu.setColorAt(0, kirmizi.lighter(115));
    dolgu.setColorAt(1, kirmizi.darker(120));
    p.setPen(Qt::NoPen);
    p.setBrush(dolgu);
    p.drawPath(disli);
    p.setBrush(Qt::white);
    p.drawEllipse(merkez, 22, 22);
    QPainterPath zet;
    zet.moveTo(33, 38);
    zet.lineTo(56, 38);
    zet.lineTo(56, 43);
    zet.lineTo(41, 57);
    zet.lineTo(56, 57);
    zet.lineTo(56, 62);
    zet.lineTo(32, 62);
    zet.lineTo(32, 57);
    zet.lineTo(47, 43);
    zet.lineTo(33, 43);
    zet.closeSubpath();
    p.setBrush(kirmizi);
    p.drawPath(zet);

    QFont ad = arial(28, true);
    p.setFont(ad);
    p.setPen(zircon::sekme);
    p.drawText(QRectF(84, 22, 132, 34), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZELVORA"));
    p.fillRect(QRectF(86, 58, 124, 2), kirmizi);
    QFont alt = arial(10, true);
    alt.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
    p.setFont(alt);
    p.setPen(zircon::aciklama);
    p.drawText(QRectF(86, 62, 130, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("B2B YEDEK PARÇA"));
    return resim;
}

QIcon SekmeResmi(int numara)
{
    static constexpr int cizilenler[] = {0, 1, 3, 5, 6, 7, 8, 10, 12};
    if (std::find(std::begin(cizilenler), std::end(cizilenler), numara) == std::end(cizilenler))
        return QIcon();
    return QIcon(sekmeResmiCiz(numara));
}

QList<QPixmap> DurumResimleri()
{
    QList<QPixmap> resimler;
    for (int i = 0; i < 10; ++i)
        resimler << bosResim(QSize(DurumResimBoyutu, DurumResimBoyutu));
    resimler[0] = varResmi();
    resimler[1] = ozelSiparisResmi();
    resimler[2] = yoldaResmi();
    resimler[4] = yokResmi();
    resimler[5] = tedarikResmi();
    resimler[8] = telefonResmi();
    return resimler;
}

int DurumResimNumarasi(int durum)
{
    switch (durum) {
    case 1:
        return 0;
    case 2:
        return 8;
    case 3:
        return 2;
    case 4:
        return 1;
    case 5:
        return 5;
    case 0:
        return 4;
    default:
        return -1;
    }
}

QPixmap MenuResmi()
{
    QPixmap resim = bosResim(QSize(48, 48));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(zircon::sekme);
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i)
        p.drawRoundedRect(QRectF(12, 14 + i * 8.5, 24, 3.6), 1.8, 1.8);
    return resim;
}

QPixmap AramaResmi(int boyut)
{
    QPixmap resim = bosResim(QSize(boyut, boyut));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal o = boyut / 22.0;
    cizgiKalemi(p, zircon::sekme, 2.4 * o);
    p.drawEllipse(QPointF(9 * o, 9 * o), 6 * o, 6 * o);
    p.drawLine(QPointF(13.5 * o, 13.5 * o), QPointF(19.5 * o, 19.5 * o));
    return resim;
}

QIcon AraResmi()
{
    QPixmap resim = bosResim(QSize(24, 24));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    cizgiKalemi(p, zircon::vurgu, 2.6);
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    return QIcon(resim);
}

QIcon TemizleResmi()
{
    QPixmap resim = bosResim(QSize(24, 24));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 48, 49));
    p.drawEllipse(QRectF(2, 2, 20, 20));
    cizgiKalemi(p, Qt::white, 2.4);
    p.drawLine(QPointF(8, 8), QPointF(16, 16));
    p.drawLine(QPointF(16, 8), QPointF(8, 16));
    return QIcon(resim);
}

QIcon GonderResmi()
{
    // A paper plane.
    QPixmap resim = bosResim(QSize(24, 24));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 110, 60), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(46, 160, 67));
    p.drawPolygon(QPolygonF({QPointF(2, 11), QPointF(22, 3), QPointF(16, 21), QPointF(11, 14)}));
    p.setBrush(QColor(30, 110, 60));
    p.drawPolygon(QPolygonF({QPointF(11, 14), QPointF(22, 3), QPointF(10, 20)}));
    return QIcon(resim);
}

QIcon ExcelResmi()
{
    // A green sheet with a white cross, as spreadsheet files are shown.
    QPixmap resim = bosResim(QSize(24, 24));
    QPainter p(&resim);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(33, 115, 70));
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2.5, 2.5);
    cizgiKalemi(p, Qt::white, 2.4);
    p.drawLine(QPointF(8, 8), QPointF(16, 16));
    p.drawLine(QPointF(16, 8), QPointF(8, 16));
    return QIcon(resim);
}

QList<QPixmap> MesgulKareleri(QSize boyut)
{
    // Eight dots round a circle; the bright one walks on by one per frame.
    constexpr int noktalar = 8;
    const qreal yaricap = qMin(boyut.width(), boyut.height()) / 2.0 - 3.5;
    const QPointF merkez(boyut.width() / 2.0, boyut.height() / 2.0);
    QList<QPixmap> kareler;
    for (int kare = 0; kare < noktalar; ++kare) {
        QPixmap resim = bosResim(boyut);
        QPainter p(&resim);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < noktalar; ++i) {
            const int yas = (kare - i + noktalar) % noktalar; // 0: the brightest
            QColor renk = zircon::vurgu;
            renk.setAlphaF(float(1.0 - yas * 0.11));
            p.setBrush(renk);
            const double aci = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / noktalar;
            const qreal r = yas == 0 ? 2.9 : 2.4;
            p.drawEllipse(QPointF(merkez.x() + yaricap * std::cos(aci), merkez.y() + yaricap * std::sin(aci)),
                          r, r);
        }
        kareler << resim;
    }
    return kareler;
}

} // namespace zelvora
