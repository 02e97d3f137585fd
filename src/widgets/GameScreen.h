#pragma once

#include <QElapsedTimer>
#include <QWidget>

// The pages of the game's site the web window can show.
enum class WebPage { Forum, Ranking, Record };

// A window of the game's own: it opens on the game's state and announces what the player chose;
// the navigator connects the announcements and opens the next screen, so no screen knows another.
class GameScreen : public QWidget
{
    Q_OBJECT
public:
    // A window of its own, named `name`, on the game's light grey, gone once closed.
    explicit GameScreen(const QString &name, QWidget *parent = nullptr);

    // Prepares what the screen shows and shows it. False, after telling the player why and closing
    // again, when it cannot.
    virtual bool open();
    // Shows again what the game's state holds now, where the screen stands: for a change made
    // while it was on show (the site took the times).
    virtual void refresh() { }

signals:
    void loggedIn();
    void gameTypeChosen(int gameType);
    void categoryChosen(int gameType, int category);
    void downloadChosen(int category);
    void webPageChosen(WebPage page);
    // The window was closed: by its close box, by Escape, or after telling the player why it could
    // not show what it was opened for.
    void closed();

protected:
    // Escape closes the screen as its close box does.
    void setClosesOnEscape(bool closes) { m_closesOnEscape = closes; }

    // True for a click within the double-click interval of the screen showing: the second click
    // of the double click that opened it, not the player's wish to close its panel unread.
    bool isOpeningClick() const;

    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QElapsedTimer m_shown;
    bool m_closesOnEscape = false;
    bool m_placed = false;
    bool m_closedAnnounced = false;
};
