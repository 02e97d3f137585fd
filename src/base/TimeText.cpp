#include "base/TimeText.h"

QString FormatTime(qint32 lngTime)
{
    const qint64 t = qMax<qint64>(0, lngTime);
    return QStringLiteral("%1:%2:%3")
        .arg(t / 3600)
        .arg((t / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(t % 60, 2, 10, QLatin1Char('0'));
}
