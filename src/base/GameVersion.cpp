#include "base/GameVersion.h"

#include <QCoreApplication>

QString versionText()
{
    return QCoreApplication::translate("GameVersion", "Versione %1.%2.%3")
        .arg(LUMIVO_VERSION_MAJOR)
        .arg(LUMIVO_VERSION_MINOR)
        .arg(LUMIVO_VERSION_PATCH);
}
