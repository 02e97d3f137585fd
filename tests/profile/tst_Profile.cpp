// The profile file, record by record, against the bytes a profile must hold.

#include "TestSupport.h"
#include "content/Ansi.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"

#include <QtTest>

namespace {
QByteArray textRecord(const QByteArray &text)
{
    QByteArray record(45, '\0');
    record[0] = char(text.size());
    record.replace(2, text.size(), text);
    return record.left(45);
}
} // namespace

class tst_Profile : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    Profile *m_user = nullptr;

    QByteArray recordOf(const QByteArray &file, int number) { return file.mid((number - 1) * 45, 45); }
    QByteArray profile() const { return m_game->read(QStringLiteral("User/Mario.lmp")); }

private slots:
    // Every case starts from a profile named Mario with password "pw", made through the login.
    void init()
    {
        m_game = new GameFolderFixture;
        m_user = &m_game->profile();
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
    }
    void cleanup() { delete m_game; }

    void newProfileHoldsExactlyTheStartingRecords()
    {
        const QByteArray expected = textRecord("Nbsjp") + textRecord("qx") + textRecord("1|0|0|0")
                                    + textRecord("1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|0|0|0|0|0")
                                    + textRecord("000000|000000|000000|000000");
        QCOMPARE(profile(), expected);
    }

    // Times hold at their largest value instead of wrapping and never go below zero.
    void listWritesKeepTheirFixedLength()
    {
        QVERIFY(m_user->setCategoryState(20, Game::CategoryState(2)));
        QVERIFY(m_user->setGameTypeState(3, Game::GameTypeState(2)));
        QVERIFY(m_user->setPlayTime(2, 3661));
        QVERIFY(m_user->setPlayTime(1, 999999));
        QVERIFY(m_user->setPlayTime(1, m_user->playTime(1) + 1));
        QVERIFY(m_user->setPlayTime(4, 1234567));
        QVERIFY(m_user->setPlayTime(3, -5));
        const QByteArray file = profile();
        QCOMPARE(recordOf(file, 4), textRecord("1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|0|0|0|0|2"));
        QCOMPARE(recordOf(file, 3), textRecord("1|0|2|0"));
        QCOMPARE(recordOf(file, 5), textRecord("999999|003661|000000|999999"));
        QCOMPARE(m_user->playTime(2), 3661);
    }

    void firstPictureFlagExtendsTheFileAtOffset4500()
    {
        QVERIFY(m_user->setSolvedFlag(1, 1));
        const QByteArray file = profile();
        QCOMPARE(file.size(), 101 * 45);
        QCOMPARE(file.mid(4500, 45), QByteArray(1, 1) + QByteArray(44, 0));
        // Records 6 to 100 were never written: zeros, read as 0.
        QCOMPARE(file.mid(5 * 45, 95 * 45), QByteArray(95 * 45, '\0'));
        QCOMPARE(m_user->solvedFlag(1), qint16(1));
    }

    void solvedCountBelongsToOneCategoryOnly()
    {
        m_game->setCounts({18, 9, 9, 9, 9, 9, 9, 9, 9, 5, 5, 5, 5, 5, 5, 5, 5, 4, 4, 4});
        // Category 2 starts after the 18 pictures of category 1.
        QVERIFY(m_user->setSolvedFlag(19, 1));
        QCOMPARE(m_user->solvedCount(2), qint16(1));
        QCOMPARE(m_user->solvedCount(1), qint16(0));
        // Only a flag of one counts as solved.
        QVERIFY(m_user->setSolvedFlag(18, 1) && m_user->setSolvedFlag(17, 2)
                && m_user->setSolvedFlag(16, -19));
        QCOMPARE(m_user->solvedCount(1), qint16(1));
        // The last picture of the last category.
        const int last = 18 + 8 * 9 + 8 * 5 + 3 * 4;
        QVERIFY(m_user->setSolvedFlag(last, 1));
        QCOMPARE(m_user->solvedCount(20), qint16(1));
        QCOMPARE(m_user->solvedCount(19), qint16(0));
    }

    void accentedNamesAreWindows1252()
    {
        Profile user(m_game->table());
        // "Niccolò" with "€" in the password: ò is 0xF2 → 0xF3, € is 0x80 → 0x81.
        QVERIFY(logInOrCreate(user, QStringLiteral("Niccolò"), QStringLiteral("5€")));
        const QByteArray file = m_game->read(QStringLiteral("User/Niccolò.lmp"));
        QCOMPARE(recordOf(file, 1), textRecord("Ojddpm\xF3"));
        QCOMPARE(recordOf(file, 2), textRecord("6\x81"));
        QCOMPARE(user.name(), QStringLiteral("Niccolò"));
        QVERIFY(logInOrCreate(user, QStringLiteral("Niccolò"), QStringLiteral("5€")));
    }

    // Damaged lists, a length field beyond its record and a cut file read without crashing.
    void damagedFileReadsWhatIsLeftAndZeroForTheRest()
    {
        ProfileFile file(m_user->path());
        QVERIFY(file.writeText(3, "1|x"));
        QVERIFY(file.writeText(5, "12"));
        QCOMPARE(qint16(m_user->gameTypeState(1)), qint16(1));
        QCOMPARE(qint16(m_user->gameTypeState(2)), qint16(0));
        QCOMPARE(m_user->playTime(1), 12);
        QCOMPARE(m_user->playTime(4), 0);
        QCOMPARE(qint16(m_user->categoryState(21)), qint16(0));

        QFile raw(m_user->path());
        QVERIFY(raw.open(QIODevice::ReadWrite)
                && raw.write(QByteArray("\xFF\x7F", 2) + QByteArray(43, 'B')) == 45);
        raw.close();
        QCOMPARE(m_user->name(), QString(43, QLatin1Char('A')));

        // Record 4 keeps its first three characters, "1|0": what is left reads, the rest is 0.
        QVERIFY(raw.resize(3 * 45 + 5));
        QCOMPARE(qint16(m_user->categoryState(1)), qint16(1));
        QCOMPARE(qint16(m_user->categoryState(5)), qint16(0));
        QCOMPARE(m_user->solvedFlag(7), qint16(0));
    }
};

QTEST_GUILESS_MAIN(tst_Profile)
#include "tst_Profile.moc"
