#include "server/media/parts.h"

#include "server/media/painting.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <numbers>

namespace zelvora::server::media {

namespace {

// ---- text matching -------------------------------------------------------------------------------------

// Dealers type "AMORTİSÖR", "amortisor" and "Amortisör" alike.
QString folded(const QString &text)
{
    QString s = QLocale(QLocale::Turkish, QLocale::Turkey).toLower(text);
    static const std::array<std::pair<char16_t, char16_t>, 6> letters{
        {{u'ı', u'i'}, {u'ş', u's'}, {u'ğ', u'g'}, {u'ü', u'u'}, {u'ö', u'o'}, {u'ç', u'c'}}};
    for (const auto &[from, to] : letters) {
        s.replace(QChar(from), QChar(to));
    }
    s.replace(QChar(u'\u0307'), QString()); // combining dot left over from "İ"
    return s;
}

// ---- shading helpers -----------------------------------------------------------------------------------

constexpr double pi = std::numbers::pi;

QBrush machined(QPointF centre, const QColor &base, double turn = 30.0)
{
    // Turned steel catches the light in alternating sectors.
    QConicalGradient g(centre, turn);
    for (int i = 0; i <= 8; ++i) {
        g.setColorAt(i / 8.0, i % 2 ? base.darker(132) : base.lighter(138));
    }
    return g;
}

QBrush cylinder(double left, double right, const QColor &base)
{
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0.0, base.darker(190));
    g.setColorAt(0.28, base.lighter(150));
    g.setColorAt(0.42, base.lighter(118));
    g.setColorAt(0.78, base.darker(125));
    g.setColorAt(1.0, base.darker(200));
    return g;
}

QBrush sphere(QPointF centre, double radius, const QColor &base)
{
    QRadialGradient g(centre, radius, centre + QPointF(-radius * 0.35, -radius * 0.4));
    g.setColorAt(0.0, QColor(255, 255, 255));
    g.setColorAt(0.35, base.lighter(120));
    g.setColorAt(1.0, base.darker(220));
    return g;
}

QPainterPath ring(QPointF centre, double outer, double inner)
{
    QPainterPath p;
    p.setFillRule(Qt::OddEvenFill);
    p.addEllipse(centre, outer, outer);
    if (inner > 0) {
        p.addEllipse(centre, inner, inner);
    }
    return p;
}

QPointF polar(QPointF centre, double radius, double degrees)
{
    const double a = degrees * pi / 180.0;
    return centre + QPointF(radius * std::cos(a), radius * std::sin(a));
}

void drawHole(QPainter &p, QPointF centre, double radius)
{
    QRadialGradient g(centre, radius, centre + QPointF(radius * 0.3, radius * 0.35));
    g.setColorAt(0.0, QColor(20, 20, 22));
    g.setColorAt(0.8, QColor(45, 46, 50));
    g.setColorAt(1.0, QColor(120, 122, 128));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

const QColor steel(176, 180, 186);
const QColor darkSteel(92, 95, 101);
const QColor rubber(38, 38, 41);

// Each part is drawn around the origin with r as its half size, in an already turned painter.

void brakeDisc(QPainter &p, double r, quint32 variant)
{
    const QPointF o(0, 0);
    p.setPen(QPen(steel.darker(170), r * 0.012));
    p.setBrush(machined(o, steel));
    p.drawPath(ring(o, r, r * 0.55));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 90), r * 0.025));
    p.drawEllipse(o, r * 0.965, r * 0.965);
    p.setPen(QPen(steel.darker(150), r * 0.02));
    p.drawEllipse(o, r * 0.57, r * 0.57);

    if (variant % 3 != 0) { // drilled sport discs for some items, plain ones for others
        for (int i = 0; i < 24; ++i) {
            const double radius = i % 2 ? r * 0.7 : r * 0.84;
            drawHole(p, polar(o, radius, i * 15.0 + 4.0), r * 0.032);
        }
    } else {
        p.setPen(QPen(steel.darker(160), r * 0.012));
        for (int i = 0; i < 6; ++i) {
            const double a = i * 60.0;
            p.drawLine(polar(o, r * 0.64, a), polar(o, r * 0.9, a + 24.0));
        }
    }

    // Coated hat.
    QRadialGradient hat(o, r * 0.55, QPointF(-r * 0.15, -r * 0.2));
    hat.setColorAt(0.0, QColor(120, 123, 130));
    hat.setColorAt(1.0, QColor(58, 60, 66));
    p.setPen(QPen(QColor(40, 41, 45), r * 0.01));
    p.setBrush(hat);
    p.drawEllipse(o, r * 0.52, r * 0.52);
    p.setBrush(machined(o, QColor(150, 153, 160), 60));
    p.drawEllipse(o, r * 0.4, r * 0.4);
    const int bolts = variant % 2 ? 5 : 4;
    for (int i = 0; i < bolts; ++i) {
        drawHole(p, polar(o, r * 0.28, -90.0 + i * 360.0 / bolts), r * 0.05);
    }
    drawHole(p, o, r * 0.15);
}

