#include "pack/FilmStill.h"

#include "grab/GrabOptions.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>
#include <QtEndian>

std::optional<FilmStill> filmStill(const QString &field, const QString &source, QString *problem)
{
    // The film's name runs to the first "@" that a time follows, up to a blank or the end: a
    // name may hold "@" and blanks, a time holds neither.
    static const QRegularExpression form(QStringLiteral("^(.+?)@(\\d[\\d:.]*)(?:\\s+(.*))?$"));
    const QRegularExpressionMatch match = form.match(field);
    if (!match.hasMatch())
        return std::nullopt;
    FilmStill still {match.captured(1), match.captured(2), {}};
    const GrabOptions options;
    bool seeded = false;
    const QStringList words
        = match.captured(3).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        const QString name = word.section(QLatin1Char('='), 0, 0);
        const bool hasValue = word.contains(QLatin1Char('='));
        QString value = word.section(QLatin1Char('='), 1);
        bool known = false;
        for (const QCommandLineOption &option : options.forFilmLines()) {
            if (option.names().constFirst() != name || option.valueName().isEmpty() == hasValue)
                continue;
            known = true;
            if (name == options.remove.names().constFirst())
                value = QDir(source).absoluteFilePath(value);
            still.grab << QStringLiteral("--") + name;
            if (hasValue)
                still.grab << value;
        }
        seeded = seeded || (known && name == options.seed.names().constFirst());
        if (!known && problem->isEmpty())
            *problem = QStringLiteral("\"%1\" non è un'opzione dei film (valgono cover-faces, keep-aspect, "
                                      "face=X,Y,L,A, remove=MASCHERA, size=LxA, seed=N)")
                           .arg(word);
    }
    // The covers are drawn at random from a seed that the line itself gives, so the same line
    // always gets the same covers and a build is reproducible.
    if (!seeded) {
        const QByteArray sum = QCryptographicHash::hash((still.film + QLatin1Char('@') + still.time).toUtf8(),
                                                        QCryptographicHash::Sha256);
        still.grab << QStringLiteral("--seed") << QString::number(qFromBigEndian<quint32>(sum.constData()));
    }
    return still;
}
