#pragma once

#include <QWidget>

// The game-type menu: the hub after login.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);

    // Shows the menu and sets it up from the profile.
    void load();
};