void bearing(QPainter &p, double r, quint32 variant)
{
    const QPointF o(0, 0);
    p.setPen(QPen(steel.darker(170), r * 0.012));
    p.setBrush(machined(o, steel, 15));
    p.drawPath(ring(o, r * 0.98, r * 0.78));
    p.drawPath(ring(o, r * 0.5, r * 0.32));

    // The gap between the races, in shadow.
    p.setBrush(QColor(48, 49, 53));
    p.drawPath(ring(o, r * 0.78, r * 0.5));
    if (variant % 2) {
        // Sealed (2RS) bearing: a rubber shield hides the balls.
        QRadialGradient seal(o, r * 0.78);
        seal.setColorAt(0.6, QColor(150, 30, 30));
        seal.setColorAt(1.0, QColor(90, 18, 18));
        p.setBrush(seal);
        p.drawPath(ring(o, r * 0.76, r * 0.52));
        p.setPen(QPen(QColor(255, 255, 255, 60), r * 0.01));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(o, r * 0.64, r * 0.64);
    } else {
        const double ball = r * 0.11;
        for (int i = 0; i < 12; ++i) {
            const QPointF c = polar(o, r * 0.64, i * 30.0);
            p.setPen(Qt::NoPen);
            p.setBrush(sphere(c, ball, steel));
            p.drawEllipse(c, ball, ball);
        }
        p.setPen(QPen(QColor(180, 140, 70), r * 0.025)); // brass cage
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(o, r * 0.64, r * 0.64);
    }
    p.setPen(QPen(QColor(255, 255, 255, 110), r * 0.015));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-r * 0.93, -r * 0.93, r * 1.86, r * 1.86), 100 * 16, 70 * 16);
}

void oilFilter(QPainter &p, double r, const QColor &accent, const QString &brand)
{
    const double w = r * 1.05, top = -r * 0.62, bottom = r * 0.88, e = w * 0.28;
    QPainterPath body;
    body.moveTo(-w / 2, top);
    body.lineTo(-w / 2, bottom);
    body.arcTo(QRectF(-w / 2, bottom - e / 2, w, e), 180, 180);
    body.lineTo(w / 2, top);
    body.closeSubpath();
    p.setPen(QPen(accent.darker(200), r * 0.01));
    p.setBrush(cylinder(-w / 2, w / 2, accent));
    p.drawPath(body);

    // Grip flutes at the closed end.
    p.setPen(QPen(accent.darker(170), r * 0.018));
    for (int i = 1; i < 12; ++i) {
        const double x = -w / 2 + w * (0.5 - 0.5 * std::cos(i * pi / 12));
        p.drawLine(QPointF(x, bottom - r * 0.2), QPointF(x, bottom + e * 0.45 * std::sin(i * pi / 12)));
    }

    // Printed band.
    const QRectF band(-w / 2, -r * 0.12, w, r * 0.42);
    QLinearGradient paper(band.left(), 0, band.right(), 0);
    paper.setColorAt(0.0, QColor(170, 170, 170));
    paper.setColorAt(0.3, QColor(252, 252, 252));
    paper.setColorAt(1.0, QColor(150, 150, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRect(band);
    p.setPen(accent.darker(140));
    drawFittedText(p, band.adjusted(w * 0.1, 0, -w * 0.1, 0), Qt::AlignCenter, turkishUpper(brand),
                   sansFont(r * 0.16, QFont::Bold), 6);

    // Mounting plate, seen from above: gasket, inlet holes and the threaded outlet.
    const QRectF plate(-w / 2, top - e / 2, w, e);
    p.setPen(QPen(QColor(30, 30, 32), r * 0.01));
    p.setBrush(QColor(35, 35, 38));
    p.drawEllipse(plate);
    p.setBrush(machined(QPointF(0, top), steel));
    p.drawEllipse(plate.adjusted(w * 0.07, e * 0.12, -w * 0.07, -e * 0.12));
    for (int i = 0; i < 6; ++i) {
        const double a = i * pi / 3 + 0.3;
        const QPointF c(std::cos(a) * w * 0.28, top + std::sin(a) * e * 0.28);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 44));
        p.drawEllipse(c, w * 0.045, e * 0.08);
    }
    p.setBrush(QColor(30, 30, 33));
    p.drawEllipse(QPointF(0, top), w * 0.13, e * 0.17);
    p.setPen(QPen(QColor(140, 140, 146), r * 0.008));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, top), w * 0.1, e * 0.12);
}

