#include "base/mdlConst.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace mdlConst {

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

void setGameFolder(const QString &folder)
{
    folders().installed = QDir(folder).absolutePath();
    folders().writable.clear();
}

QString installedFolder()
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

QString gameFolder()
{
    Folders &f = folders();
    if (f.writable.isEmpty())
        f.writable = isWritableFolder(installedFolder()) ? installedFolder() : playerFolder();
    return f.writable;
}

QString gamePath(const QString &relative)
{
    return gameFolder() + QLatin1Char('/') + relative;
}

QString dataPath(const QString &relative)
{
    const QString own = gamePath(relative);
    if (gameFolder() == installedFolder() || QFileInfo::exists(own))
        return own;
    const QString shipped = installedFolder() + QLatin1Char('/') + relative;
    return QFileInfo::exists(shipped) ? shipped : own;
}

} // namespace mdlConst
