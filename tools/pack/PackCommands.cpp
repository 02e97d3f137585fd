#include "pack/PackCommands.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/PackCheck.h"
#include "grab/GrabOptions.h"
#include "pack/FilmStill.h"
#include "pack/GrabProgram.h"
#include "pack/Interrupt.h"
#include "pack/Thumbnails.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

using namespace PackContent;

namespace PackCommands {

namespace {
const QString Manifest = QStringLiteral("content.tsv");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QByteArray readAll(const QString &path, bool *ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? file.readAll() : QByteArray();
}

// The new folder is written beside the target and swapped in only when complete, so a refused
// or failed run leaves the earlier folder as it was.
class Staging
{
public:
    explicit Staging(const QString &target)
        : m_target(QDir::cleanPath(QFileInfo(target).absoluteFilePath()))
    {
        QDir().mkpath(QFileInfo(m_target).absolutePath());
        m_dir.reset(
            new QTemporaryDir(QFileInfo(m_target).absolutePath() + QStringLiteral("/.lumivo-pack-XXXXXX")));
    }
    bool isValid() const { return m_dir->isValid(); }
    QString path() const { return m_dir->path(); }

    bool commit(QString *error)
    {
        // A staging folder is private while it is written; the finished folder is an ordinary one.
        QFile::setPermissions(m_dir->path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                 | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                                 | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                                 | QFileDevice::ExeOther);
        QString old;
        if (QFileInfo::exists(m_target)) {
            old = m_target + QStringLiteral(".old-%1").arg(QCoreApplication::applicationPid());
            if (!QDir().rename(m_target, old)) {
                *error = QStringLiteral("Impossibile sostituire %1").arg(native(m_target));
                return false;
            }
        }
        if (!QDir().rename(m_dir->path(), m_target)) {
            if (!old.isEmpty())
                QDir().rename(old, m_target);
            *error = QStringLiteral("Impossibile creare %1").arg(native(m_target));
            return false;
        }
        m_dir->setAutoRemove(false);
        if (!old.isEmpty())
            QDir(old).removeRecursively();
        return true;
    }

private:
    QString m_target;
    std::unique_ptr<QTemporaryDir> m_dir;
};

// A build replaces only a folder that holds nothing but content files, never someone's documents.
QString targetProblem(const QString &data)
{
    const QFileInfo info(data);
    if (info.isSymLink())
        return QStringLiteral("%1 è un collegamento simbolico: indica la cartella vera").arg(native(data));
    if (!info.exists())
        return QString();
    if (!info.isDir())
        return QStringLiteral("%1 esiste e non è una cartella").arg(native(data));
    const QFileInfoList entries
        = QDir(data).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (entry.isSymLink() || !entry.isFile() || !isContentFileName(entry.fileName()))
            return QStringLiteral("%1 contiene %2, che non è un file del gioco: scegli una cartella vuota o "
                                  "una cartella Data")
                .arg(native(data), entry.fileName());
    }
    return QString();
}

QByteArray givenThumbnail(const QString &source, int state, int category, QStringList *problems)
{
    const QDir folder(source + QStringLiteral("/thumbs/") + StateFolders[state]);
    const QStringList names = folder.entryList(
        {QStringLiteral("%1.*").arg(category, 2, 10, QLatin1Char('0'))}, QDir::Files, QDir::Name);
    if (names.isEmpty())
        return QByteArray();
    bool ok = false;
    const QByteArray data = readAll(folder.filePath(names.first()), &ok);
    if (!ok || !PackCheck::isReadableImage(data)) {
        problems->append(QStringLiteral("la miniatura %1 non è un'immagine leggibile")
                             .arg(native(folder.filePath(names.first()))));
        return QByteArray();
    }
    return data;
}

void printProblems(const QVector<Problem> &problems, QTextStream &out)
{
    for (const Problem &problem : problems)
        out << problem.toString() << '\n';
}

QString counted(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

// Where the stills of a build's film lines are written on their way into the packs.
struct Grabs {
    QTemporaryDir scratch;
    int count = 0;
    bool missing = false; // lumivo-grab is not there: said once
};

// What lumivo-grab said was wrong, on one line (without the usage it adds to a wrong option).
QString grabMessages(const QByteArray &err)
{
    static const QRegularExpression said(QStringLiteral("^(ERRORE|AVVISO): "));
    QStringList lines;
    for (const QString &line : QString::fromUtf8(err).split(QLatin1Char('\n'))) {
        if (said.match(line).hasMatch())
            lines.append(line.mid(line.indexOf(QLatin1Char(' ')) + 1).trimmed());
    }
    return lines.isEmpty() ? QString::fromUtf8(err).trimmed() : lines.join(QStringLiteral("; "));
}

// The still of a film line, as a JPEG file in memory; empty, with the reason in `problems`, when
// the film could not give it.
QByteArray grabbed(const FilmStill &still, const QString &source, const QString &where, Grabs *grabs,
                   QStringList *problems, QStringList *warnings)
{
    const QString film
        = QDir(source).filePath(QString(still.film).replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (!QFileInfo(film).isFile()) {
        problems->append(where + QStringLiteral("manca il film %1").arg(still.film));
        return QByteArray();
    }
    if (grabs->missing)
        return QByteArray();
    if (!grabs->scratch.isValid()) {
        problems->append(where
                         + QStringLiteral("impossibile creare una cartella temporanea per le immagini"));
        return QByteArray();
    }
    const QString out = grabs->scratch.filePath(QStringLiteral("%1.jpg").arg(++grabs->count));
    const GrabProgram::Run run
        = GrabProgram::run(still.grab + QStringList {QStringLiteral("--"), film, still.time, out});
    if (!run.started) {
        grabs->missing = true;
        problems->append(GrabProgram::notInstalled());
        return QByteArray();
    }
    bool ok = false;
    const QByteArray data = run.exitCode == 0 || run.exitCode == 3 ? readAll(out, &ok) : QByteArray();
    QFile::remove(out);
    if (!ok) {
        problems->append(where + grabMessages(run.err));
        return QByteArray();
    }
    if (run.exitCode == 3)
        warnings->append(where + grabMessages(run.err));
    return data;
}

int errorCount(const QVector<Problem> &problems)
{
    return int(std::count_if(problems.begin(), problems.end(),
                             [](const Problem &p) { return p.level == Problem::Error; }));
}
} // namespace

bool readSource(const QString &source, Content *content, QStringList *problems, QStringList *warnings)
{
    *content = Content();
    Grabs grabs;
    const int before = int(problems->size());
    bool ok = false;
    const QByteArray bytes = readAll(QDir(source).filePath(Manifest), &ok);
    if (!ok) {
        problems->append(QStringLiteral("manca %1").arg(native(QDir(source).filePath(Manifest))));
        return false;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        problems->append(QStringLiteral("%1 non è scritto in UTF-8").arg(Manifest));
        return false;
    }

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size() && !Interrupt::requested(); ++i) {
        QString line = lines[i];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString where = QStringLiteral("%1, riga %2: ").arg(Manifest).arg(i + 1);
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 3) {
            problems->append(
                where
                + QStringLiteral("servono tre campi separati da TAB (categoria, immagine, titolo), "
                                 "ce ne sono %1")
                      .arg(fields.size()));
            continue;
        }
        bool isNumber = false;
        const int category = fields[0].trimmed().toInt(&isNumber);
        if (!isNumber || !Game::isCategory(category)) {
            problems->append(where + QStringLiteral("\"%1\" non è una categoria da 1 a 20").arg(fields[0]));
            continue;
        }
        const QString problem = PackCheck::titleProblem(fields[2]);
        if (!problem.isEmpty())
            problems->append(where + problem);
        // Content made on Windows may name its pictures with backslashes.
        const QString picture
            = QDir(source).filePath(QString(fields[1]).replace(QLatin1Char('\\'), QLatin1Char('/')));
        QString optionProblem;
        const std::optional<FilmStill> still
            = QFileInfo::exists(picture) ? std::nullopt : filmStill(fields[1], source, &optionProblem);
        QByteArray data;
        if (still && !optionProblem.isEmpty()) {
            problems->append(where + optionProblem);
        } else if (still) {
            data = grabbed(*still, source, where, &grabs, problems, warnings);
        } else {
            data = readAll(picture, &ok);
            if (!ok)
                problems->append(where + QStringLiteral("manca l'immagine %1").arg(fields[1]));
            else if (!PackCheck::isReadableImage(data))
                problems->append(where + QStringLiteral("%1 non è un'immagine leggibile").arg(fields[1]));
        }
        content->categories[category].append({data, fields[2]});
    }