void airFilter(QPainter &p, double r, const QColor &accent)
{
    // A panel filter lying on the floor, seen from the front and above.
    const QPolygonF topFace{QPointF(-r * 0.78, -r * 0.55), QPointF(r * 0.98, -r * 0.55),
                            QPointF(r * 0.78, r * 0.35), QPointF(-r * 0.98, r * 0.35)};
    const double thickness = r * 0.2;
    const QPolygonF front{topFace[3], topFace[2], topFace[2] + QPointF(0, thickness),
                          topFace[3] + QPointF(0, thickness)};
    const QPolygonF side{topFace[1], topFace[2], topFace[2] + QPointF(0, thickness),
                         topFace[1] + QPointF(0, thickness)};
    const QColor frame = accent.lightness() > 200 ? QColor(60, 60, 64) : accent;
    p.setPen(QPen(frame.darker(200), r * 0.01));
    p.setBrush(frame.darker(150));
    p.drawPolygon(front);
    p.setBrush(frame.darker(180));
    p.drawPolygon(side);
    p.setBrush(frame);
    p.drawPolygon(topFace);

    // Pleated paper inside the frame.
    const double inset = 0.07;
    auto lerp = [](QPointF a, QPointF b, double t) { return a + (b - a) * t; };
    const QPointF a = lerp(topFace[0], topFace[2], inset), c = lerp(topFace[2], topFace[0], inset);
    const QPointF b = lerp(topFace[1], topFace[3], inset), d = lerp(topFace[3], topFace[1], inset);
    const int pleats = 22;
    for (int i = 0; i < pleats; ++i) {
        const double t0 = double(i) / pleats, t1 = double(i + 1) / pleats;
        const QPolygonF stripe{lerp(a, b, t0), lerp(a, b, t1), lerp(d, c, t1), lerp(d, c, t0)};
        QLinearGradient g(stripe[0], stripe[1]);
        g.setColorAt(0.0, QColor(250, 244, 222));
        g.setColorAt(0.55, QColor(226, 216, 186));
        g.setColorAt(1.0, QColor(168, 158, 130));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPolygon(stripe);
    }
    p.setPen(QPen(frame.darker(170), r * 0.012));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF{a, b, c, d});
}

void sparkPlug(QPainter &p, double r, const QColor &accent, const QString &brand)
{
    const QColor ceramic(244, 244, 240);
    // Terminal nut.
    p.setPen(QPen(darkSteel.darker(150), r * 0.008));
    p.setBrush(cylinder(-r * 0.05, r * 0.05, steel));
    p.drawRect(QRectF(-r * 0.05, -r * 1.0, r * 0.1, r * 0.16));
    p.setBrush(cylinder(-r * 0.085, r * 0.085, steel));
    p.drawRoundedRect(QRectF(-r * 0.085, -r * 0.9, r * 0.17, r * 0.08), r * 0.02, r * 0.02);

    // Insulator with its ribs.
    p.setPen(QPen(QColor(170, 170, 165), r * 0.008));
    p.setBrush(cylinder(-r * 0.12, r * 0.12, ceramic));
    p.drawRoundedRect(QRectF(-r * 0.12, -r * 0.83, r * 0.24, r * 0.65), r * 0.05, r * 0.05);
    for (int i = 0; i < 5; ++i) {
        p.drawRoundedRect(QRectF(-r * 0.135, -r * 0.8 + i * r * 0.075, r * 0.27, r * 0.05), r * 0.025,
                          r * 0.025);
    }
    p.setBrush(cylinder(-r * 0.15, r * 0.15, ceramic));
    p.drawRect(QRectF(-r * 0.15, -r * 0.4, r * 0.3, r * 0.24));
    p.save();
    p.translate(0, -r * 0.28);
    p.setPen(accent.darker(120));
    drawFittedText(p, QRectF(-r * 0.15, -r * 0.1, r * 0.3, r * 0.2), Qt::AlignCenter, turkishUpper(brand),
                   sansFont(r * 0.07, QFont::Bold), 4);
    p.restore();

    // Hex, washer and thread.
    p.setPen(QPen(darkSteel.darker(150), r * 0.008));
    p.setBrush(cylinder(-r * 0.23, r * 0.23, steel));
    const QRectF hex(-r * 0.23, -r * 0.16, r * 0.46, r * 0.24);
    p.drawRect(hex);
    p.setPen(QPen(darkSteel, r * 0.01));
    p.drawLine(QPointF(-r * 0.08, hex.top()), QPointF(-r * 0.08, hex.bottom()));
    p.drawLine(QPointF(r * 0.08, hex.top()), QPointF(r * 0.08, hex.bottom()));
    p.setBrush(cylinder(-r * 0.2, r * 0.2, QColor(200, 190, 170)));
    p.drawRect(QRectF(-r * 0.2, r * 0.08, r * 0.4, r * 0.05));
    p.setBrush(cylinder(-r * 0.14, r * 0.14, steel.lighter(105)));
    const QRectF thread(-r * 0.14, r * 0.13, r * 0.28, r * 0.55);
    p.drawRect(thread);
    p.setPen(QPen(darkSteel, r * 0.012));
    for (double y = thread.top() + r * 0.04; y < thread.bottom(); y += r * 0.05) {
        p.drawLine(QPointF(thread.left(), y), QPointF(thread.right(), y - r * 0.025));
    }
    // Ground electrode bent over the centre electrode.
    p.setPen(QPen(darkSteel.darker(120), r * 0.035, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(r * 0.1, thread.bottom());
    hook.lineTo(r * 0.1, thread.bottom() + r * 0.14);
    hook.lineTo(-r * 0.02, thread.bottom() + r * 0.14);
    p.drawPath(hook);
    p.setPen(QPen(QColor(200, 150, 80), r * 0.02));
    p.drawLine(QPointF(0, thread.bottom()), QPointF(0, thread.bottom() + r * 0.09));
}

void belt(QPainter &p, double r, const QColor &accent, const QString &brand, quint32 variant)
{
    auto loop = [&](const QRectF &bounds, double width) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(rubber, width));
        p.drawEllipse(bounds);
        // Ribs run along the belt.
        for (int i = 0; i < 4; ++i) {
            const double inset = -width * 0.35 + i * width * 0.23;
            p.setPen(QPen(i % 2 ? QColor(70, 70, 76) : QColor(25, 25, 27), width * 0.08));
            p.drawEllipse(bounds.adjusted(inset, inset, -inset, -inset));
        }
        p.setPen(QPen(QColor(255, 255, 255, 45), width * 0.1));
        p.drawArc(bounds.adjusted(-width * 0.4, -width * 0.4, width * 0.4, width * 0.4), 30 * 16, 120 * 16);
    };
    loop(QRectF(-r * 0.55, -r * 0.85, r * 1.45, r * 0.95), r * 0.1);
    loop(QRectF(-r * 0.95, -r * 0.35, r * 1.6, r * 1.05), r * 0.13);

    // Printed size code on the back of the belt.
    const QString size = QStringLiteral("%1PK%2").arg(4 + variant % 4).arg(900 + (variant / 7) % 12 * 75);
    p.setPen(QColor(235, 235, 235));
    p.setFont(sansFont(r * 0.075, QFont::Bold));
    p.drawText(QRectF(-r * 0.6, -r * 0.38 - r * 0.065, r * 1.0, r * 0.13), Qt::AlignCenter,
               turkishUpper(brand) + QStringLiteral("  ") + size);
    p.setPen(QPen(accent, r * 0.012));
    p.drawLine(QPointF(-r * 0.5, -r * 0.33), QPointF(r * 0.2, -r * 0.33));
}

