#pragma once

#include "play/PlayClock.h"

#include <QString>

class clsUser;

// Chooses the page to show for objUser-style state (`curcat`, `curPage`): the first unfinished
// page of a genre category, 0 (the whole category) for the others, and extracts it to Temp/.
bool PreparePage(clsUser &user, QString *error = nullptr);

// The rules of one category on a play screen, whatever its layout: a typed title solves its
// picture, the last solved picture wins the category, and the game type's clock runs while an
// open category is played. Failures to save are told to the player here; the screen only shows
// what the answers say.
class CategoryPlay
{
public:
    enum class Panel { Hidden, Instructions, Won };
    enum class Typed { NoMatch, Solved, Won, NotSaved };

    CategoryPlay(clsUser &user, int category, int gameType);

    static const QString WinMessage;

    int category() const { return m_category; }
    PlayClock &clock() { return m_clock; }
    const PlayClock &clock() const { return m_clock; }
    Panel panel() const { return m_panel; }

    // blnReady: false while the screen writes its own title boxes, when changes are not typing.
    bool isReady() const { return m_ready; }
    void setReady(bool ready) { m_ready = ready; }

    // The panel at opening: the instructions while the category is incomplete, none once won.
    Panel open();
    // The panel goes; the clock starts only while the category is open (not yet won).
    void panelClicked();

    // A title box of picture `picture` (global number) now reads `typed`. The solve is on disk
    // before it is reported; a category whose last picture this was is won, the clock stops and
    // the next stage is unlocked.
    Typed typed(int picture, const QString &typed, const QString &title);

    bool isComplete() const;
    qint16 solved() const;
    qint16 count() const;
    // "12/45": solved pictures and picture count.
    QString solvedText() const;

private:
    Typed win();

    clsUser &m_user;
    int m_category;
    PlayClock m_clock;
    Panel m_panel = Panel::Hidden;
    bool m_ready = false;
};
