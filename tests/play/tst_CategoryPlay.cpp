// The play rules without a window: solving, what cannot be saved and the clock. The page chosen
// at opening and the win are checked on the play screens.

#include "TinyContent.h"
#include "play/CategoryPlay.h"
#include "profile/Profile.h"

#include <QtTest>
#include <memory>

namespace {
// Animazione (1) two pages, Demenziali (5) one.
const QVector<int> Counts = {18, 0, 0, 0, 9};
constexpr int Animazione = 1;
constexpr int Demenziali = 5;
} // namespace

class tst_CategoryPlay : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    TinyContent m_content = TinyContent::numbered(Counts);

    Profile &profile() { return m_game->profile(); }
    void solve(int category, int first, int last)
    {
        for (int p = first; p <= last; ++p)
            profile().setSolvedFlag(m_content.base(category) + p, 1);
    }
    // Takes the profile away behind the player's back: every later write fails.
    void breakProfile()
    {
        const QString path = profile().path();
        QVERIFY(QFile::rename(path, path + QStringLiteral(".away")));
        QVERIFY(QDir().mkdir(path));
    }

private slots:
    void init()
    {
        m_game = std::make_unique<GameFolderFixture>();
        m_content.write(*m_game);
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
    }

    // A won category opens without the panel, and a click does not start its clock (an open one's
    // start is checked on the play screens).
    void aWonCategoryOpensWithoutPanelOrClock()
    {
        solve(Demenziali, 1, 9);
        profile().setCategoryState(Demenziali, Game::CategoryState(2));
        CategoryPlay won(profile(), Demenziali, 1);
        QCOMPARE(won.open(), CategoryPlay::Panel::Hidden);
        QCOMPARE(won.solvedText(), QStringLiteral("9/9"));
        won.panelClicked();
        QVERIFY(!won.clock().isRunning());
    }

    // While the screen writes its own boxes, what they read is not typing.
    void typingIsIgnoredUntilReady()
    {
        CategoryPlay play(profile(), Animazione, 1);
        QCOMPARE(*play.typed(1, QStringLiteral("film 1"), QStringLiteral("Film 1")),
                 CategoryPlay::Typed::NoMatch);
        QCOMPARE(profile().solvedFlag(1), qint16(0));
        play.setReady(true);
        QCOMPARE(*play.typed(1, QStringLiteral("film 1"), QStringLiteral("Film 1")),
                 CategoryPlay::Typed::Solved);
        QCOMPARE(profile().solvedFlag(1), qint16(1));
    }

    void whatCannotBeSavedIsAFailure()
    {
        CategoryPlay play(profile(), Animazione, 1);
        play.setReady(true);
        PlayClock clock(profile(), 1);
        clock.start();
        breakProfile();
        const Result<CategoryPlay::Typed> solve
            = play.typed(1, QStringLiteral("film 1"), QStringLiteral("Film 1"));
        QVERIFY(!solve && solve.problem().contains(QStringLiteral("soluzione")));
        const Result<QString> win = play.win();
        QVERIFY(!win && win.problem().contains(QStringLiteral("vittoria")));
        QVERIFY(play.panel() != CategoryPlay::Panel::Won);
        // A second that cannot be saved stops the clock rather than count time it cannot keep.
        const Result<qint32> second = clock.tick();
        QVERIFY(!second && second.problem().contains(QStringLiteral("tempo")));
        QVERIFY(!clock.isRunning());
    }

    // The profile keeps six digits of seconds: the clock holds at the most they can say.
    void theClockHoldsAtTheTop()
    {
        profile().setPlayTime(Game::Puzzle, Profile::MaxSeconds - 1);
        PlayClock puzzle(profile(), Game::Puzzle);
        puzzle.start();
        QCOMPARE(*puzzle.tick(), Profile::MaxSeconds);
        QCOMPARE(*puzzle.tick(), Profile::MaxSeconds);
    }
};

QTEST_GUILESS_MAIN(tst_CategoryPlay)
#include "tst_CategoryPlay.moc"
