// Pages and thumbnails copied out of the packs, checked against packs the test writes itself.

#include "TestSupport.h"
#include "TinyContent.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "content/PageList.h"

#include <QtTest>

#include <sys/stat.h>

namespace {
// base: 1→0, 2→18, 5→45, 6→72, 10→108, 12→118, 18→143, 20→149; 153 pictures in all.
const QVector<int> Counts = {18, 9, 9, 9, 27, 9, 9, 9, 9, 6, 4, 5, 4, 4, 4, 4, 4, 3, 3, 4};

void patch(const GameFolderFixture &game, const QString &relative, qint64 offset, const QByteArray &bytes)
{
    QFile file(game.path(relative));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// Files extraction may leave in Temp/ (not the Alpha's or the web window's).
QStringList extractedFiles(const GameFolderFixture &game)
{
    return QDir(game.path(QStringLiteral("Temp")))
        .entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
}
} // namespace

class tst_Extraction : public QObject
{
    Q_OBJECT

private slots:
    void itemBaseSumsTheCountsBeforeOrRefuses()
    {
        GameFolderFixture game;
        game.setCounts(QVector<qint16>(Counts.begin(), Counts.end()));
        QCOMPARE(int(game.table().itemBase(1)), 0);
        QCOMPARE(int(game.table().itemBase(20)), 149);
        game.setCounts({20000, 20000, 9});
        QCOMPARE(int(game.table().itemBase(3)), -1);
        game.setCounts({9, -4, 9});
        QCOMPARE(int(game.table().itemBase(3)), -1);
        const Result<> refused = extractPage(game.table(), 3, 1);
        QVERIFY2(!refused && refused.problem().contains(QStringLiteral("Data/index.lvs")),
                 qPrintable(refused.problem()));
    }

    void oneBytePictureAndThePictureAfterIt()
    {
        GameFolderFixture game;
        TinyContent content = TinyContent::numbered(Counts);
        content.pictures[1][1] = "Z"; // picture 2: v = 0
        content.write(game);
        Result<> extracted = extractPage(game.table(), 1, 1);
        QVERIFY2(extracted, qPrintable(extracted.problem()));
        QCOMPARE(game.read(QStringLiteral("Temp/0002.tmp")), QByteArray("Z"));
        QCOMPARE(game.read(QStringLiteral("Temp/0003.tmp")), content.picture(3));
        // Page 2 starts after the one-byte picture, counted among the earlier ones.
        extracted = extractPage(game.table(), 1, 2);
        QVERIFY2(extracted, qPrintable(extracted.problem()));
        QCOMPARE(game.read(QStringLiteral("Temp/0001.tmp")), content.picture(10));
        QCOMPARE(game.read(QStringLiteral("Temp/0009.tmp")), content.picture(18));
    }

    void openPageIsTheFirstNotFullySolved()
    {
        QVector<qint16> flags(27, 0);
        QCOMPARE(int(findOpenPage(flags)), 1);
        std::fill(flags.begin(), flags.begin() + 18, qint16(1));
        QCOMPARE(int(findOpenPage(flags)), 3);
        flags[9] = 2; // a flag other than 1 is not solved
        QCOMPARE(int(findOpenPage(flags)), 2);
        flags.fill(1);
        QCOMPARE(int(findOpenPage(flags)), 1); // every page solved
    }

    void thumbnailFollowsTheCategoryState_data()
    {
        QTest::addColumn<int>("cat");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("pack");
        QTest::newRow("locked category 1 from A000") << 1 << 0 << "A000";
        QTest::newRow("won category 20, last of C000") << 20 << 2 << "C000";
    }
    void thumbnailFollowsTheCategoryState()
    {
        QFETCH(int, cat);
        QFETCH(int, state);
        QFETCH(QString, pack);
        GameFolderFixture game;
        const TinyContent content = TinyContent::numbered(Counts);
        content.write(game);
        const Result<QString> path = extractThumb(cat, Game::CategoryState(state));
        QVERIFY2(path, qPrintable(path.problem()));
        QCOMPARE(*path, game.path(QStringLiteral("Temp/thumb.tmp")));
        QCOMPARE(game.read(QStringLiteral("Temp/thumb.tmp")), content.thumbs[state][cat]);

        // Without its pack the thumbnail fails, and the one extracted before is gone.
        const QString file = QStringLiteral("Data/%1.lvd").arg(pack);
        QVERIFY(QFile::remove(game.path(file)));
        const Result<QString> failed = extractThumb(cat, Game::CategoryState(state));
        QVERIFY2(!failed
                     && failed.problem().startsWith(
                         QStringLiteral("Il file %1 manca o è danneggiato: ").arg(file)),
                 qPrintable(failed.problem()));
        QCOMPARE(extractedFiles(game), QStringList());
    }

