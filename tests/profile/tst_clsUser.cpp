// The profile file, record by record, against the bytes a profile must hold.

#include "TestSupport.h"
#include "content/Ansi.h"
#include "profile/ProfileFile.h"
#include "profile/clsUser.h"

#include <QtTest>

namespace {
QByteArray textRecord(const QByteArray &text)
{
    QByteArray record(45, '\0');
    record[0] = char(text.size());
    record.replace(2, text.size(), text);
    return record.left(45);
}

QByteArray integerRecord(qint16 value)
{
    QByteArray record(45, '\0');
    record[0] = char(value & 0xFF);
    record[1] = char((value >> 8) & 0xFF);
    return record;
}
} // namespace

class tst_clsUser : public QObject
{
    Q_OBJECT

private:
    // A profile named Mario with password "pw", made through the login as a player would.
    void createMario(clsUser &user)
    {
        MessageRecorder answers(true);
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
    }

    QByteArray recordOf(const QByteArray &file, int number) { return file.mid((number - 1) * 45, 45); }

private slots:
    void newProfileHoldsExactlyTheStartingRecords()
    {
        GameFolderFixture game;
        clsUser user;
        createMario(user);
        const QByteArray expected = textRecord("Nbsjp") + textRecord("qx") + textRecord("1|0|0|0")
                                    + textRecord("1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|0|0|0|0|0")
                                    + textRecord("000000|000000|000000|000000");
        QCOMPARE(game.read(QStringLiteral("User/Mario.lmp")), expected);
    }

    void listWritesKeepTheirFixedLength()
    {
        GameFolderFixture game;
        clsUser user;
        createMario(user);
        QVERIFY(user.setCategorie(20, mdlConst::CategoryState(2)));
        QVERIFY(user.setGroup(3, mdlConst::GameTypeState(2)));
        QVERIFY(user.setTime(2, 3661));
        const QByteArray file = game.read(QStringLiteral("User/Mario.lmp"));
        QCOMPARE(recordOf(file, 4), textRecord("1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|0|0|0|0|2"));
        QCOMPARE(recordOf(file, 3), textRecord("1|0|2|0"));
        QCOMPARE(recordOf(file, 5), textRecord("000000|003661|000000|000000"));
        QCOMPARE(user.Time(2), 3661);
    }

    void timeHoldsAtItsLargestValueInsteadOfWrapping()
    {
        GameFolderFixture game;
        clsUser user;
        createMario(user);
        QVERIFY(user.setTime(1, 999999));
        QVERIFY(user.setTime(1, user.Time(1) + 1));
        QCOMPARE(user.Time(1), 999999);
        QVERIFY(user.setTime(4, 1234567));
        QCOMPARE(user.Time(4), 999999);
        QVERIFY(user.setTime(3, -5));
        QCOMPARE(user.Time(3), 0);
        QCOMPARE(recordOf(game.read(QStringLiteral("User/Mario.lmp")), 5),
                 textRecord("999999|000000|000000|999999"));
    }

    void firstPictureFlagExtendsTheFileAtOffset4500()
    {
        GameFolderFixture game;
        clsUser user;
        createMario(user);
        QVERIFY(user.setItem(1, 1));
        const QByteArray file = game.read(QStringLiteral("User/Mario.lmp"));
        QCOMPARE(file.size(), 101 * 45);
        QCOMPARE(file.mid(4500, 45), integerRecord(1));
        // Records 6 to 100 were never written: zeros, read as 0.
        QCOMPARE(file.mid(5 * 45, 95 * 45), QByteArray(95 * 45, '\0'));
        QCOMPARE(user.record(), qint16(0));
        QCOMPARE(user.Item(1), qint16(1));
        QCOMPARE(user.Item(2), qint16(0));
    }

