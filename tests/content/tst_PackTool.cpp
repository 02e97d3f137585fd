// lumivo-pack: Data folders built from a source folder, checked, listed and taken apart again.

#include "TestSupport.h"
#include "content/ContentFiles.h"
#include "content/ThumbnailLayout.h"
#include "pack/Interrupt.h"
#include "pack/PackCommands.h"
#include "pack/Thumbnails.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QtTest>

#include <csignal>
#include <functional>

namespace {
QByteArray imageFile(int seed, const char *format = "PNG")
{
    QImage image(12 + seed % 5, 8, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((seed * 37) % 360, 200, 220));
    image.setPixel(seed % 8, 3, qRgb(seed % 256, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void patch(const QString &path, qint64 offset, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    file.write(bytes);
}

// A source folder: pictures/NNN.img and content.tsv, nine pictures in category 1, two in 12.
struct Source {
    QTemporaryDir dir;
    QStringList lines;

    Source()
    {
        const QStringList titles
            = QStringLiteral("La vita è bella|C'era una volta il West|Il buono, il brutto, il cattivo|"
                             "Mr. Smith va a Washington|Lo chiamavano Trinità…|Up|Dumbo|Bambi|Aladdin")
                  .split(QLatin1Char('|'));
        for (int i = 0; i < titles.size(); ++i)
            add(1, i, titles[i]);
        add(12, 20, QStringLiteral("Grease"));
        add(12, 21, QStringLiteral("Harry, ti presento Sally…"), "JPEG");
    }
    void add(int category, int seed, const QString &title, const char *format = "PNG")
    {
        const QString name = QStringLiteral("pictures/%1.img").arg(seed, 3, 10, QLatin1Char('0'));
        writeFile(path(name), imageFile(seed, format));
        lines.append(QStringLiteral("%1\t%2\t%3").arg(category).arg(name, title));
    }
    QString path(const QString &relative) const { return dir.path() + QLatin1Char('/') + relative; }
    void writeManifest() const
    {
        writeFile(path(QStringLiteral("content.tsv")),
                  "# test content\n\n" + lines.join(QLatin1Char('\n')).toUtf8() + "\n");
    }
};

struct Outcome {
    int code = -1;
    QString out;
    QString err;
};

Outcome run(const QStringList &arguments)
{
    Outcome outcome;
    QTextStream out(&outcome.out);
    QTextStream err(&outcome.err);
    outcome.code = PackCommands::run(arguments, out, err);
    return outcome;
}

QString describe(const Outcome &outcome)
{
    return QStringLiteral("exit %1\nout: %2\nerr: %3").arg(outcome.code).arg(outcome.out, outcome.err);
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

// Every file of a folder with its bytes.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files.insert(name, readFile(folder + QLatin1Char('/') + name));
    return files;
}

// The first picture of a thumbnail pack, as its lengths index gives it.
QByteArray firstEntry(const QString &data, const QString &name)
{
    const QByteArray lengths = readFile(data + QLatin1Char('/') + name + QStringLiteral(".lvx"));
    return readFile(data + QLatin1Char('/') + name + QStringLiteral(".lvd"))
        .mid(25682, ContentFiles::lengthAt(lengths, 0) + 1);
}

// The test source, changed by `change`, built into `data`.
Outcome build(const QString &data, const std::function<void(Source &)> &change = {})
{
    Source source;
    if (change)
        change(source);
    source.writeManifest();
    return run({QStringLiteral("build"), source.dir.path(), data});
}

QString builtData(const QString &folder, const std::function<void(Source &)> &change = {})
{
    const QString data = QDir(folder).filePath(QStringLiteral("Data"));
    build(data, change);
    return data;
}
} // namespace

// The rows of `area` of a drawn thumbnail that hold light pixels: the first and the last.
QPair<int, int> inkRows(int category, int state, const QRect &area)
{
    const QImage image = QImage::fromData(Thumbnails::make(category, state, QByteArray()));
    QPair<int, int> rows(-1, -1);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) > 128) {
                rows = {rows.first < 0 ? y : rows.first, y};
                break;
            }
        }
    }
    return rows;
}

class tst_PackTool : public QObject
{
    Q_OBJECT

private slots:
    // The count label of each selection screen lies on the plain black band, inside the won frame;
    // the names are drawn in one type: names alike in height (capitals and tall letters, nothing
    // below the line) take the same rows.
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
        const QString data = out.path() + QStringLiteral("/Data");
        const Outcome built = build(data);
        QVERIFY2(built.code == 0, qPrintable(describe(built)));

