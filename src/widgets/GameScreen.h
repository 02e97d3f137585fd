#pragma once

#include <QElapsedTimer>
#include <QWidget>

// A screen that opens on the game's state: load() prepares what it shows, shows itself, and
// returns false, after telling the player why and closing again, when it cannot.
class GameScreen : public QWidget
{
public:
    // A window of its own, named `name`, on the game's light grey, gone once closed.
    explicit GameScreen(const QString &name, QWidget *parent = nullptr);

    virtual bool load() = 0;

protected:
    // True for a click within the double-click interval of the screen showing: the second click
    // of the double click that opened it, not the player's wish to close its panel unread.
    bool isOpeningClick() const;

    void showEvent(QShowEvent *event) override;

private:
    QElapsedTimer m_shown;
};
