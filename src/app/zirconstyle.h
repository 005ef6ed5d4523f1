#pragma once

#include "service/renkler.h"

#include <QColor>
#include <QFont>
#include <QProxyStyle>
#include <QString>

namespace zelvora {

// A tab caption read the way the tabs draw it: "12=Sepet" is the title
// "Sepet" with the count 12; a caption without "=" is all title.
struct SekmeBasligiBilgisi
{
    QString baslik;
    int sayi = 0; // 0 also when the text before "=" is not a whole number
};

SekmeBasligiBilgisi SekmeBasligi(const QString &caption);

// The program's colours, in one place so that screens drawing their own
// pieces match the style.

// The stand-in for Tahoma and Arial: Liberation Sans has their metrics, so
// texts measured for those fonts fit.
QFont ZirconYazisi(int pixelSize, bool bold = false);

// The program's look. Built on Fusion; draws the tabs of every tab bar with
// the "count=title" captions and the red count.
class ZirconStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZirconStyle)

public:
    ZirconStyle();
    ~ZirconStyle() override;

    // A tab bar with this property (a QSize) gets tabs of exactly that size.
    static const char *const sekmeBoyutuOzelligi;

    QPalette standardPalette() const override;
    void polish(QPalette &palette) override;
    using QProxyStyle::polish;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;

private:
    void drawTabShape(const QStyleOption *option, QPainter *painter) const;
    void drawTabLabel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;
};

} // namespace zelvora