void shockAbsorber(QPainter &p, double r, const QColor &accent, const QString &brand)
{
    auto eye = [&](double y) {
        p.setPen(QPen(darkSteel.darker(150), r * 0.01));
        p.setBrush(machined(QPointF(0, y), steel));
        p.drawPath(ring(QPointF(0, y), r * 0.11, r * 0.05));
        p.setBrush(QColor(30, 30, 32));
        p.drawEllipse(QPointF(0, y), r * 0.05, r * 0.05);
    };
    // Chrome piston rod.
    p.setPen(QPen(darkSteel, r * 0.008));
    QLinearGradient chrome(-r * 0.04, 0, r * 0.04, 0);
    chrome.setColorAt(0.0, QColor(90, 94, 100));
    chrome.setColorAt(0.3, QColor(255, 255, 255));
    chrome.setColorAt(0.55, QColor(170, 176, 184));
    chrome.setColorAt(1.0, QColor(70, 72, 78));
    p.setBrush(chrome);
    p.drawRect(QRectF(-r * 0.04, -r * 0.88, r * 0.08, r * 0.6));
    eye(-r * 0.9);

    // Body, spring seat and label.
    const QColor paint = accent.lightness() > 210 ? QColor(40, 40, 44) : accent;
    p.setPen(QPen(paint.darker(200), r * 0.01));
    p.setBrush(cylinder(-r * 0.07, r * 0.07, QColor(40, 40, 44)));
    p.drawRoundedRect(QRectF(-r * 0.07, -r * 0.36, r * 0.14, r * 0.1), r * 0.02, r * 0.02);
    p.setBrush(cylinder(-r * 0.15, r * 0.15, paint));
    const QRectF body(-r * 0.15, -r * 0.3, r * 0.3, r * 1.08);
    p.drawRoundedRect(body, r * 0.04, r * 0.04);
    p.setBrush(cylinder(-r * 0.24, r * 0.24, paint.darker(120)));
    p.drawRoundedRect(QRectF(-r * 0.24, r * 0.12, r * 0.48, r * 0.06), r * 0.02, r * 0.02);
    p.save();
    p.translate(0, -r * 0.07);
    p.rotate(-90);
    p.setPen(QColor(250, 250, 250));
    drawFittedText(p, QRectF(-r * 0.17, -r * 0.09, r * 0.34, r * 0.18), Qt::AlignCenter, turkishUpper(brand),
                   sansFont(r * 0.1, QFont::Bold), 4);
    p.restore();
    p.setPen(QPen(paint.darker(200), r * 0.01));
    p.setBrush(cylinder(-r * 0.06, r * 0.06, paint.darker(130)));
    p.drawRect(QRectF(-r * 0.06, r * 0.77, r * 0.12, r * 0.06));
    eye(r * 0.9);
}

