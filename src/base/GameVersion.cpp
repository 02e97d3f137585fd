#include "base/GameVersion.h"

QString versionText()
{
    return QStringLiteral("Versione %1.%2.%3")
        .arg(LUMIVO_VERSION_MAJOR)
        .arg(LUMIVO_VERSION_MINOR)
        .arg(LUMIVO_VERSION_PATCH);
}
