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

enum class Fault {
    MissingPack,
    TruncatedPack,
    TruncatedLengths,
    NegativeLength,
    LengthPastEnd,
    TitleTooLong,
};

void resize(const GameFolderFixture &game, const QString &relative, qint64 size)
{
    QFile file(game.path(relative));
    QVERIFY(file.resize(size));
}

void patch(const GameFolderFixture &game, const QString &relative, qint64 offset, const QByteArray &bytes)
{
    QFile file(game.path(relative));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(offset));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

QByteArray littleEndian32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian<qint32>(value, bytes.data());
    return bytes;
}

// Files extraction may leave in Temp/ (not the Alpha's or the web window's).
QStringList extractedFiles(const GameFolderFixture &game)
{
    return QDir(game.path(QStringLiteral("Temp")))
        .entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
}

QList<QByteArray> pageListLines(const GameFolderFixture &game)
{
    QByteArray list = game.read(QStringLiteral("Temp/~temp.tmp"));
    if (!list.endsWith("\r\n"))
        return {"(no CR LF at the end)"};
    list.chop(2);
    return list.split('\n');
}
} // namespace

Q_DECLARE_METATYPE(Fault)

class tst_content_Extraction : public QObject
{
    Q_OBJECT

private slots:
    void itemBaseSumsTheCountsBefore_data()
    {
        QTest::addColumn<int>("cat");
        QTest::addColumn<int>("base");
        QTest::newRow("category 1") << 1 << 0;
        QTest::newRow("category 5") << 5 << 45;
        QTest::newRow("category 10, first themed") << 10 << 108;
        QTest::newRow("category 20") << 20 << 149;
    }
    void itemBaseSumsTheCountsBefore()
    {
        QFETCH(int, cat);
        QFETCH(int, base);
        GameFolderFixture game;
        game.setCounts(QVector<qint16>(Counts.begin(), Counts.end()));
        QCOMPARE(int(GetItemBase(cat)), base);
    }

    void itemBaseRefusesCountsThatCannotBeSummed()
    {
        GameFolderFixture game;
        game.setCounts({20000, 20000, 9});
        QCOMPARE(int(GetItemBase(2)), 20000);
        QCOMPARE(int(GetItemBase(3)), -1);
        game.setCounts({9, -4, 9});
        QCOMPARE(int(GetItemBase(3)), -1);
        QString error;
        QVERIFY(!ExtractPage(3, 1, GetItemBase(3), &error));
        QVERIFY2(error.contains(QStringLiteral("Data/index.lvs")), qPrintable(error));
    }

    void oneBytePictureAndThePictureAfterIt()
    {
        GameFolderFixture game;
        TinyContent content = TinyContent::numbered(Counts);
        content.pictures[1][1] = "Z"; // picture 2: v = 0
        content.write(game);
        QString error;
        QVERIFY2(ExtractPage(1, 1, 0, &error), qPrintable(error));
        QCOMPARE(game.read(QStringLiteral("Temp/0002.tmp")), QByteArray("Z"));
        QCOMPARE(game.read(QStringLiteral("Temp/0003.tmp")), content.picture(3));
        // Page 2 starts after the one-byte picture, counted among the earlier ones.
        QVERIFY2(ExtractPage(1, 2, 0, &error), qPrintable(error));
        QCOMPARE(game.read(QStringLiteral("Temp/0001.tmp")), content.picture(10));
        QCOMPARE(game.read(QStringLiteral("Temp/0009.tmp")), content.picture(18));
    }