    int total = 0;
    for (int c = 1; c <= Game::CategoryCount; ++c) {
        const QString problem = countProblem(c, int(content->categories[c].size()));
        if (!problem.isEmpty())
            problems->append(problem);
        total += int(content->categories[c].size());
    }
    if (!totalProblem(total).isEmpty())
        problems->append(totalProblem(total));
    if (problems->size() > before)
        return false;

    for (int state = 0; state < ContentFiles::ThumbStates; ++state) {
        for (int c = 1; c <= Game::CategoryCount; ++c) {
            QByteArray thumb = givenThumbnail(source, state, c, problems);
            if (thumb.isEmpty()) {
                const auto &pictures = content->categories[c];
                thumb = Thumbnails::make(c, state, pictures.isEmpty() ? QByteArray() : pictures.first().data);
            }
            content->thumbs[state][c] = thumb;
        }
    }
    return problems->size() == before;
}

int build(const QString &source, const QString &data, QTextStream &out, QTextStream &err)
{
    Content content;
    QStringList problems;
    QStringList warnings;
    const QString target = targetProblem(data);
    if (!target.isEmpty())
        problems.append(target);
    const bool read = readSource(source, &content, &problems, &warnings);
    for (const QString &warning : warnings)
        err << "AVVISO: " << warning << '\n';
    if (!read || !problems.isEmpty()) {
        for (const QString &problem : problems)
            err << "ERRORE: " << problem << '\n';
        err << "Nessun file scritto.\n";
        return 1;
    }
    Staging staging(data);
    QString error;
    if (!staging.isValid() || !writeData(content, staging.path(), &error) || Interrupt::requested()
        || !staging.commit(&error)) {
        err << "ERRORE: "
            << (error.isEmpty() ? QStringLiteral("impossibile scrivere accanto a %1").arg(native(data))
                                : error)
            << "\nNessun file scritto.\n";
        return 1;
    }
    int total = 0;
    for (const auto &pictures : content.categories)
        total += int(pictures.size());
    out << "Creata " << native(data) << ": " << total << " immagini in 20 categorie, 60 miniature.\n";
    return 0;
}

