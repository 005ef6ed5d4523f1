#include "app/form1.h"
#include "app/zirconstyle.h"
#include "service/errorhandler.h"

#include <QApplication>
#include <QScreen>

#include <exception>

namespace {

// An error that escapes an event handler is shown by the general error
// handler instead of taking the program down; the event counts as unhandled.
class ZelvoraApplication final : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (...) {
            zelvora::GenelHataGoster(std::current_exception());
            return false;
        }
    }
};

} // namespace

int main(int argc, char *argv[])
{
    ZelvoraApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zelvora B2B"));

    auto *style = new zelvora::ZirconStyle;
    QApplication::setStyle(style); // the application takes it
    QApplication::setPalette(style->standardPalette());
    QApplication::setFont(zelvora::ZirconYazisi(13));

    zelvora::TForm1 form1;
    // Where no window manager honours "maximized" (a kiosk session), the
    // window still starts at the size of the screen.
    if (const QScreen *screen = form1.screen())
        form1.resize(screen->availableSize());
    form1.showMaximized();
    return app.exec();
}