    void openPageIsTheFirstNotFullySolved_data()
    {
        QTest::addColumn<QVector<int>>("solved");
        QTest::addColumn<int>("page");
        QTest::newRow("nothing solved") << QVector<int> {} << 1;
        QTest::newRow("first two pages solved") << QVector<int> {1, 2} << 3;
        QTest::newRow("every page solved") << QVector<int> {1, 2, 3} << 1;
        QTest::newRow("only page 2 solved") << QVector<int> {2} << 1;
    }
    void openPageIsTheFirstNotFullySolved()
    {
        QFETCH(QVector<int>, solved);
        QFETCH(int, page);
        QVector<qint16> flags(27, 0);
        for (int p : solved)
            std::fill(flags.begin() + 9 * (p - 1), flags.begin() + 9 * p, qint16(1));
        QCOMPARE(int(FindOpenPage(flags)), page);
        // A flag other than 1 is not solved.
        flags[0] = 2;
        QCOMPARE(int(FindOpenPage(flags)), 1);
    }

    void themedCategoryGetsPageZeroWithEveryPicture()
    {
        GameFolderFixture game;
        const TinyContent content = TinyContent::numbered(Counts);
        content.write(game);
        QString error;
        QVERIFY2(ExtractPage(12, 0, 118, &error), qPrintable(error));
        const QList<QByteArray> lines = pageListLines(game);
        QCOMPARE(lines.size(), 5);
        for (int k = 1; k <= 5; ++k) {
            const QByteArray expected = "12:00:000" + QByteArray::number(k) + ":"
                                        + QByteArray::number(118 + k) + ":Film " + QByteArray::number(118 + k)
                                        + (k < 5 ? "\r" : "");
            QCOMPARE(lines[k - 1], expected);
            QCOMPARE(game.read(QStringLiteral("Temp/000%1.tmp").arg(k)), content.picture(118 + k));
        }
    }

    void pageListHoldsTheTitleInWindows1252()
    {
        GameFolderFixture game;
        TinyContent content = TinyContent::numbered(Counts);
        content.titles[1][0] = "L'et\xE0 \xE8 gi\xE0 d'oro, s\xEC.";
        content.titles[1][1] = "Lo chiamavano Trinit\xE0\x85";
        content.write(game);
        QString error;
        QVERIFY2(ExtractPage(1, 1, 0, &error), qPrintable(error));
        QVERIFY(game.read(QStringLiteral("Temp/~temp.tmp"))
                    .startsWith("01:01:0001:001:L'et\xE0 \xE8 gi\xE0 d'oro, s\xEC.\r\n"
                                "01:01:0002:002:Lo chiamavano Trinit\xE0\x85\r\n"));

        QVector<PageLine> lines;
        QVERIFY2(ReadPageList(&lines, &error), qPrintable(error));
        QCOMPARE(lines.size(), 9);
        QCOMPARE(lines[0].title, QStringLiteral("L'età è già d'oro, sì."));
        QCOMPARE(lines[1].title, QStringLiteral("Lo chiamavano Trinità…"));
        QCOMPARE(lines[1].code(), QStringLiteral("01010002"));
        QCOMPARE(lines[1].picturePath(), game.path(QStringLiteral("Temp/0002.tmp")));
    }

    void pageReadsOnlyItsPicturesAndTheirRecords()
    {
        GameFolderFixture game;
        const TinyContent content = TinyContent::numbered(Counts);
        content.write(game);
        qint64 pictureBytes = 0;
        for (int n = 45 + 19; n <= 45 + 27; ++n)
            pictureBytes += content.picture(n).size();
        ContentFiles::resetBytesRead();
        QVERIFY(ExtractPage(5, 3, 45, nullptr));
        // Lengths of the 18 earlier pictures and the 9 own ones, 9 titles, 9 pictures.
        QCOMPARE(ContentFiles::bytesRead(), pictureBytes + 27 * 7 + 9 * 82);
    }

