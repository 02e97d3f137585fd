#include "base/GameFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace GameFolder {

namespace {
struct Folders {
    QString installed;
    QString writable;
};

Folders &folders()
{
    static Folders value;
    return value;
}

// The player's own game folder, for a copy installed where they may not write.
QString playerFolder()
{
    const QString folder
        = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/lumivo");
    QDir root(folder);
    for (const QString &sub : {DataDir, TempDir, UserDir})
        root.mkpath(sub);
    return root.absolutePath();
}
} // namespace

void setInstalled(const QString &folder)
{
    folders().installed = QDir(folder).absolutePath();
    folders().writable.clear();
}

QString installed()
{
    if (folders().installed.isEmpty())
        folders().installed = QCoreApplication::applicationDirPath();
    return folders().installed;
}

bool isWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable())
        return false;
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        return info.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
#endif
    return true;
}

QString root()
{
    Folders &f = folders();
    if (f.writable.isEmpty())
        f.writable = isWritableFolder(installed()) ? installed() : playerFolder();
    return f.writable;
}

QString path(const QString &relative)
{
    return root() + QLatin1Char('/') + relative;
}

QString dataPath(const QString &relative)
{
    const QString own = path(relative);
    if (root() == installed() || QFileInfo::exists(own))
        return own;
    const QString shipped = installed() + QLatin1Char('/') + relative;
    return QFileInfo::exists(shipped) ? shipped : own;
}

} // namespace GameFolder
