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
} // namespace

class tst_clsUser : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    clsUser *m_user = nullptr;

    QByteArray recordOf(const QByteArray &file, int number) { return file.mid((number - 1) * 45, 45); }
    QByteArray profile() const { return m_game->read(QStringLiteral("User/Mario.lmp")); }

private slots:
    // Every case starts from a profile named Mario with password "pw", made through the login.
    void init()
    {
        m_game = new GameFolderFixture;
        m_user = new clsUser;
        MessageRecorder answers(true);
        QVERIFY(m_user->Login(QStringLiteral("Mario"), QStringLiteral("pw")));
    }
    void cleanup()
    {
        delete m_user;
        delete m_game;
    }

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
        QVERIFY(m_user->setCategorie(20, mdlConst::CategoryState(2)));
        QVERIFY(m_user->setGroup(3, mdlConst::GameTypeState(2)));
        QVERIFY(m_user->setTime(2, 3661));
        QVERIFY(m_user->setTime(1, 999999));
        QVERIFY(m_user->setTime(1, m_user->Time(1) + 1));
        QVERIFY(m_user->setTime(4, 1234567));
        QVERIFY(m_user->setTime(3, -5));
        const QByteArray file = profile();
        QCOMPARE(recordOf(file, 4), textRecord("1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|0|0|0|0|2"));
        QCOMPARE(recordOf(file, 3), textRecord("1|0|2|0"));
        QCOMPARE(recordOf(file, 5), textRecord("999999|003661|000000|999999"));
        QCOMPARE(m_user->Time(2), 3661);
    }

    void firstPictureFlagExtendsTheFileAtOffset4500()
    {
        QVERIFY(m_user->setItem(1, 1));
        const QByteArray file = profile();
        QCOMPARE(file.size(), 101 * 45);
        QCOMPARE(file.mid(4500, 45), QByteArray(1, 1) + QByteArray(44, 0));
        // Records 6 to 100 were never written: zeros, read as 0.
        QCOMPARE(file.mid(5 * 45, 95 * 45), QByteArray(95 * 45, '\0'));
        QCOMPARE(m_user->Item(1), qint16(1));
    }

    void solvedCountBelongsToOneCategoryOnly()
    {
        m_game->setCounts({18, 9, 9, 9, 9, 9, 9, 9, 9, 5, 5, 5, 5, 5, 5, 5, 5, 4, 4, 4});
        // Category 2 starts after the 18 pictures of category 1.
        QVERIFY(m_user->setItem(19, 1));
        QCOMPARE(m_user->Risolti(2), qint16(1));
        QCOMPARE(m_user->Risolti(1), qint16(0));
        // Only a flag of one counts as solved.
        QVERIFY(m_user->setItem(18, 1) && m_user->setItem(17, 2) && m_user->setItem(16, -19));
        QCOMPARE(m_user->Risolti(1), qint16(1));
        // The last picture of the last category.
        const int last = 18 + 8 * 9 + 8 * 5 + 3 * 4;
        QVERIFY(m_user->setItem(last, 1));
        QCOMPARE(m_user->Risolti(20), qint16(1));
        QCOMPARE(m_user->Risolti(19), qint16(0));
    }

    void accentedNamesAreWindows1252()
    {
        clsUser user;
        MessageRecorder answers(true);
        // "Niccolò" with "€" in the password: è is 0xF2 → 0xF3, € is 0x80 → 0x81.
        QVERIFY(user.Login(QStringLiteral("Niccolò"), QStringLiteral("5€")));
        const QByteArray file = m_game->read(QStringLiteral("User/Niccolò.lmp"));
        QCOMPARE(recordOf(file, 1), textRecord("Ojddpm\xF3"));
        QCOMPARE(recordOf(file, 2), textRecord("6\x81"));
        QCOMPARE(user.pwd(), QStringLiteral("5€"));
    }

    // Damaged lists, a length field beyond its record and a cut file read without crashing.
    void damagedFileReadsWhatIsLeftAndZeroForTheRest()
    {
        ProfileFile file(m_user->profilePath());
        QVERIFY(file.writeText(3, "1|x"));
        QVERIFY(file.writeText(5, "12"));
        QCOMPARE(qint16(m_user->Group(1)), qint16(1));
        QCOMPARE(qint16(m_user->Group(2)), qint16(0));
        QCOMPARE(m_user->Time(1), 12);
        QCOMPARE(m_user->Time(4), 0);
        QCOMPARE(qint16(m_user->Categorie(21)), qint16(0));

        QFile raw(m_user->profilePath());
        QVERIFY(raw.open(QIODevice::ReadWrite) && raw.write(QByteArray("\xFF\x7F", 2)) == 2);
        raw.close();
        QCOMPARE(Ansi::encode(m_user->user()).size(), 43);

        // Record 4 keeps its first three characters, "1|0": what is left reads, the rest is 0.
        QVERIFY(raw.resize(3 * 45 + 5));
        QCOMPARE(qint16(m_user->Categorie(1)), qint16(1));
        QCOMPARE(qint16(m_user->Categorie(5)), qint16(0));
        QCOMPARE(m_user->Item(7), qint16(0));
    }
};

QTEST_GUILESS_MAIN(tst_clsUser)
#include "tst_clsUser.moc"