void lamp(QPainter &p, double r, quint32 variant)
{
    // Warm glow around the glass.
    QRadialGradient glow(QPointF(0, -r * 0.4), r * 0.75);
    glow.setColorAt(0.0, QColor(255, 236, 170, 150));
    glow.setColorAt(1.0, QColor(255, 236, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(0, -r * 0.4), r * 0.75, r * 0.75);

    // Glass envelope with the filament inside.
    const QRectF glass(-r * 0.17, -r * 0.95, r * 0.34, r * 1.0);
    QPainterPath envelope;
    envelope.addRoundedRect(glass, r * 0.17, r * 0.17);
    p.setPen(QPen(QColor(160, 170, 185, 200), r * 0.01));
    QLinearGradient g(glass.left(), 0, glass.right(), 0);
    g.setColorAt(0.0, QColor(200, 210, 225, 170));
    g.setColorAt(0.3, QColor(255, 255, 255, 220));
    g.setColorAt(0.5, QColor(235, 240, 248, 90));
    g.setColorAt(1.0, QColor(180, 190, 205, 170));
    p.setBrush(g);
    p.drawPath(envelope);
    p.setPen(QPen(QColor(120, 120, 126), r * 0.012));
    p.drawLine(QPointF(-r * 0.06, 0), QPointF(-r * 0.06, -r * 0.5));
    p.drawLine(QPointF(r * 0.06, 0), QPointF(r * 0.06, -r * 0.62));
    QPainterPath coil;
    coil.moveTo(-r * 0.06, -r * 0.5);
    for (int i = 0; i <= 8; ++i) {
        coil.lineTo((i % 2 ? -r : r) * 0.035, -r * 0.5 - i * r * 0.015);
    }
    coil.lineTo(r * 0.06, -r * 0.62);
    p.setPen(QPen(QColor(255, 170, 40), r * 0.018));
    p.setBrush(Qt::NoBrush);
    p.drawPath(coil);
    // Blue-coated tip on "white light" bulbs.
    p.setPen(Qt::NoPen);
    p.setBrush(variant % 2 ? QColor(70, 110, 200, 200) : QColor(60, 60, 66, 220));
    p.drawChord(QRectF(-r * 0.17, -r * 0.95, r * 0.34, r * 0.3), 0, 180 * 16);

    // Metal collar, flange, plastic base and pins.
    p.setPen(QPen(darkSteel.darker(140), r * 0.008));
    p.setBrush(cylinder(-r * 0.2, r * 0.2, steel));
    p.drawRect(QRectF(-r * 0.2, r * 0.02, r * 0.4, r * 0.2));
    p.setBrush(cylinder(-r * 0.42, r * 0.42, steel));
    p.drawRoundedRect(QRectF(-r * 0.42, r * 0.1, r * 0.84, r * 0.06), r * 0.02, r * 0.02);
    p.setBrush(cylinder(-r * 0.22, r * 0.22, QColor(45, 45, 48)));
    p.drawRoundedRect(QRectF(-r * 0.22, r * 0.22, r * 0.44, r * 0.34), r * 0.04, r * 0.04);
    p.setBrush(cylinder(-r * 0.04, r * 0.04, QColor(210, 190, 140)));
    p.drawRect(QRectF(-r * 0.13, r * 0.56, r * 0.07, r * 0.36));
    p.drawRect(QRectF(r * 0.06, r * 0.56, r * 0.07, r * 0.36));
}

void clutch(QPainter &p, double r)
{
    const QPointF o(0, 0);
    QRadialGradient lining(o, r);
    lining.setColorAt(0.6, QColor(150, 128, 104));
    lining.setColorAt(0.95, QColor(112, 92, 72));
    lining.setColorAt(1.0, QColor(80, 64, 50));
    p.setPen(QPen(QColor(70, 55, 42), r * 0.012));
    p.setBrush(lining);
    p.drawPath(ring(o, r, r * 0.62));
    p.setPen(QPen(QColor(95, 76, 60), r * 0.02));
    for (int i = 0; i < 8; ++i) {
        p.drawLine(polar(o, r * 0.63, i * 45.0 + 10), polar(o, r * 0.99, i * 45.0 + 25));
    }
    for (int i = 0; i < 16; ++i) {
        drawHole(p, polar(o, r * 0.8, i * 22.5), r * 0.03);
    }

    // Steel carrier plate with torsion springs.
    p.setPen(QPen(steel.darker(170), r * 0.01));
    p.setBrush(machined(o, steel, 10));
    p.drawEllipse(o, r * 0.62, r * 0.62);
    for (int i = 0; i < 6; ++i) {
        p.save();
        p.rotate(i * 60.0 + 30.0);
        const QRectF window(-r * 0.13, -r * 0.52, r * 0.26, r * 0.12);
        p.setPen(QPen(QColor(40, 40, 44), r * 0.01));
        p.setBrush(QColor(35, 35, 38));
        p.drawRoundedRect(window, r * 0.03, r * 0.03);
        p.setPen(QPen(QColor(90, 140, 190), r * 0.022));
        for (int k = 0; k < 7; ++k) {
            const double x = window.left() + r * 0.025 + k * r * 0.035;
            p.drawLine(QPointF(x, window.top() + r * 0.015),
                       QPointF(x + r * 0.02, window.bottom() - r * 0.015));
        }
        p.restore();
    }
    p.setPen(QPen(QColor(40, 40, 44), r * 0.01));
    p.setBrush(machined(o, QColor(130, 133, 140), 50));
    p.drawEllipse(o, r * 0.28, r * 0.28);
    for (int i = 0; i < 4; ++i) {
        drawHole(p, polar(o, r * 0.32, i * 90.0 + 45), r * 0.025);
    }
    // Splined bore.
    QPolygonF spline;
    for (int i = 0; i < 40; ++i) {
        spline << polar(o, i % 2 ? r * 0.12 : r * 0.15, i * 9.0);
    }
    p.setBrush(QColor(28, 28, 30));
    p.drawPolygon(spline);
}

QPainterPath padShape(double s, double span, double inner, double outer)
{
    const QPointF centre(0, 2.2 * s);
    QPainterPath path;
    path.arcMoveTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), 90 + span);
    path.arcTo(QRectF(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer), 90 + span, -2 * span);
    path.arcTo(QRectF(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner), 90 - span, 2 * span);
    path.closeSubpath();
    return path;
}

