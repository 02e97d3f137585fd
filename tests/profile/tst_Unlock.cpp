// The stages of the game: which wins open which categories and game types.

#include "TestSupport.h"
#include "play/CategoryPlay.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"

#include <QtTest>

class tst_Unlock : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    Profile *m_user = nullptr;

    // Wins the categories in the order given, each followed by the unlock check as play does.
    void win(const QVector<int> &categories)
    {
        for (int c : categories) {
            m_user->setCategoryState(c, Game::CategoryState(2));
            QVERIFY(m_user->checkUnlock());
        }
    }
    QByteArray groupRecord() { return ProfileFile(m_user->path()).readText(3); }

private slots:
    void init()
    {
        m_game = new GameFolderFixture;
        m_user = &m_game->profile();
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
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
        const Result<Unlock::Opened> again = m_user->checkUnlock();
        QVERIFY(again && again->isEmpty()); // a second check opens nothing more
        for (int c : opened)
            QVERIFY2(m_user->categoryState(c) == Game::CategoryState(1), qPrintable(QString::number(c)));
        QCOMPARE(qint16(m_user->categoryState(locked)), qint16(0));
        QCOMPARE(groupRecord(), groups);
    }

    void alphaWinThenRebusCompletesEveryGameType()
    {
        win({1, 5, 7, 8, 2, 3, 14, 16, 9, 13, 17, 6, 10, 15, 18, 4, 11, 12, 20});
        // The Alpha screen's own win: Alpha completed, Rebus opened.
        const Result<QString> opened = winAlpha(*m_user);
        QVERIFY(opened);
        QCOMPARE(*opened, QStringLiteral("Hai sbloccato la categoria Rebus."));
        QVERIFY(m_user->checkUnlock());
        QCOMPARE(groupRecord(), QByteArray("2|2|2|1"));
        win({19});
        QCOMPARE(ProfileFile(m_user->path()).readText(4),
                 QByteArray("2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2"));
        QCOMPARE(groupRecord(), QByteArray("2|2|2|2"));
    }
};

QTEST_GUILESS_MAIN(tst_Unlock)
#include "tst_Unlock.moc"