    void thumbnailFollowsTheCategoryState_data()
    {
        QTest::addColumn<int>("cat");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("pack");
        QTest::newRow("locked category 1 from A000") << 1 << 0 << 0;
        QTest::newRow("open category 7 from B000") << 7 << 1 << 1;
        QTest::newRow("won category 20, last of C000") << 20 << 2 << 2;
        QTest::newRow("any other state from C000") << 13 << 3 << 2;
    }
    void thumbnailFollowsTheCategoryState()
    {
        QFETCH(int, cat);
        QFETCH(int, state);
        QFETCH(int, pack);
        GameFolderFixture game;
        const TinyContent content = TinyContent::numbered(Counts);
        content.write(game);
        QString error;
        const QString path = ExtractThumb(cat, mdlConst::CategoryState(state), &error);
        QVERIFY2(!path.isEmpty(), qPrintable(error));
        QCOMPARE(path, game.path(QStringLiteral("Temp/thumb.tmp")));
        QCOMPARE(game.read(QStringLiteral("Temp/thumb.tmp")), content.thumbs[pack][cat]);
    }

    void damagedContentFailsCleanly_data()
    {
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<QString>("file");
        QTest::newRow("missing pack") << Fault::MissingPack << QStringLiteral("Data/0005.lvd");
        QTest::newRow("truncated pack") << Fault::TruncatedPack << QStringLiteral("Data/0005.lvd");
        QTest::newRow("truncated index.lvx") << Fault::TruncatedLengths << QStringLiteral("Data/index.lvx");
        QTest::newRow("negative length of an earlier picture")
            << Fault::NegativeLength << QStringLiteral("Data/index.lvx");
        QTest::newRow("length running past the pack")
            << Fault::LengthPastEnd << QStringLiteral("Data/0005.lvd");
        QTest::newRow("title record over 80 bytes")
            << Fault::TitleTooLong << QStringLiteral("Data/index.lvt");
    }
    void damagedContentFailsCleanly()
    {
        QFETCH(Fault, fault);
        QFETCH(QString, file);
        GameFolderFixture game;
        const TinyContent content = TinyContent::numbered(Counts);
        content.write(game);
        // An earlier page still lying in Temp/ must not pass for the page that failed.
        QVERIFY(ExtractPage(5, 1, 45, nullptr));
        QVERIFY(!extractedFiles(game).isEmpty());

        const QString pack = QStringLiteral("Data/0005.lvd");
        const int first = 45 + 19; // line 1 of page 3
        switch (fault) {
        case Fault::MissingPack:
            QVERIFY(QFile::remove(game.path(pack)));
            break;
        case Fault::TruncatedPack:
            resize(game, pack, QFileInfo(game.path(pack)).size() - 10);
            break;
        case Fault::TruncatedLengths:
            resize(game, QStringLiteral("Data/index.lvx"), 7 * (first + 3) - 2);
            break;
        case Fault::NegativeLength:
            patch(game, QStringLiteral("Data/index.lvx"), 7 * (45 + 4), littleEndian32(-7));
            break;
        case Fault::LengthPastEnd:
            patch(game, QStringLiteral("Data/index.lvx"), 7 * (first + 1), littleEndian32(1000000));
            break;
        case Fault::TitleTooLong:
            patch(game, QStringLiteral("Data/index.lvt"), 82 * first, QByteArray("\xC8\x00", 2));
            break;
        }

        QString error;
        QVERIFY(!ExtractPage(5, 3, 45, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Il file %1 manca o è danneggiato: ").arg(file)),
                 qPrintable(error));
        QCOMPARE(extractedFiles(game), QStringList());
    }

    void damagedThumbnailsFailCleanly_data()
    {
        QTest::addColumn<int>("cat");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("damaged");
        QTest::addColumn<qint64>("size"); // -1: removed
        QTest::newRow("missing C000.lvd") << 20 << 2 << QStringLiteral("Data/C000.lvd") << qint64(-1);
        QTest::newRow("truncated A000.lvd")
            << 20 << 0 << QStringLiteral("Data/A000.lvd") << qint64(25682 + 20);
    }
    void damagedThumbnailsFailCleanly()
    {
        QFETCH(int, cat);
        QFETCH(int, state);
        QFETCH(QString, damaged);
        QFETCH(qint64, size);
        GameFolderFixture game;
        const TinyContent content = TinyContent::numbered(Counts);
        content.write(game);
        QVERIFY(!ExtractThumb(cat, mdlConst::CategoryState(state), nullptr).isEmpty());
        if (size < 0)
            QVERIFY(QFile::remove(game.path(damaged)));
        else
            resize(game, damaged, size);
        QString error;
        QCOMPARE(ExtractThumb(cat, mdlConst::CategoryState(state), &error), QString());
        QVERIFY2(error.startsWith(QStringLiteral("Il file %1 manca o è danneggiato: ").arg(damaged)),
                 qPrintable(error));
        QCOMPARE(extractedFiles(game), QStringList());
    }

    void linksAndSpecialFilesNeverLeadExtractionAstray_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("standIn"); // a link to outside.txt or to /dev/zero, or a pipe
        QTest::addColumn<bool>("refused");
        QTest::newRow("link as thumb.tmp") << "Temp/thumb.tmp"
                                           << "outside.txt" << false;
        QTest::newRow("link as 0001.tmp") << "Temp/0001.tmp"
                                          << "outside.txt" << false;
        QTest::newRow("link as ~temp.tmp") << "Temp/~temp.tmp"
                                           << "outside.txt" << false;
        QTest::newRow("titles from /dev/zero") << "Data/index.lvt"
                                               << "/dev/zero" << true;
        QTest::newRow("pack from /dev/zero") << "Data/0012.lvd"
                                             << "/dev/zero" << true;
        QTest::newRow("lengths as a pipe") << "Data/index.lvx"
                                           << "pipe" << true;
    }
    void linksAndSpecialFilesNeverLeadExtractionAstray()
    {
        QFETCH(QString, file);
        QFETCH(QString, standIn);
        QFETCH(bool, refused);
        GameFolderFixture game;
        TinyContent::numbered(Counts).write(game);
        TinyContent::put(game, QStringLiteral("outside.txt"), "keep");
        QFile::remove(game.path(file));
        if (standIn == QLatin1String("pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(game.path(file)).constData(), 0644), 0);
        else
            QVERIFY(QFile::link(standIn.startsWith(QLatin1Char('/')) ? standIn : game.path(standIn),
                                game.path(file)));
        QString error;
        QVERIFY(!ExtractThumb(12, mdlConst::CategoryState(0)).isEmpty());
        QCOMPARE(ExtractPage(12, 0, GetItemBase(12), &error), !refused);
        QCOMPARE(error, refused ? QStringLiteral("Impossibile leggere il file %1.").arg(file) : QString());
        QCOMPARE(game.read(QStringLiteral("outside.txt")), QByteArray("keep"));
    }

    void pageOutsideTheCategoryIsRefused_data()
    {
        QTest::addColumn<int>("cat");
        QTest::addColumn<int>("page");
        QTest::newRow("page 2 of a one-page category") << 2 << 2;
        QTest::newRow("category 21") << 21 << 1;
    }
    void pageOutsideTheCategoryIsRefused()
    {
        QFETCH(int, cat);
        QFETCH(int, page);
        GameFolderFixture game;
        TinyContent::numbered(Counts).write(game);
        QString error;
        QVERIFY(!ExtractPage(cat, page, GetItemBase(cat), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(extractedFiles(game), QStringList());
    }

    void removeTempPicturesDeletesOnlyTmpFiles()
    {
        GameFolderFixture game;
        for (const QString &name :
             {QStringLiteral("0001.tmp"), QStringLiteral("~temp.tmp"), QStringLiteral("thumb.tmp"),
              QStringLiteral("~record.htm"), QStringLiteral("note.txt")})
            TinyContent::put(game, QStringLiteral("Temp/") + name, "x");
        RemoveTempPictures();
        QCOMPARE(game.entries(QStringLiteral("Temp")),
                 (QStringList {QStringLiteral("note.txt"), QStringLiteral("~record.htm")}));
    }
};

QTEST_GUILESS_MAIN(tst_content_Extraction)
#include "tst_content_Extraction.moc"