    void solvedCountBelongsToOneCategoryOnly()
    {
        GameFolderFixture game;
        game.setCounts({18, 9, 9, 9, 9, 9, 9, 9, 9, 5, 5, 5, 5, 5, 5, 5, 5, 4, 4, 4});
        clsUser user;
        createMario(user);
        // Category 2 starts after the 18 pictures of category 1.
        QVERIFY(user.setItem(19, 1));
        QCOMPARE(user.Risolti(2), qint16(1));
        QCOMPARE(user.Risolti(1), qint16(0));
        QVERIFY(user.setItem(18, 1));
        QCOMPARE(user.Risolti(1), qint16(1));
        QCOMPARE(user.Risolti(2), qint16(1));
        // The last picture of the last category.
        const int last = 18 + 8 * 9 + 8 * 5 + 3 * 4;
        QVERIFY(user.setItem(last, 1));
        QCOMPARE(user.Risolti(20), qint16(1));
        QCOMPARE(user.Risolti(19), qint16(0));
    }

    void accentedNamesAreWindows1252()
    {
        GameFolderFixture game;
        clsUser user;
        MessageRecorder answers(true);
        // "Niccolò" with "€" in the password: è is 0xF2 → 0xF3, € is 0x80 → 0x81.
        QVERIFY(user.Login(QStringLiteral("Niccolò"), QStringLiteral("5€")));
        const QByteArray file = game.read(QStringLiteral("User/Niccolò.lmp"));
        QCOMPARE(recordOf(file, 1), textRecord("Ojddpm\xF3"));
        QCOMPARE(recordOf(file, 2), textRecord("6\x81"));
        QCOMPARE(user.user(), QStringLiteral("Niccolò"));
        QCOMPARE(user.pwd(), QStringLiteral("5€"));
    }

    void damagedListsReadAsZeroWithoutCrashing()
    {
        GameFolderFixture game;
        clsUser user;
        createMario(user);
        ProfileFile file(user.profilePath());
        QVERIFY(file.writeText(3, "1|x"));
        QVERIFY(file.writeText(5, "12"));
        QCOMPARE(qint16(user.Group(1)), qint16(1));
        QCOMPARE(qint16(user.Group(2)), qint16(0));
        QCOMPARE(qint16(user.Group(4)), qint16(0));
        QCOMPARE(user.Time(1), 12);
        QCOMPARE(user.Time(4), 0);
        QCOMPARE(qint16(user.Categorie(0)), qint16(0));
        QCOMPARE(qint16(user.Categorie(21)), qint16(0));
    }

    void lengthFieldBeyondTheRecordIsHeldToTheRecord()
    {
        GameFolderFixture game;
        clsUser user;
        createMario(user);
        QFile raw(user.profilePath());
        QVERIFY(raw.open(QIODevice::ReadWrite));
        raw.seek(0);
        raw.write(QByteArray("\xFF\x7F", 2));
        raw.close();
        QCOMPARE(Ansi::encode(user.user()).size(), 43);
    }

    void truncatedFileReadsZerosPastItsEnd()
    {
        GameFolderFixture game;
        clsUser user;
        createMario(user);
        QFile raw(user.profilePath());
        QVERIFY(raw.resize(3 * 45 + 5));
        // Record 4 keeps its first three characters, "1|0": what is left reads, the rest is 0.
        QCOMPARE(qint16(user.Group(1)), qint16(1));
        QCOMPARE(qint16(user.Categorie(1)), qint16(1));
        QCOMPARE(qint16(user.Categorie(5)), qint16(0));
        QCOMPARE(user.Time(1), 0);
        QCOMPARE(user.Item(7), qint16(0));
    }

    void onlyAFlagOfOneCountsAsSolved()
    {
        GameFolderFixture game;
        game.setCounts({18});
        clsUser user;
        createMario(user);
        QVERIFY(user.setItem(1, 1) && user.setItem(2, 2) && user.setItem(3, -19));
        QCOMPARE(user.Risolti(1), qint16(1));
    }
};

QTEST_GUILESS_MAIN(tst_clsUser)
#include "tst_clsUser.moc"
