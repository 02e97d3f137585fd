// The play rules without a window: solving and the clock. The page chosen at opening is checked
// on the Classic screen; winning and the unlock it sets off on the Bonus/Puzzle screen.

#include "TinyContent.h"
#include "play/CategoryPlay.h"
#include "profile/clsUser.h"

#include <QtTest>
#include <memory>

namespace {
// Animazione (1) two pages, Demenziali (5) one.
const QVector<int> Counts = {18, 0, 0, 0, 9};
constexpr int Animazione = 1;
constexpr int Demenziali = 5;

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

    // A won category opens without the panel, and a click does not start its clock (an open one's
    // start is checked on the play screens).
    void aWonCategoryOpensWithoutPanelOrClock()
    {
        solve(Demenziali, 1, 9);
        objUser.setCategorie(Demenziali, mdlConst::CategoryState(2));
        CategoryPlay won(objUser, Demenziali, 1);
        QCOMPARE(won.open(), CategoryPlay::Panel::Hidden);
        QCOMPARE(won.solvedText(), QStringLiteral("9/9"));
        won.panelClicked();
        QVERIFY(!won.clock().isRunning());
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
