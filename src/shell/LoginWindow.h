#pragma once

#include "widgets/GameScreen.h"

class ClickableImage;
class Profile;
class QLabel;
class QLineEdit;

// The login window: a name and a password, checked against the players' profiles; a new name is
// offered a new profile.
class LoginWindow : public GameScreen
{
    Q_OBJECT
public:
    explicit LoginWindow(Profile &profile, QWidget *parent = nullptr);

    // The login attempt: announces loggedIn() once the player is in.
    void attemptLogin();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *makeCaption(const QString &name, const QString &text, int top);
    void updateLoginButton();
    void selectForRetyping(QLineEdit *field);

    Profile &m_profile;
    QLineEdit *txtUser = nullptr;
    QLineEdit *txtPassword = nullptr;
    ClickableImage *imgLogin = nullptr;
    QLabel *imgOff = nullptr;
    ClickableImage *imgClose = nullptr;
    QLabel *lblVersione = nullptr;
};
