#pragma once

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
namespace zircon {
inline const QColor pencere{236, 239, 243};
inline const QColor zemin{255, 255, 255};
inline const QColor yazi{42, 45, 52};
inline const QColor dugme{226, 230, 236};
inline const QColor cerceve{184, 190, 199};
inline const QColor vurgu{0, 114, 188};
inline const QColor sekme{61, 65, 74};          // a tab at rest, the same as the grid headers
inline const QColor sekmeUzerinde{82, 88, 100}; // under the mouse
inline const QColor sekmeSecili{0, 114, 188};
inline const QColor sekmeYazisi{255, 255, 255};
inline const QColor sekmeSayisi{255, 48, 48};
inline const QColor aciklama{67, 76, 88}; // the status legend
} // namespace zircon

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
