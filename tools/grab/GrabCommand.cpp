#include "grab/GrabCommand.h"

#include "grab/FaceCovers.h"
#include "grab/FaceFinder.h"
#include "grab/FigureRemoval.h"
#include "grab/FilmReader.h"
#include "grab/GrabOptions.h"
#include "grab/GrabTime.h"
#include "grab/StillFit.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSaveFile>

namespace GrabCommand {

namespace {
QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// What the command line asks for, read and checked.
struct Request {
    QString film;
    qint64 time = 0;
    QString out;
    QByteArray format; // "jpeg" or "png"
    QSize size = StillSize;
    bool keepAspect = false;
    bool coverFaces = false;
    bool showFaces = false;
    QVector<QRect> faces;
    QString mask;
    quint32 seed = 0;
};

// Reads the command line into `request`; the problem, empty when there is none.
QString read(const QCommandLineParser &parser, const GrabOptions &options, Request *request)
{
    const QStringList words = parser.positionalArguments();
    if (words.size() != 3)
        return QStringLiteral("servono FILM, TEMPO e USCITA");
    request->film = words[0];
    request->time = GrabTime::parse(words[1]);
    if (request->time < 0)
        return QStringLiteral("\"%1\" non è un tempo: HH:MM:SS.mmm o secondi").arg(words[1]);
    request->out = words[2];
    const QString suffix = QFileInfo(request->out).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        request->format = "jpeg";
    else if (suffix == QLatin1String("png"))
        request->format = "png";
    else
        return QStringLiteral("%1: l'uscita va scritta come .jpg o .png").arg(request->out);

    if (parser.isSet(options.size)) {
        static const QRegularExpression form(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const QRegularExpressionMatch match = form.match(parser.value(options.size));
        const int width = match.captured(1).toInt();
        const int height = match.captured(2).toInt();
        if (!match.hasMatch() || width < 1 || height < 1 || width > FilmReader::MaxSide
            || height > FilmReader::MaxSide)
            return QStringLiteral("--size vuole LARGHEZZAxALTEZZA, da 1 a %1 pixel, non \"%2\"")
                .arg(FilmReader::MaxSide)
                .arg(parser.value(options.size));
        request->size = QSize(width, height);
    }
    request->keepAspect = parser.isSet(options.keepAspect);
    request->coverFaces = parser.isSet(options.coverFaces);
    request->showFaces = parser.isSet(options.showFaces);
    if (request->coverFaces && request->showFaces)
        return QStringLiteral("--cover-faces e --show-faces non vanno insieme");
    static const QRegularExpression box(QStringLiteral("^(\\d{1,5}),(\\d{1,5}),(\\d{1,5}),(\\d{1,5})$"));
    for (const QString &text : parser.values(options.face)) {
        const QRegularExpressionMatch match = box.match(text);
        const QRect face(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(),
                         match.captured(4).toInt());
        if (!match.hasMatch() || face.isEmpty())
            return QStringLiteral("--face vuole X,Y,LARGHEZZA,ALTEZZA in pixel del fotogramma, non \"%1\"")
                .arg(text);
        request->faces.append(face);
    }
    if (!request->faces.isEmpty() && !request->coverFaces && !request->showFaces)
        return QStringLiteral("--face vale con --cover-faces o --show-faces");
    request->mask = parser.value(options.remove);
    if (parser.isSet(options.seed)) {
        bool ok = false;
        request->seed = parser.value(options.seed).toUInt(&ok);
        if (!ok)
            return QStringLiteral("--seed vuole un numero da 0 a 4294967295, non \"%1\"")
                .arg(parser.value(options.seed));
    }
    return QString();
}

// The mask file, white on black; null with `problem` set when it cannot be used.
QImage readMask(const QString &path, QString *problem)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (size.width() > FilmReader::MaxSide || size.height() > FilmReader::MaxSide) {
        *problem = QStringLiteral("la maschera %1 è di %2 × %3 pixel, oltre il massimo di %4 × %4")
                       .arg(shown(path))
                       .arg(size.width())
                       .arg(size.height())
                       .arg(FilmReader::MaxSide);
        return QImage();
    }
    const QImage mask = reader.read();
    if (mask.isNull())
        *problem = QStringLiteral("la maschera %1 non è un'immagine leggibile: %2")
                       .arg(shown(path), reader.errorString());
    return mask;
}

QString sizeText(const QSize &size)
{
    return QStringLiteral("%1 × %2").arg(size.width()).arg(size.height());
}

bool write(const QImage &image, const Request &request, QString *problem)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, request.format);
    if (request.format == "jpeg")
        writer.setQuality(90);
    if (!writer.write(image)) {
        *problem
            = QStringLiteral("impossibile codificare %1: %2").arg(shown(request.out), writer.errorString());
        return false;
    }
    // Written whole or not at all: an interrupted grab leaves no half picture behind.
    QSaveFile file(request.out);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *problem = QStringLiteral("impossibile scrivere %1: %2").arg(shown(request.out), file.errorString());
        return false;
    }
    return true;
}
} // namespace

bool needsFonts(const QStringList &arguments)
{
    return arguments.contains(QStringLiteral("--show-faces"));
}

