#pragma once

#include "base/Result.h"
#include "play/PlayClock.h"
#include "profile/Unlock.h"

#include <QCoreApplication>
#include <QString>

class Profile;

// Chooses the page of `category` to show, the first unfinished page of a genre category or 0 (the
// whole category) for the others, extracts it to Temp/ and gives its number.
Result<qint16> preparePage(const Profile &profile, int category);

// The line a win's message ends with, naming what it opened ("Hai sbloccato la modalità Bonus e
// le categorie Azione e Classici."); empty when nothing opened.
QString openedText(const Unlock::Opened &opened);

// Alpha is won: the game type completed and category 19 opened (a won category 19 stays won).
// Gives openedText() of what opened; fails when the profile could not be written.
Result<QString> winAlpha(Profile &profile);

// The rules of one category on a play screen, whatever its layout: a typed title solves its
// picture, the last solved picture wins the category, and the game type's clock runs while an
// open category is played. What could not be saved comes back as a failure for the screen to show.
class CategoryPlay
{
    Q_DECLARE_TR_FUNCTIONS(CategoryPlay)

public:
    enum class Panel { Hidden, Instructions, Won };
    enum class Typed { NoMatch, Solved, CategoryComplete };

    CategoryPlay(Profile &profile, int category, int gameType);

    // What the panel says when a category is won.
    static QString winMessage();

    int category() const { return m_category; }
    PlayClock &clock() { return m_clock; }
    const PlayClock &clock() const { return m_clock; }
    Panel panel() const { return m_panel; }

    // False while the screen writes its own title boxes, when changes are not typing.
    bool isReady() const { return m_ready; }
    void setReady(bool ready) { m_ready = ready; }

    // The panel at opening: the instructions while the category is incomplete, none once won.
    Panel open();
    // The panel goes; the clock starts only while the category is open (not yet won).
    void panelClicked();

    // A title box of picture `picture` (global number) now reads `typed`. The solve is on disk
    // before it is reported; CategoryComplete asks the screen to call win(). Fails, the picture
    // still open, when the solve could not be saved.
    Result<Typed> typed(int picture, const QString &typed, const QString &title);
    // The last picture was solved: the clock stops, the category is won and the next stage opens.
    // Gives openedText() of what opened; fails when the win or the stage could not be saved (the
    // panel shows the win only once the category's state is on disk).
    Result<QString> win();

    bool isComplete() const;
    qint16 solved() const;
    qint16 count() const;
    // "12/45": solved pictures and picture count.
    QString solvedText() const;

private:
    Profile &m_profile;
    int m_category;
    PlayClock m_clock;
    Panel m_panel = Panel::Hidden;
    bool m_ready = false;
};
