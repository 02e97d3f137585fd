// lumivo-pack: Data folders built from a source folder, checked, listed and taken apart again.

#include "content/ContentFiles.h"
#include "content/ThumbnailLayout.h"
#include "pack/Interrupt.h"
#include "pack/PackCommands.h"
#include "pack/Thumbnails.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {
QByteArray imageFile(int seed, const char *format = "PNG")
{
    QImage image(12 + seed % 5, 8, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((seed * 37) % 360, 200, 220));
    image.setPixel(seed % 8, 3, qRgb(seed % 256, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, format);
    return bytes;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// `bytes` written at `offset` into the file, or as the whole new file when no offset is given.
void writeFile(const QString &path, const QByteArray &bytes, qint64 offset = -1)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(offset < 0 ? QIODevice::WriteOnly | QIODevice::Truncate : QIODevice::ReadWrite)
            && file.seek(qMax<qint64>(offset, 0)));
    file.write(bytes);
}

// pictures/N.img and content.tsv: 9 pictures in category 1 (two titles alike), 2 in 12, `more`.
struct Source {
    QTemporaryDir dir;

    explicit Source(const QStringList &more = {})
    {
        const QStringList titles
            = QStringLiteral("La vita è bella|C'era una volta il West|Il buono, il brutto, il "
                             "cattivo|Mr. Smith va a Washington|Lo chiamavano Trinità…|Up|"
                             "Dumbo|dumbo|Aladdin|Grease|Harry, ti presento Sally…")
                  .split('|');
        QStringList lines {"# test content", ""};
        for (int i = 0; i < titles.size(); ++i) {
            writeFile(dir.filePath(QStringLiteral("pictures/%1.img").arg(i)),
                      imageFile(i, i == 10 ? "JPEG" : "PNG"));
            lines.append(QStringLiteral("%1\tpictures/%2.img\t%3").arg(i < 9 ? 1 : 12).arg(i).arg(titles[i]));
        }
        writeFile(dir.filePath("content.tsv"), (lines + more).join('\n').toUtf8() + "\n");
    }
};

struct Outcome {
    int code = -1;
    QString out;
    QString err;
    QString all() const { return QStringLiteral("exit %1\nout: %2\nerr: %3").arg(code).arg(out, err); }
};

Outcome run(const QStringList &arguments)
{
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    outcome.code = PackCommands::run(arguments, out, err);
    return outcome;
}

// Every file and folder below `folder`, with the bytes of the files.
QMap<QString, QByteArray> tree(const QString &folder)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        all.insert(it.next().mid(folder.size()),
                   it.fileInfo().isFile() ? readFile(it.filePath()) : "(folder)");
    return all;
}

// The first picture of a thumbnail pack, as its lengths index gives it.
QByteArray firstEntry(const QString &data, const QString &name)
{
    const QByteArray lengths = readFile(data + '/' + name + ".lvx");
    return readFile(data + '/' + name + ".lvd").mid(25682, ContentFiles::lengthAt(lengths, 0) + 1);
}

// The rows of `area` of a drawn thumbnail that hold light pixels: the first and the last.
QPair<int, int> inkRows(int category, int state, const QRect &area)
{
    const QImage image = QImage::fromData(Thumbnails::make(category, state, QByteArray()));
    QPair<int, int> rows(-1, -1);
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) > 128)
                rows = {rows.first < 0 ? y : rows.first, y};
    return rows;
}
} // namespace