void brakePad(QPainter &p, double r, const QColor &accent, bool sensor)
{
    const double s = r * 0.62;
    const QPainterPath plate = padShape(s, 27, 1.58 * s, 2.25 * s);
    const QPainterPath lining = padShape(s, 21, 1.66 * s, 2.17 * s);
    p.setPen(QPen(QColor(30, 30, 32), r * 0.01));
    p.setBrush(QColor(40, 40, 44));
    p.drawPath(plate.translated(s * 0.04, s * 0.06)); // plate thickness
    QLinearGradient metal(0, 0, 0, 0.7 * s);
    metal.setColorAt(0.0, QColor(120, 122, 128));
    metal.setColorAt(1.0, QColor(70, 72, 78));
    p.setBrush(metal);
    p.drawPath(plate);
    p.setBrush(QColor(26, 24, 24));
    p.drawPath(lining.translated(s * 0.03, s * 0.05));
    QLinearGradient friction(-s, 0, s, 0.6 * s);
    friction.setColorAt(0.0, QColor(96, 86, 80));
    friction.setColorAt(0.5, QColor(70, 62, 58));
    friction.setColorAt(1.0, QColor(48, 42, 40));
    p.setBrush(friction);
    p.drawPath(lining.translated(-s * 0.02, -s * 0.03));
    p.setPen(QPen(QColor(30, 26, 25), r * 0.02));
    p.drawLine(QPointF(0, 0.02 * s), QPointF(0, 0.5 * s)); // wear slot
    if (sensor) {
        QPainterPath wire;
        wire.moveTo(0.7 * s, 0.25 * s);
        wire.cubicTo(1.2 * s, 0.2 * s, 1.0 * s, 0.9 * s, 1.4 * s, 0.8 * s);
        p.setPen(QPen(accent.lightness() > 200 ? QColor(40, 90, 170) : accent, r * 0.025, Qt::SolidLine,
                      Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wire);
    }
}

void wiperBlade(QPainter &p, double r, const QColor &accent)
{
    const double half = r * 1.0, t = r * 0.1; // t: height of the blade's profile
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 22));
    p.drawRect(QRectF(-half * 0.98, t * 0.75, 2 * half * 0.98, t * 0.5)); // rubber lip
    QPainterPath spoiler;
    spoiler.moveTo(-half, t * 0.8);
    spoiler.cubicTo(-half * 0.55, -t * 1.1, half * 0.55, -t * 1.1, half, t * 0.8);
    spoiler.lineTo(half, t * 0.95);
    spoiler.lineTo(-half, t * 0.95);
    spoiler.closeSubpath();
    QLinearGradient g(0, -t, 0, t);
    g.setColorAt(0.0, QColor(120, 122, 128));
    g.setColorAt(0.35, QColor(55, 55, 60));
    g.setColorAt(1.0, QColor(22, 22, 25));
    p.setPen(QPen(QColor(15, 15, 17), r * 0.006));
    p.setBrush(g);
    p.drawPath(spoiler);
    p.setPen(QPen(QColor(255, 255, 255, 70), r * 0.008));
    p.setBrush(Qt::NoBrush);
    QPainterPath ridge;
    ridge.moveTo(-half * 0.9, t * 0.45);
    ridge.cubicTo(-half * 0.5, -t * 0.75, half * 0.5, -t * 0.75, half * 0.9, t * 0.45);
    p.drawPath(ridge);
    p.setPen(QPen(QColor(15, 15, 17), r * 0.006));
    p.setBrush(QColor(32, 32, 35));
    p.drawRoundedRect(QRectF(-half - r * 0.03, t * 0.2, r * 0.07, t * 1.1), r * 0.015, r * 0.015);
    p.drawRoundedRect(QRectF(half - r * 0.04, t * 0.2, r * 0.07, t * 1.1), r * 0.015, r * 0.015);
    // Adapter clip in the middle.
    const QColor clip = accent.lightness() > 200 ? QColor(80, 80, 86) : accent;
    p.setBrush(cylinder(-r * 0.12, r * 0.12, clip));
    p.drawRoundedRect(QRectF(-r * 0.12, -t * 1.5, r * 0.24, t * 1.3), r * 0.02, r * 0.02);
    p.setBrush(QColor(25, 25, 28));
    p.drawRect(QRectF(-r * 0.07, -t * 1.25, r * 0.14, t * 0.45));
    p.setBrush(machined(QPointF(0, -t * 0.45), steel));
    p.drawEllipse(QPointF(0, -t * 0.45), r * 0.028, r * 0.028);
}

