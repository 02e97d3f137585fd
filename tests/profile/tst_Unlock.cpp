// The stages of the game: which wins open which categories and game types.

#include "TestSupport.h"
#include "profile/ProfileFile.h"
#include "profile/clsUser.h"

#include <QtTest>

class tst_Unlock : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    clsUser m_user;

    // Wins the categories in the order given, each followed by the unlock check as play does.
    void win(const QVector<int> &categories)
    {
        for (int c : categories) {
            m_user.setCategorie(c, mdlConst::CategoryState(2));
            m_user.CheckUnlock();
        }
    }
    QByteArray groupRecord() { return ProfileFile(m_user.profilePath()).readText(3); }

private slots:
    void init()
    {
        m_game = new GameFolderFixture;
        MessageRecorder answers(true);
        QVERIFY(m_user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
    }

    void cleanup() { delete m_game; }

    // A stage opens only once its last category is won, in whatever order.
    void stageOpensWhenItsLastCategoryIsWon_data()
    {
        QTest::addColumn<QVector<int>>("wins");
        QTest::addColumn<QVector<int>>("opened"); // now open (1)
        QTest::addColumn<int>("locked");          // still locked (0)
        QTest::addColumn<QByteArray>("groups");

        const QVector<int> stage1 = {8, 7, 5, 1};
        const QVector<int> stage2 = {16, 14, 3, 2};
        QTest::newRow("three of the first four")
            << QVector<int> {1, 5, 7} << QVector<int> {} << 2 << QByteArray("1|0|0|0");
        QTest::newRow("first stage opens Bonus")
            << stage1 << QVector<int> {2, 3, 14, 16} << 9 << QByteArray("1|1|0|0");
        QTest::newRow("third stage opens Puzzle")
            << stage1 + stage2 + QVector<int> {9, 13, 17} << QVector<int> {6, 10, 15, 18} << 4
            << QByteArray("1|1|0|1");
        QTest::newRow("fifth stage opens Alpha, Rebus stays locked")
            << stage1 + stage2 + QVector<int> {9, 13, 17, 6, 10, 15, 18, 4, 11, 12, 20} << QVector<int> {}
            << 19 << QByteArray("2|2|1|1");
    }
    void stageOpensWhenItsLastCategoryIsWon()
    {
        QFETCH(QVector<int>, wins);
        QFETCH(QVector<int>, opened);
        QFETCH(int, locked);
        QFETCH(QByteArray, groups);
        win(wins);
        m_user.CheckUnlock(); // a second check opens nothing more
        for (int c : opened)
            QVERIFY2(m_user.Categorie(c) == mdlConst::CategoryState(1), qPrintable(QString::number(c)));
        QCOMPARE(qint16(m_user.Categorie(locked)), qint16(0));
        QCOMPARE(groupRecord(), groups);
    }

    void alphaWinThenRebusCompletesEveryGameType()
    {
        win({1, 5, 7, 8, 2, 3, 14, 16, 9, 13, 17, 6, 10, 15, 18, 4, 11, 12, 20});
        // The Alpha screen's own win: Alpha completed, Rebus opened.
        m_user.setGroup(3, mdlConst::GameTypeState(2));
        m_user.setCategorie(19, mdlConst::CategoryState(1));
        m_user.CheckUnlock();
        QCOMPARE(groupRecord(), QByteArray("2|2|2|1"));
        win({19});
        QCOMPARE(ProfileFile(m_user.profilePath()).readText(4),
                 QByteArray("2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2"));
        QCOMPARE(groupRecord(), QByteArray("2|2|2|2"));
    }
};

QTEST_GUILESS_MAIN(tst_Unlock)
#include "tst_Unlock.moc"