        QByteArray counts(100, '\0'); // 9 pictures in category 1, 2 in category 12
        counts[0] = 9;
        counts[55] = 2;
        QCOMPARE(readFile(data + QStringLiteral("/index.lvs")), counts);

        QByteArray pictures;
        QByteArray lengths;
        for (int i = 0; i < 9; ++i) {
            pictures += imageFile(i);
            lengths += ContentFiles::lengthRecord(qint32(imageFile(i).size() - 1));
        }
        const QByteArray written = readFile(data + QStringLiteral("/0001.lvd"));
        QVERIFY(written.startsWith("LUMIVO PACK"));
        QCOMPARE(written.mid(25682), pictures);
        QCOMPARE(readFile(data + QStringLiteral("/index.lvx")).left(9 * 7), lengths);
        QCOMPARE(readFile(data + QStringLiteral("/index.lvx")).size(), 11 * 7);
        QCOMPARE(readFile(data + QStringLiteral("/0002.lvd")).size(), 25682);

        // Record 1 of index.lvt: length, then "La vita è bella" with every byte raised by one.
        const QByteArray titles = readFile(data + QStringLiteral("/index.lvt"));
        QCOMPARE(titles.size(), 11 * 82);
        QCOMPARE(titles.left(17), QByteArray("\x0F\x00Mb!wjub!\xE9!cfmmb", 17));
        // Built aside and moved into place: no staging or earlier folder stays behind.
        QCOMPARE(entries(out.path()), QStringList {"Data"});
    }

    // Other packers write other bytes into the header; the game reads nothing there.
    void packsWithAnyHeaderVerifyAndExtract_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("zeros") << QByteArray(25682, '\0');
        QByteArray noise(25682, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("random bytes") << noise;
    }
    void packsWithAnyHeaderVerifyAndExtract()
    {
        QFETCH(QByteArray, header);
        QTemporaryDir out;
        const QString data = builtData(out.path());
        patch(data + QStringLiteral("/0001.lvd"), 0, header);
        const Outcome checked = run({QStringLiteral("verify"), data});
        QVERIFY2(checked.code == 0, qPrintable(describe(checked)));
        const Outcome taken = run(
            {QStringLiteral("extract"), data, QStringLiteral("1"), out.path() + QStringLiteral("/cat1")});
        QVERIFY2(taken.code == 0, qPrintable(describe(taken)));
    }

    void extractedCategoryBuildsTheSamePack()
    {
        QTemporaryDir out;
        const QString data = builtData(out.path(), [](Source &source) {
            writeFile(source.path(QStringLiteral("thumbs/won/01.jpg")), imageFile(99, "JPEG"));
        });
        const QString extracted = out.path() + QStringLiteral("/cat1");
        const Outcome taken = run({QStringLiteral("extract"), data, QStringLiteral("1"), extracted});
        QVERIFY2(taken.code == 0, qPrintable(describe(taken)));

        const QString rebuilt = out.path() + QStringLiteral("/Data2");
        const Outcome again = run({QStringLiteral("build"), extracted, rebuilt});
        QVERIFY2(again.code == 0, qPrintable(describe(again)));
        QCOMPARE(readFile(rebuilt + QStringLiteral("/0001.lvd")),
                 readFile(data + QStringLiteral("/0001.lvd")));
        QCOMPARE(readFile(rebuilt + QStringLiteral("/index.lvt")),
                 readFile(data + QStringLiteral("/index.lvt")).left(9 * 82));
        for (const QString &name : {QStringLiteral("A000"), QStringLiteral("B000"), QStringLiteral("C000")})
            QCOMPARE(firstEntry(rebuilt, name), firstEntry(data, name));
        QCOMPARE(firstEntry(data, QStringLiteral("C000")), imageFile(99, "JPEG"));
    }

    void buildRefusesBadSources_data()
    {
        QTest::addColumn<QString>("line");      // appended to the good manifest
        QTest::addColumn<int>("extraPictures"); // copies of the line
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing picture")
            << "12\tpictures/nothing.png\tUp" << 1 << "manca l'immagine pictures/nothing.png";
        QTest::newRow("title of 81 bytes")
            << "12\tpictures/000.img\t" + QString(81, QLatin1Char('a')) << 1 << "lungo 81 byte";
        QTest::newRow("title with a colon")
            << "12\tpictures/000.img\tGuerre stellari: Episodio IV" << 1 << "contiene \":\"";
        QTest::newRow("no Windows-1252 code") << "12\tpictures/000.img\tŌkami" << 1 << "Windows-1252: Ō";
        QTest::newRow("genre not a multiple of 9") << "2\tpictures/000.img\tUp" << 10 << "multiplo di 9";
        QTest::newRow("themed over 157")
            << "13\tpictures/000.img\tUp" << 158 << "158 immagini: al massimo 157";
    }
    void buildRefusesBadSources()
    {
        QFETCH(QString, line);
        QFETCH(int, extraPictures);
        QFETCH(QString, expected);
        QTemporaryDir out;
        const QString data = out.path() + QStringLiteral("/Data");
        writeFile(data + QStringLiteral("/index.lvs"), "earlier content");
        const Outcome refused = build(data, [&](Source &source) {
            for (int i = 0; i < extraPictures; ++i)
                source.lines.append(line);
        });
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.err.contains(expected), qPrintable(describe(refused)));
        QVERIFY2(refused.err.contains(QStringLiteral("Nessun file scritto")), qPrintable(describe(refused)));
        QCOMPARE(snapshot(data),
                 (QMap<QString, QByteArray> {{QStringLiteral("index.lvs"), "earlier content"}}));
        QCOMPARE(entries(out.path()), QStringList {"Data"});
    }

    void buildNeverReplacesAForeignFolder()
    {
        QTemporaryDir out;
        writeFile(out.path() + QStringLiteral("/notes.txt"), "mine");
        const Outcome refused = build(out.path());
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("notes.txt")), qPrintable(describe(refused)));
        QCOMPARE(snapshot(out.path()), (QMap<QString, QByteArray> {{QStringLiteral("notes.txt"), "mine"}}));
    }

    void verifyFindsEachKindOfDamage_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("offset"); // with no bytes: the size the file is cut to
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("pack cut short")
            << "0001.lvd" << qint64(25700) << QByteArray() << "/Data/0001.lvd è lungo 25700 byte";
        QTest::newRow("negative length") << "index.lvx" << qint64(2 * 7) << QByteArray("\xF0\xFF\xFF\xFF", 4)
                                         << "categoria 01 Animazione, immagine 3: lunghezza non valida";
        QTest::newRow("title record over 80") << "index.lvt" << qint64(82 * 4) << QByteArray("\x51\x00", 2)
                                              << "/Data/index.lvt non è leggibile";
        QTest::newRow("header cut short")
            << "0001.lvd" << qint64(20000) << QByteArray() << "/Data/0001.lvd è lungo 20000 byte";
        QTest::newRow("undecodable picture")
            << "0001.lvd" << qint64(25682) << QByteArray("JUNK")
            << "categoria 01 Animazione, immagine 1: l'immagine non si può leggere";
        QTest::newRow("over 32667 pictures")
            << "index.lvs" << qint64(5 * 2) << QByteArray("\xFF\x7F", 2) << "al massimo 32667";
    }
    void verifyFindsEachKindOfDamage()
    {
        QFETCH(QString, file);
        QFETCH(qint64, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QTemporaryDir out;
        const QString data = builtData(out.path());
        const QString path = data + QLatin1Char('/') + file;
        if (bytes.isEmpty())
            QVERIFY(QFile(path).resize(offset));
        else
            patch(path, offset, bytes);
        const Outcome checked = run({QStringLiteral("verify"), data});
        QCOMPARE(checked.code, 1);
        QVERIFY2(checked.out.contains(expected), qPrintable(describe(checked)));
        QVERIFY2(!checked.out.contains(QStringLiteral("a posto")), qPrintable(describe(checked)));
    }

    void verifyOnlyWarnsAboutMissingPacksAndTwinTitles()
    {
        QTemporaryDir out;
        const QString data = builtData(out.path(), [](Source &source) {
            source.lines[7] = source.lines[7].section(QLatin1Char('\t'), 0, 1) + QStringLiteral("\tdumbo");
        });
        QVERIFY(QFile::remove(data + QStringLiteral("/0012.lvd")));
        const Outcome checked = run({QStringLiteral("verify"), data});
        QVERIFY2(checked.code == 0, qPrintable(describe(checked)));
        QVERIFY2(checked.out.contains(
                     QStringLiteral("AVVISO: categoria 12 Barbie: manca il pacchetto %1/0012.lvd").arg(data)),
                 qPrintable(checked.out));
        QVERIFY2(checked.out.contains(
                     QStringLiteral("AVVISO: categoria 01 Animazione, immagine 8: \"dumbo\" è anche il "
                                    "titolo di categoria 01 Animazione, immagine 7")),
                 qPrintable(checked.out));
        QVERIFY2(checked.out.contains(QStringLiteral(
                     "a posto: 11 immagini in 20 categorie, 19 pacchetti su 20, 60 miniature, 2 avvisi")),
                 qPrintable(checked.out));
    }

    void failedExtractTouchesNothingAndLeavesNothing_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("target a folder with a file") << "target/notes.txt";
        QTest::newRow("target a link to an empty folder") << "link";
        QTest::newRow("damaged thumbnail") << "thumbnail";
        QTest::newRow("SIGTERM") << "signal";
    }
    void failedExtractTouchesNothingAndLeavesNothing()
    {
        QFETCH(QString, fault);
        const QString expected
            = fault == QLatin1String("thumbnail") ? QStringLiteral("B000.lvd non si può leggere")
              : fault == QLatin1String("signal")  ? QStringLiteral("Interrotto")
                                                  : QStringLiteral("non è una cartella vuota");
        QTemporaryDir out;
        const QString data = builtData(out.path());
        const QString target = out.path() + QStringLiteral("/target");
        if (fault == QLatin1String("link"))
            QVERIFY(QDir().mkdir(out.path() + QStringLiteral("/empty"))
                    && QFile::link(out.path() + QStringLiteral("/empty"), target));
        else if (fault == QLatin1String("thumbnail"))
            patch(data + QStringLiteral("/B000.lvd"), 25682, "JUNK");
        else if (fault == QLatin1String("signal"))
            Interrupt::install(); // the signal comes once the work has begun
        else
            writeFile(out.path() + QLatin1Char('/') + fault, "mine");
        const QStringList before = entries(out.path());
        QTest::failOnWarning(QRegularExpression(QStringLiteral("QIODevice")));
        if (fault == QLatin1String("signal"))
            std::raise(SIGTERM);
        const Outcome failed = run({QStringLiteral("extract"), data, QStringLiteral("1"), target});
        Interrupt::clear();
        QCOMPARE(failed.code, 1);
        QVERIFY2(failed.err.contains(expected) && !failed.out.contains(QStringLiteral("Estratte")),
                 qPrintable(describe(failed)));
        QCOMPARE(entries(out.path()), before);
    }

    void listAndVerifyNameDamagedIndexesOnce_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes"); // empty: the file is removed
        QTest::addColumn<QString>("expected");
        QTest::newRow("no index.lvt")
            << "index.lvt" << QByteArray() << "ERRORE: manca %1/index.lvt\n%1: 1 errore";
        QTest::newRow("negative count")
            << "index.lvs" << QByteArray("\xF7\xFF", 2) << "%1/index.lvs dà un numero di immagini negativo";
    }
    void listAndVerifyNameDamagedIndexesOnce()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QTemporaryDir out;
        const QString data = builtData(out.path());
        QVERIFY(QFileInfo(data).permissions() & QFile::ExeOther); // 0755, not a staging folder's 0700
        if (bytes.isEmpty())
            QVERIFY(QFile::remove(data + QLatin1Char('/') + file));
        else
            patch(data + QLatin1Char('/') + file, 0, bytes);
        const Outcome listed = run({QStringLiteral("list"), data});
        QVERIFY2(listed.code == 1 && listed.out.isEmpty()
                     && listed.err.contains(expected.section(QLatin1Char('\n'), 0, 0).arg(data)),
                 qPrintable(describe(listed)));
        const Outcome checked = run({QStringLiteral("verify"), data});
        QVERIFY2(checked.code == 1 && checked.out.contains(expected.arg(data)),
                 qPrintable(describe(checked)));
    }
};

int main(int argc, char *argv[])
{
    // Thumbnails are drawn with fonts: a GUI application, with no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tst_PackTool test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_PackTool.moc"