int verify(const QString &data, QTextStream &out, QTextStream &err)
{
    Q_UNUSED(err)
    DataFolder folder(data);
    if (!folder.loadIndexes()) {
        printProblems(folder.problems, out);
        return 1;
    }
    auto &problems = folder.problems;
    for (int c = 1; c <= Game::CategoryCount; ++c) {
        if (!countProblem(c, folder.count(c)).isEmpty())
            problems.append({Problem::Error, c, 0, countProblem(c, folder.count(c))});
    }
    if (!totalProblem(folder.total()).isEmpty())
        problems.append({Problem::Error, 0, 0, totalProblem(folder.total())});

    QHash<QString, QString> classicTitles; // folded title -> where it was first seen
    int packs = 0;
    for (int c = 1; c <= Game::CategoryCount; ++c) {
        for (int p = 1; p <= folder.count(c); ++p) {
            if (!folder.hasTitle(c, p))
                continue; // index.lvt itself was reported once
            const QString title = folder.title(c, p);
            const QString problem = PackCheck::titleProblem(title);
            if (!problem.isEmpty())
                problems.append({Problem::Error, c, p, problem});
            if (!ContentFiles::isGenre(c) || title.isEmpty())
                continue;
            const QString key = title.toLower().simplified();
            const QString here = QStringLiteral("%1, immagine %2").arg(categoryLabel(c)).arg(p);
            if (classicTitles.contains(key))
                problems.append(
                    {Problem::Warning, c, p,
                     QStringLiteral("\"%1\" è anche il titolo di %2").arg(title, classicTitles[key])});
            else
                classicTitles.insert(key, here);
        }
        QVector<QByteArray> pictures;
        if (folder.hasPack(c))
            ++packs;
        if (!folder.readPack(c, &pictures))
            continue;
        for (int p = 1; p <= pictures.size(); ++p) {
            if (!PackCheck::isReadableImage(pictures[p - 1]))
                problems.append({Problem::Error, c, p, QStringLiteral("l'immagine non si può leggere")});
        }
    }
    for (int state = 0; state < ContentFiles::ThumbStates; ++state) {
        QVector<QByteArray> thumbs;
        if (!folder.readThumbs(state, &thumbs))
            continue;
        for (int c = 1; c <= thumbs.size(); ++c) {
            if (!PackCheck::isReadableImage(thumbs[c - 1]))
                problems.append({Problem::Error, c, 0,
                                 QStringLiteral("la miniatura in %1 non si può leggere")
                                     .arg(folder.shown(ContentFiles::thumbPackFile(state)))});
        }
    }

    folder.checkManifest();
    printProblems(problems, out);
    const int errors = errorCount(problems);
    const int warnings = int(problems.size()) - errors;
    if (errors > 0) {
        out << native(data) << ": " << counted(errors, "errore", "errori") << ", "
            << counted(warnings, "avviso", "avvisi") << ".\n";
        return 1;
    }
    out << native(data) << " è a posto: " << folder.total() << " immagini in 20 categorie, " << packs
        << " pacchetti su 20, 60 miniature";
    if (warnings > 0)
        out << ", " << counted(warnings, "avviso", "avvisi");
    out << ".\n";
    return 0;
}

