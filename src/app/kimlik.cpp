#include "app/kimlik.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QHostInfo>
#include <QSysInfo>

#include <algorithm>
#include <climits>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace zelvora {

namespace {

// A sysfs attribute: one short line. Empty when it cannot be read, which for
// identity purposes is the same as having no value.
QString dosyaSatiri(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.read(4096)).trimmed();
}

// Kinds of block device that are never the machine's own disk.
bool sanalDiskMi(const QString &name)
{
    static const char *const prefixes[] = {"loop", "ram", "zram", "dm-", "md", "sr", "fd", "nbd"};
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [&name](const char *p) { return name.startsWith(QLatin1String(p)); });
}

// What udev recorded for the device "major:minor": the serial without the
// model in front of it when it has one.
QString udevSeriNo(const QString &udevDataFolder, const QString &majorMinor)
{
    if (majorMinor.isEmpty())
        return QString();
    QFile file(udevDataFolder + QStringLiteral("/b") + majorMinor);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QString full;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1String("E:ID_SERIAL_SHORT=")))
            return line.mid(18).trimmed();
        if (line.startsWith(QLatin1String("E:ID_SERIAL=")))
            full = line.mid(12).trimmed();
    }
    return full;
}

} // namespace

QString BilgisayarAdiAl()
{
    // The Windows computer name this field was made for is the short name,
    // and the server keeps at most 15 characters of it.
    const QString host = QSysInfo::machineHostName();
    return host.section(QLatin1Char('.'), 0, 0).left(15);
}

QString KullaniciAdiAl()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return QString::fromLocal8Bit(found->pw_name);
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = qEnvironmentVariable("LOGNAME");
    return name;
}

QString IcIpAl()
{
    const QHostInfo host = QHostInfo::fromName(QHostInfo::localHostName());
    for (const QHostAddress &address : host.addresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toString();
    }
    return QStringLiteral("127.0.0.1");
}

QString DisIpAl()
{
    return QStringLiteral("127.0.0.1");
}

QString MacAdresiBicimle(const QString &address)
{
    QString hex;
    for (const QChar c : address) {
        if (c == QLatin1Char(':') || c == QLatin1Char('-') || c.isSpace())
            continue;
        const bool hexDigit = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                              (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'));
        if (!hexDigit)
            return QString();
        hex += c.toUpper();
    }
    if (hex.size() != 12)
        return QString();
    QStringList octets;
    for (int i = 0; i < 12; i += 2)
        octets << hex.mid(i, 2);
    return octets.join(QLatin1Char('-'));
}

QString MacAdresiAl(const QString &netFolder)
{
    struct Adapter
    {
        bool physical = false;
        int index = 0;
        QString address;
    };
    std::vector<Adapter> adapters;
    const QDir dir(netFolder);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System);
    for (const QString &name : names) {
        if (name == QLatin1String("lo"))
            continue;
        const QString folder = dir.filePath(name);
        const QString address = MacAdresiBicimle(dosyaSatiri(folder + QStringLiteral("/address")));
        if (address.isEmpty() || address == QLatin1String("00-00-00-00-00-00"))
            continue;
        Adapter a;
        // Bridges, veth pairs and the like get new addresses as containers come
        // and go; a card's own address is the one that stays with the machine.
        a.physical = QFileInfo::exists(folder + QStringLiteral("/device"));
        bool ok = false;
        a.index = dosyaSatiri(folder + QStringLiteral("/ifindex")).toInt(&ok);
        if (!ok)
            a.index = INT_MAX;
        a.address = address;
        adapters.push_back(a);
    }
    if (adapters.empty())
        return QString();
    const auto first =
        std::min_element(adapters.begin(), adapters.end(), [](const Adapter &l, const Adapter &r) {
            if (l.physical != r.physical)
                return l.physical;
            return l.index < r.index;
        });
    return first->address;
}

QString MacAdresiAl()
{
    return MacAdresiAl(QStringLiteral("/sys/class/net"));
}

QString DiskSeriNoAl(const QString &blockFolder, const QString &udevDataFolder)
{
    const QDir dir(blockFolder);
    QStringList disks;
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const QString folder = dir.filePath(name);
        if (sanalDiskMi(name) || !QFileInfo::exists(folder + QStringLiteral("/device")))
            continue;
        // A stick that happens to be plugged in is not the workstation.
        if (dosyaSatiri(folder + QStringLiteral("/removable")) == QLatin1String("1"))
            continue;
        disks << name;
    }
    if (disks.isEmpty())
        return QString();
    QCollator collator;
    collator.setNumericMode(true);
    std::sort(disks.begin(), disks.end(), collator);

    const QString folder = dir.filePath(disks.first());
    QString serial = dosyaSatiri(folder + QStringLiteral("/device/serial"));
    if (serial.isEmpty())
        serial = dosyaSatiri(folder + QStringLiteral("/serial"));
    if (serial.isEmpty())
        serial = udevSeriNo(udevDataFolder, dosyaSatiri(folder + QStringLiteral("/dev")));
    return serial.trimmed().toUpper();
}

QString DiskSeriNoAl()
{
    return DiskSeriNoAl(QStringLiteral("/sys/block"), QStringLiteral("/run/udev/data"));
}

QString BilgisayarIdOlustur(const QString &diskSeriNo, const std::function<QString()> &macAdresi)
{
    QString id = diskSeriNo.trimmed();
    if (id.isEmpty() && macAdresi)
        id = macAdresi().trimmed();
    id.remove(QLatin1Char(' '));
    return id;
}

QString BilgisayarIdAl()
{
    return BilgisayarIdOlustur(DiskSeriNoAl(), [] { return MacAdresiAl(); });
}

} // namespace zelvora
