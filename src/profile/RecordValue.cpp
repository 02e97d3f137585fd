#include "profile/RecordValue.h"

#include <limits>

namespace RecordValue {

namespace {
constexpr int MinWidth = 6;
constexpr int MaxWidth = 10; // the digits of the largest 32-bit time
} // namespace

QString make(const Times &times)
{
    int width = MinWidth;
    for (const qint32 t : times)
        width = qMax(width, int(QString::number(qMax<qint32>(0, t)).size()));
    QString value;
    value.reserve(4 * width);
    for (const qint32 t : times)
        value += QStringLiteral("%1").arg(qMax<qint32>(0, t), width, 10, QLatin1Char('0'));
    return value;
}

std::optional<Times> parse(const QString &value)
{
    const int length = int(value.size());
    if (length < 4 * MinWidth || length > 4 * MaxWidth || length % 4 != 0)
        return std::nullopt;
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const int width = length / 4;
    Times times {};
    for (int k = 0; k < 4; ++k) {
        const qint64 t = QStringView(value).mid(k * width, width).toLongLong();
        if (t > std::numeric_limits<qint32>::max())
            return std::nullopt;
        times[k] = qint32(t);
    }
    return times;
}

} // namespace RecordValue
