#include "service/seams.h"

#include "service/mesajgoster.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHostAddress>
#include <QHostInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSysInfo>
#include <QThread>
#include <QUrl>

#include <atomic>
#include <cstdlib>

namespace zelvora {

namespace {
Seams realSeams;
// Workers read it while the UI thread may have installed a test's double.
std::atomic<Seams *> installed = nullptr;

// The caption the toolkit's own boxes carry: the application title.
QString applicationTitle()
{
    return QGuiApplication::applicationDisplayName();
}
} // namespace

Seams::~Seams() = default;

QString Seams::saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                            const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, directory, filter);
}

int Seams::execMessageDialog(const MesajIstegi &request)
{
    return MesajFormuCalistir(request);
}

void Seams::showMessage(const QString &text)
{
    // No parent: the box is centred on the screen, not on whatever window is active.
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text);
    box.setTextFormat(Qt::PlainText);
    box.addButton(QStringLiteral("Tamam"), QMessageBox::AcceptRole);
    box.exec();
}

void Seams::showErrorBox(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    // Error texts come from the server and the network; never read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.addButton(QStringLiteral("Tamam"), QMessageBox::AcceptRole);
    box.exec();
}

void Seams::playSound(SystemSound sound)
{
    // Linux desktops have no per-kind system sounds; the bell is what there is.
    Q_UNUSED(sound)
    QApplication::beep();
}

void Seams::sleepMs(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(qMax(0, milliseconds)));
}

void Seams::terminate(int exitCode)
{
    std::_Exit(exitCode);
}

bool Seams::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

bool Seams::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

Dagitim Seams::dagitim() const
{
    return Dagitim{};
}

QString Seams::computerName() const
{
    // The server's column is as wide as a NetBIOS name.
    return QSysInfo::machineHostName().left(15);
}

QString Seams::userName() const
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("LOGNAME");
    return name;
}

QString Seams::localIp() const
{
    const QHostInfo host = QHostInfo::fromName(QHostInfo::localHostName());
    for (const QHostAddress &address : host.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QStringLiteral("127.0.0.1");
}

QString Seams::workstationId() const
{
    return QString();
}

Seams &Seams::current()
{
    Seams *seams = installed.load(std::memory_order_acquire);
    return seams ? *seams : realSeams;
}

void Seams::install(Seams *seams)
{
    installed.store(seams, std::memory_order_release);
}

} // namespace zelvora
