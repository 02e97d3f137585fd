// The stages of the game: which wins open which categories and game types.

#include "TestSupport.h"
#include "profile/ProfileFile.h"
#include "profile/clsUser.h"

#include <QtTest>

namespace {
QByteArray categoryRecord(clsUser &user)
{
    return ProfileFile(user.profilePath()).readText(4);
}

QByteArray groupRecord(clsUser &user)
{
    return ProfileFile(user.profilePath()).readText(3);
}

// Wins the categories in the order given, each followed by the unlock check as play does.
void win(clsUser &user, const QVector<int> &categories)
{
    for (int c : categories) {
        user.setCategorie(c, mdlConst::CategoryState(2));
        user.CheckUnlock();
    }
}
} // namespace

class tst_Unlock : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    clsUser m_user;

private slots:
    void init()
    {
        m_game = new GameFolderFixture;
        MessageRecorder answers(true);
        QVERIFY(m_user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
    }

    void cleanup() { delete m_game; }

    void eachStageOpensWhenItsLastCategoryIsWon_data()
    {
        QTest::addColumn<QVector<int>>("wins");
        QTest::addColumn<QByteArray>("categories");
        QTest::addColumn<QByteArray>("groups");

        const QVector<int> stage1 = {1, 5, 7, 8};
        const QVector<int> stage1Reversed = {8, 7, 5, 1};
        const QVector<int> stage2 = {2, 3, 14, 16};
        const QVector<int> stage3 = {9, 13, 17};
        const QVector<int> stage4 = {6, 10, 15, 18};
        const QVector<int> stage5 = {4, 11, 12, 20};

        QTest::newRow("three of the first four open nothing")
            << QVector<int> {1, 5, 7} << QByteArray("2|0|0|0|2|0|2|1|0|0|0|0|0|0|0|0|0|0|0|0")
            << QByteArray("1|0|0|0");
        QTest::newRow("first stage in order")
            << stage1 << QByteArray("2|1|1|0|2|0|2|2|0|0|0|0|0|1|0|1|0|0|0|0") << QByteArray("1|1|0|0");
        QTest::newRow("first stage reversed")
            << stage1Reversed << QByteArray("2|1|1|0|2|0|2|2|0|0|0|0|0|1|0|1|0|0|0|0")
            << QByteArray("1|1|0|0");
        QTest::newRow("second stage, Bonus first")
            << stage1 + QVector<int> {16, 14, 3, 2} << QByteArray("2|2|2|0|2|0|2|2|1|0|0|0|1|2|0|2|1|0|0|0")
            << QByteArray("1|1|0|0");
        QTest::newRow("third stage opens Puzzle")
            << stage1 + stage2 + stage3 << QByteArray("2|2|2|0|2|1|2|2|2|1|0|0|2|2|1|2|2|1|0|0")
            << QByteArray("1|1|0|1");
        QTest::newRow("fourth stage")
            << stage1 + stage2 + stage3 + stage4 << QByteArray("2|2|2|1|2|2|2|2|2|2|1|1|2|2|2|2|2|2|0|1")
            << QByteArray("1|1|0|1");
        QTest::newRow("fifth stage opens Alpha and leaves Rebus locked")
            << stage1 + stage2 + stage3 + stage4 + stage5
            << QByteArray("2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|0|2") << QByteArray("2|2|1|1");
    }

    void eachStageOpensWhenItsLastCategoryIsWon()
    {
        QFETCH(QVector<int>, wins);
        QFETCH(QByteArray, categories);
        QFETCH(QByteArray, groups);
        win(m_user, wins);
        QCOMPARE(categoryRecord(m_user), categories);
        QCOMPARE(groupRecord(m_user), groups);
    }

    void oneOpenCategoryLeftOpensNothing()
    {
        win(m_user, {1, 5, 7, 8, 2, 3, 14});
        const QByteArray before = categoryRecord(m_user);
        m_user.CheckUnlock();
        QCOMPARE(categoryRecord(m_user), before);
        QCOMPARE(groupRecord(m_user), QByteArray("1|1|0|0"));
        QCOMPARE(qint16(m_user.Categorie(16)), qint16(1));
        QCOMPARE(qint16(m_user.Categorie(9)), qint16(0));
    }

    void alphaWinThenRebusCompletesEveryGameType()
    {
        win(m_user, {1, 5, 7, 8, 2, 3, 14, 16, 9, 13, 17, 6, 10, 15, 18, 4, 11, 12, 20});
        // The Alpha screen's own win: Alpha completed, Rebus opened.
        m_user.setGroup(3, mdlConst::GameTypeState(2));
        m_user.setCategorie(19, mdlConst::CategoryState(1));
        m_user.CheckUnlock();
        QCOMPARE(groupRecord(m_user), QByteArray("2|2|2|1"));
        win(m_user, {19});
        QCOMPARE(categoryRecord(m_user), QByteArray("2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2"));
        QCOMPARE(groupRecord(m_user), QByteArray("2|2|2|2"));
    }
};

QTEST_GUILESS_MAIN(tst_Unlock)
#include "tst_Unlock.moc"