int list(const QString &data, QTextStream &out, QTextStream &err)
{
    DataFolder folder(data);
    // Titles of a damaged folder would be blank or under the wrong category: none are listed.
    if (!folder.loadIndexes() || errorCount(folder.problems) > 0) {
        printProblems(folder.problems, err);
        err << native(data) << " è danneggiata: nessun titolo elencato.\n";
        return 1;
    }
    for (int c = 1; c <= Game::CategoryCount; ++c) {
        out << QStringLiteral("%1 %2: %3 immagini, pacchetto %4\n")
                   .arg(c, 2, 10, QLatin1Char('0'))
                   .arg(CategoryTable::name(c))
                   .arg(folder.count(c))
                   .arg(folder.hasPack(c) ? QStringLiteral("presente") : QStringLiteral("assente"));
        for (int p = 1; p <= folder.count(c); ++p)
            out << QStringLiteral("  %1 %2\n").arg(p, 4).arg(folder.title(c, p));
    }
    out << "Totale: " << folder.total() << " immagini.\n";
    return 0;
}

int extract(const QString &data, const QString &category, const QString &target, QTextStream &out,
            QTextStream &err)
{
    bool isNumber = false;
    const int c = category.toInt(&isNumber);
    if (!isNumber || !Game::isCategory(c)) {
        err << "ERRORE: \"" << category << "\" non è una categoria da 1 a 20.\n";
        return 1;
    }
    // Only a new name or an empty folder is a target: nothing of the user's is moved or replaced.
    const QFileInfo where(target);
    if (where.isSymLink()
        || (where.exists()
            && (!where.isDir()
                || !QDir(target).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                         | QDir::System)))) {
        err << "ERRORE: " << native(target)
            << " esiste già e non è una cartella vuota.\nNessun file scritto.\n";
        return 1;
    }
    DataFolder folder(data);
    QVector<QByteArray> pictures;
    std::array<QVector<QByteArray>, ContentFiles::ThumbStates> thumbs;
    if (folder.loadIndexes() && folder.readPack(c, &pictures)) {
        for (int p = 1; p <= pictures.size(); ++p) {
            if (!PackCheck::isReadableImage(pictures[p - 1]))
                folder.problems.append(
                    {Problem::Error, c, p, QStringLiteral("l'immagine non si può leggere")});
        }
        for (int state = 0; state < ContentFiles::ThumbStates; ++state) {
            if (folder.readThumbs(state, &thumbs[state]) && !PackCheck::isReadableImage(thumbs[state][c - 1]))
                folder.problems.append({Problem::Error, c, 0,
                                        QStringLiteral("la miniatura in %1 non si può leggere")
                                            .arg(folder.shown(ContentFiles::thumbPackFile(state)))});
        }
    } else if (errorCount(folder.problems) == 0) {
        folder.problems.append(
            {Problem::Error, c, 0, QStringLiteral("il pacchetto non c'è: niente da estrarre")});
    }
    if (errorCount(folder.problems) > 0) {
        printProblems(folder.problems, err);
        err << "Nessun file scritto.\n";
        return 1;
    }

    Staging staging(target);
    QString error;
    QByteArray manifest = "# " + categoryLabel(c).toUtf8() + "\n";
    bool written = staging.isValid();
    for (int p = 1; written && p <= pictures.size(); ++p) {
        const QString name
            = QStringLiteral("%1.%2").arg(p, 4, 10, QLatin1Char('0')).arg(imageSuffix(pictures[p - 1]));
        QFile file(staging.path() + QLatin1Char('/') + name);
        written = !Interrupt::requested() && file.open(QIODevice::WriteOnly)
                  && file.write(pictures[p - 1]) == pictures[p - 1].size();
        manifest += QByteArray::number(c) + '\t' + name.toUtf8() + '\t' + folder.title(c, p).toUtf8() + '\n';
    }
    for (int state = 0; written && state < ContentFiles::ThumbStates; ++state) {
        const QByteArray &thumb = thumbs[state][c - 1];
        const QString dir = staging.path() + QStringLiteral("/thumbs/") + StateFolders[state];
        QFile file(dir + QStringLiteral("/%1.%2").arg(c, 2, 10, QLatin1Char('0')).arg(imageSuffix(thumb)));
        written = !Interrupt::requested() && QDir().mkpath(dir) && file.open(QIODevice::WriteOnly)
                  && file.write(thumb) == thumb.size();
    }
    QFile file(staging.path() + QLatin1Char('/') + Manifest);
    written = written && !Interrupt::requested() && file.open(QIODevice::WriteOnly)
              && file.write(manifest) == manifest.size();
    file.close();
    if (Interrupt::requested()) {
        err << "Interrotto: nessun file scritto.\n";
        return 1;
    }
    if (!written || !staging.commit(&error)) {
        err << "ERRORE: "
            << (error.isEmpty() ? QStringLiteral("impossibile scrivere %1").arg(native(target)) : error)
            << "\nNessun file scritto.\n";
        return 1;
    }
    printProblems(folder.problems, err); // warnings, if any
    out << "Estratte " << pictures.size() << " immagini della " << categoryLabel(c) << " in "
        << native(target) << ".\n";
    return 0;
}

