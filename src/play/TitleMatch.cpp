#include "play/TitleMatch.h"

QString NormaliseTitle(const QString &text)
{
    QString plain = text;
    for (const QChar mark : {QLatin1Char(','), QLatin1Char(';'), QLatin1Char(':'), QLatin1Char('.')})
        plain.remove(mark);
    return plain.toLower();
}

bool TitleMatches(const QString &typed, const QString &stored)
{
    return NormaliseTitle(typed) == NormaliseTitle(stored);
}