    void damagedContentFailsCleanly_data()
    {
        // Page 3 of category 5 reads pictures 64 to 72 of 153: lengths records 46 to 72, titles 64 to 72.
        QTest::addColumn<QString>("damaged");
        QTest::addColumn<qint64>("offset"); // -1: removed; no bytes: cut to this size
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("named"); // the file the message names
        QTest::newRow("missing pack") << "Data/0005.lvd" << qint64(-1) << QByteArray() << "Data/0005.lvd";
        QTest::newRow("truncated index.lvx")
            << "Data/index.lvx" << qint64(7 * 67 - 2) << QByteArray() << "Data/index.lvx";
        QTest::newRow("negative length of an earlier picture")
            << "Data/index.lvx" << qint64(7 * 49) << ContentFiles::lengthRecord(-7) << "Data/index.lvx";
        QTest::newRow("length running past the pack")
            << "Data/index.lvx" << qint64(7 * 65) << ContentFiles::lengthRecord(1000000) << "Data/0005.lvd";
        QTest::newRow("title record over 80 bytes")
            << "Data/index.lvt" << qint64(82 * 64) << QByteArray("\xC8\x00", 2) << "Data/index.lvt";
    }
    void damagedContentFailsCleanly()
    {
        QFETCH(QString, damaged);
        QFETCH(qint64, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, named);
        GameFolderFixture game;
        TinyContent::numbered(Counts).write(game);
        // An earlier page still lying in Temp/ must not pass for the page that failed.
        QVERIFY(extractPage(game.table(), 5, 1));
        QVERIFY(!extractedFiles(game).isEmpty());
        if (offset < 0)
            QVERIFY(QFile::remove(game.path(damaged)));
        else if (bytes.isEmpty())
            QVERIFY(QFile(game.path(damaged)).resize(offset));
        else
            patch(game, damaged, offset, bytes);

        const Result<> failed = extractPage(game.table(), 5, 3);
        QVERIFY2(!failed
                     && failed.problem().startsWith(
                         QStringLiteral("Il file %1 manca o è danneggiato: ").arg(named)),
                 qPrintable(failed.problem()));
        QCOMPARE(extractedFiles(game), QStringList());
    }

    void linksAndSpecialFilesNeverLeadExtractionAstray_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("standIn"); // a link to outside.txt or to /dev/zero, or a pipe
        QTest::newRow("link as ~temp.tmp")
            << QStringLiteral("Temp/~temp.tmp") << QStringLiteral("outside.txt");
        QTest::newRow("titles from /dev/zero")
            << QStringLiteral("Data/index.lvt") << QStringLiteral("/dev/zero");
        QTest::newRow("lengths as a pipe") << QStringLiteral("Data/index.lvx") << QStringLiteral("pipe");
    }
    void linksAndSpecialFilesNeverLeadExtractionAstray()
    {
        QFETCH(QString, file);
        QFETCH(QString, standIn);
        const bool refused = file.startsWith(QLatin1String("Data/")); // written files are replaced instead
        GameFolderFixture game;
        TinyContent::numbered(Counts).write(game);
        TinyContent::put(game, QStringLiteral("outside.txt"), "keep");
        QFile::remove(game.path(file));
        if (standIn == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(game.path(file)).constData(), 0644), 0);
        else
            QVERIFY(QFile::link(standIn.startsWith(QLatin1Char('/')) ? standIn : game.path(standIn),
                                game.path(file)));
        QVERIFY(extractThumb(12, Game::CategoryState(0)));
        const Result<> extracted = extractPage(game.table(), 12, 0);
        QCOMPARE(extracted.ok(), !refused);
        QCOMPARE(extracted.problem(),
                 refused ? QStringLiteral("Impossibile leggere il file %1.").arg(file) : QString());
        QCOMPARE(game.read(QStringLiteral("outside.txt")), QByteArray("keep"));
    }

    void pageOutsideTheCategoryIsRefused()
    {
        GameFolderFixture game;
        TinyContent::numbered(Counts).write(game);
        // Page 2 of a one-page category, and a category past the last.
        QVERIFY(extractPage(game.table(), 2, 2).problem().contains(QStringLiteral("pagina 2")));
        QVERIFY(extractPage(game.table(), 21, 1).problem().contains(QStringLiteral("categoria 21")));
        QCOMPARE(extractedFiles(game), QStringList());
    }

    void removeTempPicturesDeletesOnlyTmpFiles()
    {
        GameFolderFixture game;
        for (const QString &name :
             {QStringLiteral("0001.tmp"), QStringLiteral("~temp.tmp"), QStringLiteral("thumb.tmp"),
              QStringLiteral("~record.htm"), QStringLiteral("note.txt")})
            TinyContent::put(game, QStringLiteral("Temp/") + name, "x");
        removeTempPictures();
        QCOMPARE(game.entries(QStringLiteral("Temp")),
                 (QStringList {QStringLiteral("note.txt"), QStringLiteral("~record.htm")}));
    }
};

QTEST_GUILESS_MAIN(tst_Extraction)
#include "tst_Extraction.moc"
