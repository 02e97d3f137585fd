#include "grab/GrabOptions.h"

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
