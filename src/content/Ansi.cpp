#include "content/Ansi.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Ansi {

namespace {
std::optional<QByteArray> shifted(const QByteArray &bytes, int step)
{
    QByteArray result(bytes.size(), Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i) {
        const int code = static_cast<unsigned char>(bytes[i]) + step;
        if (code < 0 || code > 255)
            return std::nullopt;
        result[i] = static_cast<char>(code);
    }
    return result;
}
} // namespace

QByteArray encode(const QString &text, bool *ok)
{
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    if (ok)
        *ok = encoder.isValid() && !encoder.hasError();
    return bytes;
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

std::optional<QByteArray> shiftedUp(const QByteArray &plain)
{
    return shifted(plain, +1);
}

std::optional<QByteArray> shiftedDown(const QByteArray &stored)
{
    return shifted(stored, -1);
}

} // namespace Ansi