class tst_PackTool : public QObject
{
    Q_OBJECT

private slots:
    // The count of each selection screen lies on the plain black band, inside the won frame; names
    // alike in height (capitals and tall letters, nothing below the line) take the same rows.
    void thumbnailsKeepTheCountClearAndOneTypeForNames_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("like"); // a category whose name is as tall
        QTest::newRow("Classic") << 9 << 3;
        QTest::newRow("Bonus") << 10 << 9;
        QTest::newRow("Puzzle") << 19 << 3;
    }
    void thumbnailsKeepTheCountClearAndOneTypeForNames()
    {
        QFETCH(int, category);
        QFETCH(int, like);
        const QRect count = ThumbnailLayout::countPlace(category).adjusted(-2, -2, 2, 2);
        for (int state = 0; state <= 2; ++state)
            QCOMPARE(inkRows(category, state, count), qMakePair(-1, -1));
        const QRect names(0, Thumbnails::Height - 26, 120, 26);
        QCOMPARE(inkRows(category, 0, names), inkRows(like, 0, names));
    }

    void buildWritesEveryFileOfTheLayout()
    {
        QTemporaryDir out;
        const QString data = out.filePath("Data");
        Source source;
        const Outcome built = run({"build", source.dir.path(), data});
        QVERIFY2(built.code == 0, qPrintable(built.all()));
        QCOMPARE(readFile(data + "/index.lvs"),
                 QByteArray(100, '\0').replace(0, 1, "\x09").replace(55, 1, "\x02"));
        QByteArray pictures, lengths;
        for (int i = 0; i < 9; ++i) {
            pictures += imageFile(i);
            lengths += ContentFiles::lengthRecord(qint32(imageFile(i).size() - 1));
        }
        QCOMPARE(readFile(data + "/0001.lvd").mid(25682), pictures);
        QCOMPARE(readFile(data + "/index.lvx"), lengths + readFile(data + "/index.lvx").mid(9 * 7, 2 * 7));
        QCOMPARE(readFile(data + "/0002.lvd").size(), 25682);
        // Record 1 of index.lvt: length, then "La vita è bella" with every byte raised by one.
        const QByteArray titles = readFile(data + "/index.lvt");
        QCOMPARE(titles.size(), 11 * 82);
        QCOMPARE(titles.left(17), QByteArray("\x0F\x00Mb!wjub!\xE9!cfmmb", 17));
        // Built aside and moved into place: no staging or earlier folder stays behind.
        QCOMPARE(tree(out.path()).keys().filter(QRegularExpression("^/(?!Data)")), QStringList());
        // The manifest checks every other file as sha256sum reads it.
        QCOMPARE(readFile(data + "/index.sha256").count('\n'), 29);
        QCOMPARE(QProcess::execute("sh", {"-c", "cd \"$0\" && sha256sum -c --strict --quiet *.sha256", data}),
                 0);
    }

    void extractedCategoryBuildsTheSamePack()
    {
        QTemporaryDir out;
        const QString data = out.filePath("Data");
        Source source;
        writeFile(source.dir.filePath("thumbs/won/01.jpg"), imageFile(99, "JPEG"));
        QCOMPARE(run({"build", source.dir.path(), data}).code, 0);
        const Outcome taken = run({"extract", data, "1", out.filePath("cat1")});
        QVERIFY2(taken.code == 0, qPrintable(taken.all()));
        const Outcome again = run({"build", out.filePath("cat1"), out.filePath("Data2")});
        QVERIFY2(again.code == 0, qPrintable(again.all()));
        QCOMPARE(readFile(out.filePath("Data2/0001.lvd")), readFile(data + "/0001.lvd"));
        QCOMPARE(readFile(out.filePath("Data2/index.lvt")), readFile(data + "/index.lvt").left(9 * 82));
        for (const char *name : {"A000", "B000", "C000"})
            QCOMPARE(firstEntry(out.filePath("Data2"), name), firstEntry(data, name));
        QCOMPARE(firstEntry(data, "C000"), imageFile(99, "JPEG"));
    }

    // A command on DATA, built from the test source, after steps: "cut FILE SIZE", "put FILE OFFSET
    // HEX", "remove FILE", "mine PATH" (the user's file), "link" (TARGET, to an empty folder),
    // "signal" (SIGTERM), "add N LINE" (to SOURCE). A failure changes nothing; a wrong command line
    // gets the usage.
    void commandsOnChangedFolders_data()
    {
        QTest::addColumn<QString>("commandAndSteps"); // "COMMAND; STEP; STEP"
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("expected"); // lines each found once in the output
        const auto row = [](const char *name, const QString &steps, int code, const QString &expected) {
            QTest::newRow(name) << steps << code << expected;
        };
        // Other packers write other bytes into the header, and no manifest: the game reads neither.
        const QString header
            = "; put 0001.lvd 0 " + QByteArray(25682, '\x5A').toHex() + "; remove index.sha256";
        row("another packer's header", "verify DATA" + header, 0, "DATA è a posto");
        row("another packer's header, extract", "extract DATA 1 TARGET" + header, 0, "Estratte 9");
        row("missing pack, twin titles", "verify DATA; remove 0012.lvd", 0,
            "AVVISO: categoria 12 Barbie: manca il pacchetto DATA/0012.lvd\nAVVISO: categoria 01 Animazione, "
            "immagine 8: \"dumbo\" è anche il titolo di categoria 01 Animazione, immagine 7\na posto: 11 "
            "immagini in 20 categorie, 19 pacchetti su 20, 60 miniature, 2 avvisi");
        row("pack cut short", "verify DATA; cut 0001.lvd 25700", 1, "DATA/0001.lvd è lungo 25700");
        row("header cut short", "verify DATA; cut 0001.lvd 20000", 1, "0001.lvd è lungo 20000");
        row("negative length", "verify DATA; put index.lvx 14 F0FFFFFF", 1, "3: lunghezza non valida");
        row("title over 80", "verify DATA; put index.lvt 328 5100", 1, "index.lvt non è leggibile");
        row("undecodable picture", "verify DATA; put 0001.lvd 25682 4A554E4B", 1, "1: l'immagine non");
        row("over 32667 pictures", "verify DATA; put index.lvs 10 FF7F", 1, "al massimo 32667");
        // Only the manifest knows what a header held.
        row("unlike the manifest", "verify DATA; put 0001.lvd 9 58", 1, "DATA/0001.lvd non corrisponde");
        row("manifest of another form", "verify DATA; put index.sha256 64 09", 1, "non è una riga di");
        // Damaged indexes are named once, and list lists nothing of a damaged folder.
        row("no index.lvt", "verify DATA; remove index.lvt", 1, "manca DATA/index.lvt\nDATA: 1 errore");
        row("no index.lvt, list", "list DATA; remove index.lvt", 1, "ERRORE: manca DATA/index.lvt");
        row("negative count", "list DATA; put index.lvs 0 F7FF", 1, "index.lvs dà un numero di");
        row("extract into a folder", "extract DATA 1 TARGET; mine target/a", 1, "non è una cartella");
        row("extract through a link", "extract DATA 1 TARGET; link", 1, "non è una cartella vuota");
        row("extract, bad thumbnail", "extract DATA 1 TARGET; put B000.lvd 25682 4A", 1, "B000.lvd non si");
        row("extract, SIGTERM", "extract DATA 1 TARGET; signal", 1, "Interrotto");
        row("build over a user's file", "build SOURCE TARGET; mine target/a", 1, "contiene a, che");
        row("missing picture", "build SOURCE DATA; add 1 12\tpictures/no.png\tUp", 1, "manca l'immagine");
        row("no Windows-1252 code", "build SOURCE DATA; add 1 12\tpictures/0.img\tŌkami", 1, "1252: Ō");
        row("genre not 9 × n", "build SOURCE DATA; add 10 2\tpictures/0.img\tUp", 1, "multiplo di 9");
        row("themed over 157", "build SOURCE DATA; add 158 13\tpictures/0.img\tUp", 1, "massimo 157");
        row("missing film", "build SOURCE DATA; add 1 12\tfilms/a b.mkv@1:02.5\tUp", 1,
            "riga 14: manca il film films/a b.mkv");
        row("film option unknown", "build SOURCE DATA; add 1 12\tpictures/0.img@2 blur\tUp", 1, "\"blur\"");
        // Never beside this test: lumivo-grab is looked for beside the program that runs.
        row("no grab program", "build SOURCE DATA; add 2 12\tpictures/0.img@0:02\tUp", 1, "non è installata");
        row("grab, no grab program", "grab a.mkv 1 a.png", 1, "non è installata");
        row("help", "--help", 0, "lumivo-pack grab FILM TEMPO USCITA");
        row("version", "-v", 0, "lumivo-pack 1.");
        row("unknown option", "verify --fast DATA", 2, "opzione sconosciuta: --fast");
        row("grab's option elsewhere", "list DATA --cover-faces", 2, "vale solo per grab");
        row("an argument short", "extract DATA 1", 2, "\"extract\" non è un comando con 2");
        row("no command", "", 2, "manca il comando");
    }
    void commandsOnChangedFolders()
    {
        QFETCH(QString, commandAndSteps);
        QFETCH(int, code);
        QFETCH(QString, expected);
        QTemporaryDir out;
        const QString data = out.filePath("Data");
        QCOMPARE(run({"build", Source().dir.path(), data}).code, 0);
        QVERIFY(QFileInfo(data).permissions() & QFile::ExeOther); // 0755, not a staging folder's 0700
        QStringList steps = commandAndSteps.split("; ");
        QStringList arguments = steps.takeFirst().split(' ', Qt::SkipEmptyParts);
        QStringList added;
        for (const QString &step : steps) {
            const QStringList word = step.split(' ');
            const QString file = data + '/' + word.value(1);
            if (word[0] == "cut")
                QVERIFY(QFile(file).resize(word[2].toLongLong()));
            else if (word[0] == "put")
                writeFile(file, QByteArray::fromHex(word[3].toLatin1()), word[2].toLongLong());
            else if (word[0] == "remove")
                QVERIFY(QFile::remove(file));
            else if (word[0] == "mine")
                writeFile(out.filePath(word[1]), "mine");
            else if (word[0] == "link")
                QVERIFY(QDir().mkdir(out.filePath("empty"))
                        && QFile::link(out.filePath("empty"), out.filePath("target")));
            else if (word[0] == "signal")
                Interrupt::install();
            else if (word[0] == "add")
                added += QVector<QString>(word[1].toInt(), step.section(' ', 2));
        }
        const Source source(added);
        const QMap<QString, QByteArray> before = tree(out.path());
        QTest::failOnWarning(QRegularExpression("QIODevice"));
        if (steps.contains("signal"))
            std::raise(SIGTERM);
        arguments.replaceInStrings("DATA", data).replaceInStrings("TARGET", out.filePath("target"));
        const Outcome outcome = run(arguments.replaceInStrings("SOURCE", source.dir.path()));
        Interrupt::clear();
        QCOMPARE(outcome.code, code);
        for (const QString &line : expected.split('\n'))
            QVERIFY2((outcome.out + outcome.err).count(QString(line).replace("DATA", data)) == 1,
                     qPrintable(outcome.all()));
        QCOMPARE(outcome.err.contains("Uso:"), code == 2);
        if (code == 0)
            return;
        QVERIFY2(!outcome.out.contains("a posto") && !outcome.out.contains("immagini, pacchetto"),
                 qPrintable(outcome.all()));
        QCOMPARE(tree(out.path()), before);
    }
};

QTEST_MAIN(tst_PackTool)

#include "tst_PackTool.moc"