int grab(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const GrabProgram::Run run = GrabProgram::run(arguments);
    if (!run.started) {
        err << "ERRORE: " << GrabProgram::notInstalled() << ".\n";
        return 1;
    }
    out << QString::fromUtf8(run.out);
    err << QString::fromUtf8(run.err);
    return run.exitCode;
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Mostra questo aiuto."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Mostra la versione."));
    const GrabOptions grabOptions;
    parser.addOptions({help, version});
    parser.addOptions(grabOptions.all());
    const auto usage = [&](QTextStream &to) {
        to << "Uso:\n"
              "  lumivo-pack build SORGENTE DATA     crea la cartella DATA da SORGENTE/content.tsv\n"
              "  lumivo-pack verify DATA             controlla una cartella Data\n"
              "  lumivo-pack list DATA               elenca categorie e titoli\n"
              "  lumivo-pack extract DATA CAT DIR    estrae la categoria CAT (1-20) in DIR\n"
              "  lumivo-pack grab FILM TEMPO USCITA  scrive il fotogramma del film a TEMPO\n"
              "                                      (HH:MM:SS.mmm o secondi) come .jpg o .png\n"
              "Opzioni di grab:\n"
           << GrabOptions::describe(grabOptions.all()) << GrabOptions::describe({help, version})
           << "content.tsv (UTF-8): una riga per immagine, \"categoria<TAB>immagine<TAB>titolo\",\n"
              "nell'ordine di gioco; righe vuote e righe che cominciano con # ignorate. Al posto\n"
              "dell'immagine, FILM@TEMPO seguito dalle opzioni di grab senza -- (cover-faces,\n"
              "remove=MASCHERA, ...), separate da spazi: l'immagine si prende dal film.\n"
              "Miniature facoltative: thumbs/locked/NN.*, thumbs/open/NN.*, thumbs/won/NN.*\n"
              "Uscita: 0 fatto, 1 rifiutato o danni trovati, 2 riga di comando sbagliata,\n"
              "3 grab non ha trovato volti da coprire.\n";
    };
    const auto wrong = [&](const QString &problem) {
        err << "ERRORE: " << problem << "\n\n";
        usage(err);
        return 2;
    };
    if (!parser.parse(QStringList(QStringLiteral("lumivo-pack")) + arguments)) {
        return wrong(GrabOptions::refusal(parser, arguments,
                                          grabOptions.all() + QList<QCommandLineOption> {help, version}));
    }
    if (parser.isSet(help)) {
        usage(out);
        return 0;
    }
    if (parser.isSet(version)) {
        out << QStringLiteral("lumivo-pack %1.%2.%3\n")
                   .arg(LUMIVO_VERSION_MAJOR)
                   .arg(LUMIVO_VERSION_MINOR)
                   .arg(LUMIVO_VERSION_PATCH);
        return 0;
    }
    const QStringList words = parser.positionalArguments();
    const QString command = words.value(0);
    const int count = int(words.size());
    const QStringList grabbing = grabOptions.forward(parser);
    if (command == QLatin1String("grab")) {
        if (count != 4)
            return wrong(QStringLiteral("grab vuole FILM, TEMPO e USCITA"));
        return grab(grabbing + QStringList(QStringLiteral("--")) + words.mid(1), out, err);
    }
    if (!grabbing.isEmpty())
        return wrong(QStringLiteral("%1 vale solo per grab").arg(grabbing.first()));
    if (command == QLatin1String("build") && count == 3)
        return build(words[1], words[2], out, err);
    if (command == QLatin1String("verify") && count == 2)
        return verify(words[1], out, err);
    if (command == QLatin1String("list") && count == 2)
        return list(words[1], out, err);
    if (command == QLatin1String("extract") && count == 4)
        return extract(words[1], words[2], words[3], out, err);
    return wrong(
        command.isEmpty()
            ? QStringLiteral("manca il comando")
            : QStringLiteral("\"%1\" non è un comando con %2 argomenti").arg(command).arg(count - 1));
}

} // namespace PackCommands
