#pragma once

#include <QWidget>

// A screen that opens on the game's state: load() prepares what it shows, shows itself, and
// returns false, after telling the player why and closing again, when it cannot.
class GameScreen : public QWidget
{
public:
    using QWidget::QWidget;
    virtual bool load() = 0;
};
