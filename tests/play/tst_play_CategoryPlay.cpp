// The play rules without a window: solving, winning, the clock and the page chosen at opening.

#include "TinyContent.h"
#include "content/mdlGeneral.h"
#include "play/CategoryPlay.h"
#include "profile/clsUser.h"

#include <QtTest>
#include <memory>

namespace {
// Animazione (1) two pages, Demenziali (5), Fantascienza (7), Fantastico (8) one each; a Bonus
// category (14) of four pictures.
const QVector<int> Counts = {18, 0, 0, 0, 9, 0, 9, 9, 0, 0, 0, 0, 0, 4};
constexpr int Animazione = 1;
constexpr int Demenziali = 5;
constexpr int Maschere = 14;

// Takes the profile away behind the player's back: every later write fails.
void breakProfile()
{
    const QString path = objUser.profilePath();
    QVERIFY(QFile::rename(path, path + QStringLiteral(".away")));
    QVERIFY(QDir().mkdir(path));
}
} // namespace

class tst_play_CategoryPlay : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    std::unique_ptr<MessageRecorder> m_messages;
    TinyContent m_content = TinyContent::numbered(Counts);

    void solve(int category, int first, int last)
    {
        for (int p = first; p <= last; ++p)
            objUser.setItem(m_content.base(category) + p, 1);
    }

private slots:
    void init()
    {
        // The old answerer goes first: its end would silence the new one.
        m_messages.reset();
        m_game.reset();
        m_game = std::make_unique<GameFolderFixture>();
        m_content.write(*m_game);
        m_messages = std::make_unique<MessageRecorder>(true);
        QVERIFY(objUser.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        m_messages->shown.clear();
    }

    void openingChoosesTheFirstUnfinishedPage()
    {
        objUser.curcat = Animazione;
        QVERIFY(PreparePage(objUser));
        QCOMPARE(objUser.curPage, qint16(1));
        solve(Animazione, 1, 9);
        QVERIFY(PreparePage(objUser));
        QCOMPARE(objUser.curPage, qint16(2));
        objUser.curcat = Maschere;
        QVERIFY(PreparePage(objUser));
        QCOMPARE(objUser.curPage, qint16(0));
        QVERIFY(m_game->read(QStringLiteral("Temp/~temp.tmp")).startsWith("14:00:0001:"));
    }

    void thePanelShowsOnlyWhileTheCategoryIsIncomplete()
    {
        CategoryPlay play(objUser, Demenziali, 1);
        QCOMPARE(play.open(), CategoryPlay::Panel::Instructions);
        solve(Demenziali, 1, 9);
        QCOMPARE(play.open(), CategoryPlay::Panel::Hidden);
        QCOMPARE(play.solvedText(), QStringLiteral("9/9"));
    }

    void theClockStartsOnlyForAnOpenCategory_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("runs");
        QTest::newRow("open") << 1 << true;
        QTest::newRow("won") << 2 << false;
    }
    void theClockStartsOnlyForAnOpenCategory()
    {
        QFETCH(int, state);
        QFETCH(bool, runs);
        objUser.setCategorie(Demenziali, mdlConst::CategoryState(state));
        CategoryPlay play(objUser, Demenziali, 1);
        play.open();
        play.panelClicked();
        QCOMPARE(play.panel(), CategoryPlay::Panel::Hidden);
        QCOMPARE(play.clock().isRunning(), runs);
    }

    void typingIsIgnoredUntilReadyAndSolvesOnMatch()
    {
        CategoryPlay play(objUser, Animazione, 1);
        QCOMPARE(play.typed(1, QStringLiteral("film 1"), QStringLiteral("Film 1")),
                 CategoryPlay::Typed::NoMatch);
        play.setReady(true);
        QCOMPARE(play.typed(1, QStringLiteral("film"), QStringLiteral("Film 1")),
                 CategoryPlay::Typed::NoMatch);
        QCOMPARE(objUser.Item(1), qint16(0));
        QCOMPARE(play.typed(1, QStringLiteral("film 1"), QStringLiteral("Film 1")),
                 CategoryPlay::Typed::Solved);
        QCOMPARE(objUser.Item(1), qint16(1));
        QCOMPARE(play.solvedText(), QStringLiteral("1/18"));
    }

    void aSolveThatCannotBeSavedIsNotReported()
    {
        CategoryPlay play(objUser, Animazione, 1);
        play.setReady(true);
        breakProfile();
        QCOMPARE(play.typed(1, QStringLiteral("film 1"), QStringLiteral("Film 1")),
                 CategoryPlay::Typed::NotSaved);
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY(m_messages->lastText().contains(QStringLiteral("soluzione")));
    }

    void winningTheLastPictureStopsTheClockAndOpensTheNextStage()
    {
        // The first stage needs Animazione, Demenziali, Fantascienza and Fantastico won.
        for (int c : {Animazione, 7, 8})
            objUser.setCategorie(c, mdlConst::CategoryState(2));
        solve(Demenziali, 1, 8);
        CategoryPlay play(objUser, Demenziali, 1);
        play.setReady(true);
        play.panelClicked();
        QVERIFY(play.clock().isRunning());
        const int last = m_content.base(Demenziali) + 9;
        QCOMPARE(play.typed(last, QStringLiteral("FILM %1").arg(last), QStringLiteral("Film %1").arg(last)),
                 CategoryPlay::Typed::Won);
        QCOMPARE(qint16(objUser.Categorie(Demenziali)), qint16(2));
        QCOMPARE(play.panel(), CategoryPlay::Panel::Won);
        QVERIFY(!play.clock().isRunning());
        QCOMPARE(qint16(objUser.Group(2)), qint16(1)); // Bonus opened by the unlock
    }

    void theClockCountsIntoItsOwnSlotAndHoldsAtTheTop()
    {
        objUser.setTime(2, 9);
        objUser.setTime(4, clsUser::MaxSeconds - 1);
        PlayClock bonus(objUser, 2);
        QCOMPARE(bonus.tick(), 9); // stopped: nothing counted
        bonus.start();
        QCOMPARE(bonus.tick(), 10);
        QCOMPARE(objUser.Time(2), 10);
        QCOMPARE(objUser.Time(1), 0);
        PlayClock puzzle(objUser, 4);
        puzzle.start();
        QCOMPARE(puzzle.tick(), clsUser::MaxSeconds);
        QCOMPARE(puzzle.tick(), clsUser::MaxSeconds);
        QVERIFY(bonus.restartFromZero());
        QCOMPARE(objUser.Time(2), 0);
        QVERIFY(bonus.isRunning());
    }

    void aSecondThatCannotBeSavedStopsTheClock()
    {
        PlayClock clock(objUser, 1);
        clock.start();
        breakProfile();
        QCOMPARE(clock.tick(), -1);
        QVERIFY(!clock.isRunning());
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY(m_messages->lastText().contains(QStringLiteral("tempo")));
    }
};

QTEST_GUILESS_MAIN(tst_play_CategoryPlay)
#include "tst_play_CategoryPlay.moc"
