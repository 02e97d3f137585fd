#include "base/mdlConst.h"

#include <QCoreApplication>
#include <QDir>

namespace mdlConst {

namespace {
QString &folderSetting()
{
    static QString folder;
    return folder;
}
} // namespace

void setGameFolder(const QString &folder)
{
    folderSetting() = QDir(folder).absolutePath();
}

QString gameFolder()
{
    if (folderSetting().isEmpty())
        folderSetting() = QCoreApplication::applicationDirPath();
    return folderSetting();
}

QString gamePath(const QString &relative)
{
    return gameFolder() + QLatin1Char('/') + relative;
}

QString packPath(int category)
{
    return gamePath(DataDir + QStringLiteral("%1").arg(category, 4, 10, QLatin1Char('0')) + PackExtension);
}

} // namespace mdlConst
