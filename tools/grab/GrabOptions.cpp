#include "grab/GrabOptions.h"

#include <QRegularExpression>

GrabOptions::GrabOptions()
    : size(QStringLiteral("size"),
           QStringLiteral("Dimensione dell'immagine finale (predefinita: %1x%2, un'immagine Classic).")
               .arg(StillSize.width())
               .arg(StillSize.height()),
           QStringLiteral("LxA"))
    , keepAspect(QStringLiteral("keep-aspect"),
                 QStringLiteral("Tiene tutta la scena, con bande nere, invece di ritagliarla."))
    , coverFaces(QStringLiteral("cover-faces"),
                 QStringLiteral("Trova i volti e copre ciascuno con un oggetto disegnato."))
    , showFaces(QStringLiteral("show-faces"),
                QStringLiteral("Scrive il fotogramma intero con i volti trovati riquadrati, per controllo."))
    , face(QStringLiteral("face"),
           QStringLiteral("Un volto da coprire che la ricerca non trova, in pixel del fotogramma "
                          "(ripetibile)."),
           QStringLiteral("X,Y,L,A"))
    , remove(QStringLiteral("remove"),
             QStringLiteral("Toglie ciò che la maschera dipinge di bianco su nero, riempiendolo dai "
                            "dintorni."),
             QStringLiteral("MASCHERA.png"))
    , seed(QStringLiteral("seed"),
           QStringLiteral("Sceglie gli oggetti che coprono i volti (predefinito: 0)."), QStringLiteral("N"))
{ }

QList<QCommandLineOption> GrabOptions::all() const
{
    return {size, keepAspect, coverFaces, showFaces, face, remove, seed};
}

QList<QCommandLineOption> GrabOptions::forFilmLines() const
{
    return {size, keepAspect, coverFaces, face, remove, seed};
}

QStringList GrabOptions::forward(const QCommandLineParser &parser) const
{
    QStringList arguments;
    for (const QCommandLineOption &option : all()) {
        const QString name = QStringLiteral("--") + option.names().constFirst();
        if (option.valueName().isEmpty()) {
            if (parser.isSet(option))
                arguments.append(name);
            continue;
        }
        for (const QString &value : parser.values(option))
            arguments << name << value;
    }
    return arguments;
}

QString GrabOptions::describe(const QList<QCommandLineOption> &options)
{
    QString text;
    for (const QCommandLineOption &option : options) {
        QString names;
        for (const QString &name : option.names())
            names += (names.isEmpty() ? QString() : QStringLiteral(", "))
                     + (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        if (!option.valueName().isEmpty())
            names += QLatin1Char(' ') + option.valueName();
        text += QStringLiteral("  %1 %2\n").arg(names.leftJustified(22), option.description());
    }
    return text;
}

QString GrabOptions::refusal(const QCommandLineParser &parser, const QStringList &arguments,
                             const QList<QCommandLineOption> &options)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("opzione sconosciuta: %1%2")
            .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), unknown.first());
    for (const QCommandLineOption &option : options) {
        const QString name = QStringLiteral("--") + option.names().constLast();
        if (!option.valueName().isEmpty() && arguments.endsWith(name))
            return QStringLiteral("manca il valore di %1").arg(name);
        if (option.valueName().isEmpty()
            && !arguments.filter(QRegularExpression(QLatin1Char('^') + name + QLatin1Char('='))).isEmpty())
            return QStringLiteral("%1 non vuole un valore").arg(name);
    }
    return parser.errorText();
}