Outcome run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Mostra questo aiuto."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Mostra la versione."));
    const GrabOptions options;
    parser.addOptions({help, version});
    parser.addOptions(options.all());
    const auto usage = [&](QTextStream &to) {
        to << "Uso: lumivo-grab [OPZIONI] FILM TEMPO USCITA\n"
              "Scrive il fotogramma che FILM mostra a TEMPO (HH:MM:SS.mmm o secondi) come immagine\n"
              "del gioco, JPEG o PNG secondo l'estensione di USCITA.\n"
              "Opzioni:\n"
           << GrabOptions::describe(options.all() + QList<QCommandLineOption> {help, version});
        to << "Uscita: 0 fatto, 1 rifiutato, 2 riga di comando sbagliata, 3 nessun volto trovato da "
              "coprire.\n";
    };
    const auto wrong = [&](const QString &problem) {
        err << "ERRORE: " << problem << "\n\n";
        usage(err);
        return Outcome::WrongCommandLine;
    };
    const auto refuse = [&](const QString &problem) {
        err << "ERRORE: " << problem << ".\n";
        return Outcome::Refused;
    };
    if (!parser.parse(arguments)) {
        return wrong(GrabOptions::refusal(parser, arguments,
                                          options.all() + QList<QCommandLineOption> {help, version}));
    }
    if (parser.isSet(help)) {
        usage(out);
        return Outcome::Done;
    }
    if (parser.isSet(version)) {
        out << QStringLiteral("lumivo-grab %1.%2.%3\n")
                   .arg(LUMIVO_VERSION_MAJOR)
                   .arg(LUMIVO_VERSION_MINOR)
                   .arg(LUMIVO_VERSION_PATCH);
        return Outcome::Done;
    }
    Request request;
    const QString problem = read(parser, options, &request);
    if (!problem.isEmpty())
        return wrong(problem);

    if (!QFileInfo(request.film).isFile())
        return refuse(QStringLiteral("%1 non c'è o non è un file").arg(shown(request.film)));
    FilmReader::Frame frame = FilmReader::frameAt(request.film, request.time);
    if (frame.image.isNull())
        return refuse(frame.problem);

    // A mask of the frame's size is used on the frame, one of the still's size on the still.
    QImage mask;
    if (!request.mask.isEmpty()) {
        QString maskProblem;
        mask = readMask(request.mask, &maskProblem);
        if (mask.isNull())
            return refuse(maskProblem);
        if (mask.size() != frame.image.size() && mask.size() != request.size)
            return refuse(QStringLiteral("la maschera %1 è di %2 pixel: deve avere la misura del fotogramma "
                                         "(%3) o dell'immagine finale (%4)")
                              .arg(shown(request.mask), sizeText(mask.size()), sizeText(frame.image.size()),
                                   sizeText(request.size)));
        if (mask.size() == frame.image.size()) {
            FigureRemoval::remove(&frame.image, mask);
            mask = QImage();
        }
    }

    Outcome outcome = Outcome::Done;
    int covered = 0;
    if (request.coverFaces || request.showFaces) {
        const Result<QVector<QRect>> found = FaceFinder::find(frame.image);
        if (!found)
            return refuse(found.problem());
        QVector<QRect> given;
        for (const QRect &face : qAsConst(request.faces)) {
            if (!frame.image.rect().intersects(face))
                return refuse(QStringLiteral("il volto %1,%2,%3,%4 è fuori dal fotogramma di %5")
                                  .arg(face.x())
                                  .arg(face.y())
                                  .arg(face.width())
                                  .arg(face.height())
                                  .arg(sizeText(frame.image.size())));
            given.append(face);
        }
        if (found->isEmpty() && given.isEmpty()) {
            err << "AVVISO: nessun volto trovato in " << shown(request.film) << " a "
                << GrabTime::format(request.time)
                << ": l'immagine è scritta senza coperture (indica i volti con --face X,Y,L,A).\n";
            outcome = Outcome::NoFace;
        }
        if (request.showFaces) {
            FaceCovers::outline(&frame.image, *found, given);
            int number = 0;
            for (const QRect &box : *found + given)
                out << QStringLiteral("volto %1: %2,%3,%4,%5\n")
                           .arg(++number)
                           .arg(box.x())
                           .arg(box.y())
                           .arg(box.width())
                           .arg(box.height());
            QString writeProblem;
            if (!write(frame.image, request, &writeProblem))
                return refuse(writeProblem);
            out << "Scritto " << shown(request.out) << ": il fotogramma di " << sizeText(frame.image.size())
                << " con " << number << (number == 1 ? " volto riquadrato" : " volti riquadrati") << ".\n";
            return outcome;
        }
        const QVector<QRect> faces = *found + given;
        FaceCovers::cover(&frame.image, faces, FaceCovers::choose(int(faces.size()), request.seed));
        covered = int(faces.size());
    }

    QImage still = StillFit::fit(frame.image, frame.sampleAspect, request.size, request.keepAspect);
    if (!mask.isNull())
        FigureRemoval::remove(&still, mask);
    QString writeProblem;
    if (!write(still, request, &writeProblem))
        return refuse(writeProblem);
    out << "Scritto " << shown(request.out) << ": " << sizeText(still.size()) << ", da "
        << shown(request.film) << " a " << GrabTime::format(request.time);
    if (covered > 0)
        out << ", " << covered << (covered == 1 ? " volto coperto" : " volti coperti");
    out << ".\n";
    return outcome;
}

} // namespace GrabCommand
