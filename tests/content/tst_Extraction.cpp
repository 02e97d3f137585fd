// Pages and thumbnails copied out of the packs, checked against packs the test writes itself, and
// the page list that hands a page over to the play screens ("cc:pp:kkkk:nnn:title").

#include "TestSupport.h"
#include "TinyContent.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "content/PageList.h"

#include <QtTest>

namespace {
// base: 1→0, 2→18, 5→45, 6→72, 10→108, 12→118, 18→143, 20→149; 153 pictures in all.
const QVector<int> Counts = {18, 9, 9, 9, 27, 9, 9, 9, 9, 6, 4, 5, 4, 4, 4, 4, 4, 3, 3, 4};

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
    void oneBytePictureAndThePictureAfterIt()
    {
        GameFolderFixture game;
        TinyContent content = TinyContent::numbered(Counts);
        content.pictures[1][1] = "Z"; // picture 2: v = 0
        content.titles[1][9] = "La vita \xE8 bella\x85";
        content.write(game);
        // A link in Temp/ is replaced, never written through.
        TinyContent::put(game, QStringLiteral("outside.txt"), "keep");
        QVERIFY(QFile::link(game.path(QStringLiteral("outside.txt")),
                            game.path(QStringLiteral("Temp/~temp.tmp"))));
        Result<> extracted = extractPage(game.table(), 1, 1);
        QVERIFY2(extracted, qPrintable(extracted.problem()));
        QCOMPARE(game.read(QStringLiteral("Temp/0002.tmp")), QByteArray("Z"));
        QCOMPARE(game.read(QStringLiteral("Temp/0003.tmp")), content.picture(3));
        // Page 2 starts after the one-byte picture, counted among the earlier ones.
        extracted = extractPage(game.table(), 1, 2);
        QVERIFY2(extracted, qPrintable(extracted.problem()));
        QCOMPARE(game.read(QStringLiteral("Temp/0001.tmp")), content.picture(10));
        QCOMPARE(game.read(QStringLiteral("Temp/0009.tmp")), content.picture(18));
        // The page list says where each picture comes from, for the screens.
        const Result<QVector<PageLine>> list = readPageList();
        QVERIFY2(list && list->size() == 9, qPrintable(list.problem()));
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(list->first().code())
                     .arg(list->first().picture)
                     .arg(list->first().title),
                 QStringLiteral("01020001 10 La vita è bella…"));
        QCOMPARE(list->first().picturePath(), game.path(QStringLiteral("Temp/0001.tmp")));
        QCOMPARE(game.read(QStringLiteral("outside.txt")), QByteArray("keep"));
    }

    void openPageIsTheFirstNotFullySolved()
    {
        QVector<qint16> flags(27, 1);
        QCOMPARE(int(findOpenPage(flags)), 1); // every page solved
        flags[9] = 2;                          // not 1: not solved
        flags[20] = 0;
        QCOMPARE(int(findOpenPage(flags)), 2);
    }

    void thumbnailsFollowTheCategoryState()
    {
        GameFolderFixture game;
        const TinyContent content = TinyContent::numbered(Counts);
        content.write(game);
        // Category 1 locked, from A000; category 20 won, the last of C000.
        for (const auto &[cat, state] : {std::pair {1, 0}, {20, 2}}) {
            const Result<QString> path = extractThumb(cat, Game::CategoryState(state));
            QVERIFY2(path && *path == game.path(QStringLiteral("Temp/thumb.tmp")),
                     qPrintable(path.problem()));
            QCOMPARE(game.read(QStringLiteral("Temp/thumb.tmp")), content.thumbs[state][cat]);
        }
        // Without its pack the thumbnail fails, and the one extracted before is gone.
        QVERIFY(QFile::remove(game.path(QStringLiteral("Data/C000.lvd"))));
        const QString problem = extractThumb(20, Game::CategoryState(2)).problem();
        QVERIFY2(problem.startsWith(QStringLiteral("Il file Data/C000.lvd manca o è danneggiato: ")),
                 qPrintable(problem));
        QCOMPARE(extractedFiles(game), QStringList());
    }

    void whatCannotBeExtractedFailsCleanly_data()
    {
        // Page 3 of category 5 reads pictures 64 to 72 of 153: lengths records 46 to 72, titles 64 to 72.
        QTest::addColumn<QString>("damaged");
        QTest::addColumn<qint64>("offset"); // -1: removed, -2: a link to /dev/zero; no bytes: cut here
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("page");
        const auto row = [](const char *name, const QString &damaged, qint64 offset, const QByteArray &bytes,
                            const QString &problem, int category = 5, int page = 3) {
            QTest::newRow(name) << damaged << offset << bytes << problem << category << page;
        };
        const QString damagedFile = QStringLiteral("Il file %1 manca o è danneggiato: ");
        row("missing pack", "Data/0005.lvd", -1, {}, damagedFile.arg("Data/0005.lvd"));
        row("truncated index.lvx", "Data/index.lvx", 7 * 67 - 2, {}, damagedFile.arg("Data/index.lvx"));
        row("negative length of an earlier picture", "Data/index.lvx", 7 * 49, ContentFiles::lengthRecord(-7),
            damagedFile.arg("Data/index.lvx"));
        row("length running past the pack", "Data/index.lvx", 7 * 65, ContentFiles::lengthRecord(1000000),
            damagedFile.arg("Data/0005.lvd"));
        row("title record over 80 bytes", "Data/index.lvt", 82 * 64, QByteArray("\xC8\x00", 2),
            damagedFile.arg("Data/index.lvt"));
        row("counts that overflow", "Data/index.lvs", 0, QByteArray("\x20\x4E\0\0\0\x20\x4E", 7),
            damagedFile.arg("Data/index.lvs"));
        row("a negative count", "Data/index.lvs", 5, "\xFC\xFF", damagedFile.arg("Data/index.lvs"));
        row("titles from /dev/zero", "Data/index.lvt", -2, {}, "Impossibile leggere il file Data/index.lvt.");
        row("page 2 of a one-page category", "", 0, {}, "La pagina 2 della categoria", 2, 2);
        row("a category past the last", "", 0, {}, "La categoria 21 non esiste", 21, 1);
    }
    void whatCannotBeExtractedFailsCleanly()
    {
        QFETCH(QString, damaged);
        QFETCH(qint64, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QFETCH(int, category);
        QFETCH(int, page);
        GameFolderFixture game;
        TinyContent::numbered(Counts).write(game);
        // An earlier page still lying in Temp/ must not pass for the page that failed.
        QVERIFY(extractPage(game.table(), 5, 1));
        QVERIFY(!extractedFiles(game).isEmpty());
        const QByteArray before = game.read(damaged);
        if (offset < 0)
            QVERIFY(QFile::remove(game.path(damaged))
                    && (offset == -1 || QFile::link("/dev/zero", game.path(damaged))));
        else if (!damaged.isEmpty())
            TinyContent::put(game, damaged,
                             bytes.isEmpty() ? before.left(offset)
                                             : QByteArray(before).replace(offset, bytes.size(), bytes));
        QVERIFY(game.session.categories().load());
        const Result<> failed = extractPage(game.table(), category, page);
        QVERIFY2(!failed && failed.problem().startsWith(problem), qPrintable(failed.problem()));
        QCOMPARE(extractedFiles(game), QStringList());
    }

    void pageListsAreReadOrRefused_data()
    {
        QTest::addColumn<QByteArray>("list");  // empty: there is none
        QTest::addColumn<QString>("expected"); // the last line's title, or the problem
        QTest::newRow("last line without CR LF")
            << QByteArray("01:01:0001:001:Up\r\n01:01:0002:002:Dumbo") << "Dumbo";
        QTest::newRow("missing") << QByteArray() << "Temp/~temp.tmp manca";
        QTest::newRow("the Alpha's three fields")
            << QByteArray("01:01:0001:001:Up\r\n0001:017:Up\r\n")
            << "La riga 2 della lista delle immagini Temp/~temp.tmp è danneggiata: ha 3 campi";
        QTest::newRow("not a number") << QByteArray("01:01:0001:0x1:Up\r\n") << "\"0x1\" non è un numero";
    }
    void pageListsAreReadOrRefused()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, expected);
        GameFolderFixture game;
        if (!list.isEmpty())
            TinyContent::put(game, QStringLiteral("Temp/~temp.tmp"), list);
        const Result<QVector<PageLine>> read = readPageList();
        const QString got = read ? read->last().title : read.problem();
        QVERIFY2(read ? got == expected : got.contains(expected), qPrintable(got));
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
