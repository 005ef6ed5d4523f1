#include "service/klasorler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zelvora {

QString BelgelerKlasoru()
{
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString AyarKlasoru()
{
    // GenericConfigLocation, not AppConfigLocation: the folder name is fixed,
    // whatever organisation or application name the entry point sets.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        return QString();
    const QString folder = QDir::cleanPath(base + QStringLiteral("/zelvora"));
    if (QFileInfo(folder).isDir())
        return folder;
    if (!QDir().mkpath(folder))
        return QString();
    // It will hold the saved password, so a folder we make is the owner's alone.
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return folder;
}

} // namespace zelvora