void battery(QPainter &p, double r, const QColor &accent, const QString &brand, quint32 variant)
{
    const double w = r * 1.45, h = r * 0.95, depth = r * 0.36;
    const QRectF front(-w / 2 - depth * 0.3, -h / 2 + depth * 0.5, w, h);
    const QPointF back(depth * 0.6, -depth * 0.9);
    const QPolygonF top{front.topLeft(), front.topRight(), front.topRight() + back, front.topLeft() + back};
    const QPolygonF side{front.topRight(), front.topRight() + back, front.bottomRight() + back,
                         front.bottomRight()};
    const QColor casing(44, 45, 50);
    p.setPen(QPen(QColor(20, 20, 22), r * 0.01));
    p.setBrush(casing.darker(150));
    p.drawPolygon(side);
    p.setBrush(casing.lighter(135));
    p.drawPolygon(top);

    // Terminals: positive on the right, as on most European batteries.
    auto terminal = [&](QPointF base, const QColor &cap, const QString &sign) {
        const double tw = r * 0.09;
        p.setPen(QPen(QColor(60, 60, 60), r * 0.006));
        p.setBrush(cylinder(base.x() - tw, base.x() + tw, QColor(150, 150, 150)));
        p.drawRect(QRectF(base.x() - tw, base.y() - r * 0.12, 2 * tw, r * 0.12));
        p.setBrush(QColor(170, 170, 170));
        p.drawEllipse(QPointF(base.x(), base.y() - r * 0.12), tw, tw * 0.4);
        p.setBrush(cap);
        p.drawEllipse(QPointF(base.x(), base.y()), tw * 1.5, tw * 0.6);
        p.setPen(QColor(255, 255, 255));
        p.setFont(sansFont(r * 0.09, QFont::Bold));
        p.drawText(QRectF(base.x() - tw * 1.5, base.y() - tw * 0.6, tw * 3, tw * 1.2), Qt::AlignCenter, sign);
    };
    const QPointF mid = (front.topLeft() + front.topRight() + back) / 2; // centre of the lid
    terminal(mid + QPointF(-w * 0.33, 0), QColor(30, 30, 34), QStringLiteral("−"));
    terminal(mid + QPointF(w * 0.33, 0), QColor(190, 30, 30), QStringLiteral("+"));

    QLinearGradient face(0, front.top(), 0, front.bottom());
    face.setColorAt(0.0, casing.lighter(110));
    face.setColorAt(1.0, casing.darker(120));
    p.setPen(QPen(QColor(20, 20, 22), r * 0.01));
    p.setBrush(face);
    p.drawRect(front);
    const QRectF label = front.adjusted(w * 0.06, h * 0.14, -w * 0.06, -h * 0.14);
    QLinearGradient print(label.topLeft(), label.bottomRight());
    print.setColorAt(0.0, accent.lighter(115));
    print.setColorAt(1.0, accent.darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(print);
    p.drawRoundedRect(label, r * 0.04, r * 0.04);
    p.setPen(accent.lightness() > 170 ? QColor(20, 20, 24) : QColor(255, 255, 255));
    drawFittedText(p, label.adjusted(w * 0.05, h * 0.05, -w * 0.05, -label.height() * 0.45), Qt::AlignCenter,
                   turkishUpper(brand), sansFont(r * 0.2, QFont::Bold), 6);
    const int ah = 45 + int(variant % 6) * 10;
    const QString rating = QStringLiteral("12V  %1Ah  %2A").arg(ah).arg(ah * 9 + 20);
    p.setFont(sansFont(r * 0.09, QFont::DemiBold));
    p.drawText(label.adjusted(0, label.height() * 0.55, 0, -label.height() * 0.1), Qt::AlignCenter, rating);
    // Charge indicator.
    p.setPen(QPen(QColor(20, 20, 22), r * 0.008));
    p.setBrush(sphere(mid + QPointF(0, r * 0.02), r * 0.04, QColor(40, 170, 70)));
    p.drawEllipse(mid + QPointF(0, r * 0.02), r * 0.04, r * 0.04);
}

void gear(QPainter &p, double r)
{
    const QPointF o(0, 0);
    const int teeth = 18;
    QPainterPath outline;
    for (int i = 0; i < teeth; ++i) {
        const double a = i * 360.0 / teeth, step = 360.0 / teeth;
        const QPointF points[] = {polar(o, r * 0.84, a), polar(o, r, a + step * 0.15),
                                  polar(o, r, a + step * 0.45), polar(o, r * 0.84, a + step * 0.6)};
        if (i == 0) {
            outline.moveTo(points[0]);
        } else {
            outline.lineTo(points[0]);
        }
        for (int k = 1; k < 4; ++k) {
            outline.lineTo(points[k]);
        }
    }
    outline.closeSubpath();
    for (int i = 0; i < 5; ++i) {
        outline.addEllipse(polar(o, r * 0.52, i * 72.0 - 90), r * 0.12, r * 0.12);
    }
    outline.addEllipse(o, r * 0.2, r * 0.2);
    outline.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(steel.darker(180), r * 0.012));
    p.setBrush(machined(o, steel, 20));
    p.drawPath(outline);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(steel.darker(140), r * 0.015));
    p.drawEllipse(o, r * 0.74, r * 0.74);
    p.drawEllipse(o, r * 0.3, r * 0.3);
}

} // namespace

