#include "content/Ansi.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Ansi {

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

} // namespace Ansi
