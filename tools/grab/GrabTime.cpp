#include "grab/GrabTime.h"

#include <QRegularExpression>
#include <QStringList>

namespace GrabTime {

qint64 parse(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^(?:(?:(\\d{1,5}):)?(\\d{1,2}):(?=\\d\\d(?:\\.|$)))?(\\d{1,9})(?:\\.(\\d{1,6}))?$"));
    const QRegularExpressionMatch match = form.match(text.trimmed());
    if (!match.hasMatch())
        return -1;
    const qint64 hours = match.captured(1).toLongLong();
    const qint64 minutes = match.captured(2).toLongLong();
    const qint64 seconds = match.captured(3).toLongLong();
    // After a colon, minutes and seconds count to 59.
    if (!match.captured(2).isEmpty() && (minutes > 59 || seconds > 59))
        return -1;
    const qint64 fraction = match.captured(4).leftJustified(6, QLatin1Char('0')).toLongLong();
    return ((hours * 60 + minutes) * 60 + seconds) * 1000000 + fraction;
}

QString format(qint64 microseconds)
{
    const qint64 ms = microseconds / 1000;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

} // namespace GrabTime