PartKind partKindFromText(const QString &group, const QString &name)
{
    const QString text = folded(group + QLatin1Char(' ') + name);
    auto has = [&text](const char *pattern) {
        return text.contains(QRegularExpression(QString::fromLatin1(pattern)));
    };
    // Most specific first: a "debriyaj diski" is not a brake disc and a "far ampulu" is a lamp.
    if (has("debriyaj|baski balata|volant")) {
        return PartKind::Clutch;
    }
    if (has("balata|pabuc")) {
        return PartKind::BrakePad;
    }
    if (has("disk")) {
        return PartKind::BrakeDisc;
    }
    if (has("hava filtre|polen|kabin filtre")) {
        return PartKind::AirFilter;
    }
    if (has("filtre")) {
        return PartKind::OilFilter;
    }
    if (has("rulman|bilya|poyra")) {
        return PartKind::Bearing;
    }
    if (has("buji|kizdirma")) {
        return PartKind::SparkPlug;
    }
    if (has("kayis|kasnak|gergi")) {
        return PartKind::Belt;
    }
    if (has("amortisor|helezon|suspansiyon")) {
        return PartKind::ShockAbsorber;
    }
    if (has("\\bfar\\b|ampul|lamba|\\bstop\\b|aydinlatma|sinyal")) {
        return PartKind::Lamp;
    }
    if (has("silecek")) {
        return PartKind::WiperBlade;
    }
    if (has("\\baku\\b|\\bakusu\\b")) {
        return PartKind::Battery;
    }
    return PartKind::Gear;
}

void drawPart(QPainter &painter, PartKind kind, const QRectF &box, const QColor &accent, const QString &brand,
              quint32 variant)
{
    const double r = std::min(box.width(), box.height()) / 2.0;
    // A few degrees either way, the same for the same item every time.
    const double jitter = double(int(variant % 11) - 5);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(box.center());
    switch (kind) {
    case PartKind::BrakeDisc:
        painter.rotate(jitter * 3);
        brakeDisc(painter, r, variant);
        break;
    case PartKind::BrakePad:
        painter.save();
        painter.scale(1.15, 1.15);
        painter.translate(-r * 0.28, -r * 0.25);
        painter.rotate(-8 + jitter);
        brakePad(painter, r, accent, false);
        painter.restore();
        painter.scale(1.15, 1.15);
        painter.translate(r * 0.22, r * 0.18);
        painter.rotate(6 - jitter);
        brakePad(painter, r, accent, true);
        break;
    case PartKind::OilFilter:
        painter.rotate(jitter * 0.5);
        oilFilter(painter, r, accent, brand);
        break;
    case PartKind::AirFilter:
        painter.translate(0, r * 0.15);
        airFilter(painter, r, accent);
        break;
    case PartKind::Bearing:
        painter.rotate(jitter * 3);
        bearing(painter, r, variant);
        break;
    case PartKind::SparkPlug:
        painter.rotate(-32 + jitter);
        painter.scale(1.12, 1.12); // long and thin: use the height of the box
        sparkPlug(painter, r, accent, brand);
        break;
    case PartKind::Belt:
        painter.rotate(-6 + jitter);
        belt(painter, r, accent, brand, variant);
        break;
    case PartKind::ShockAbsorber:
        painter.rotate(28 + jitter);
        painter.scale(1.1, 1.1);
        shockAbsorber(painter, r, accent, brand);
        break;
    case PartKind::Lamp:
        painter.rotate(18 + jitter);
        lamp(painter, r, variant);
        break;
    case PartKind::Clutch:
        painter.rotate(jitter * 3);
        clutch(painter, r);
        break;
    case PartKind::WiperBlade:
        painter.translate(0, r * 0.3);
        painter.rotate(-14 + jitter);
        wiperBlade(painter, r, accent);
        break;
    case PartKind::Battery:
        painter.translate(0, r * 0.15); // flat parts sit on the floor, not in mid-air
        battery(painter, r, accent, brand, variant);
        break;
    case PartKind::Gear:
        painter.rotate(jitter * 2);
        gear(painter, r);
        break;
    }
    painter.restore();
}

void drawFloorShadow(QPainter &painter, const QRectF &box)
{
    const QPointF centre(box.center().x(), box.bottom() - box.height() * 0.02);
    const double rx = box.width() * 0.46, ry = box.height() * 0.07;
    QRadialGradient g(QPointF(0, 0), 1.0);
    g.setColorAt(0.0, QColor(0, 0, 0, 80));
    g.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    painter.scale(rx, ry);
    painter.setPen(Qt::NoPen);
    painter.setBrush(g);
    painter.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    painter.restore();
}

} // namespace zelvora::server::media
