#pragma once

#include <QWidget>

class ClickableImage;
class QLabel;
class QLineEdit;

// The login window: a name and a password, handed to the profile's Login.
class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    // The login attempt: on success the menu opens and this window closes.
    void attemptLogin();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *makeCaption(const QString &name, const QString &text, int top);
    void updateLoginButton();

    QLineEdit *txtUser = nullptr;
    QLineEdit *txtPassword = nullptr;
    ClickableImage *imgLogin = nullptr;
    QLabel *imgOff = nullptr;
    ClickableImage *imgClose = nullptr;
    QLabel *lblVersione = nullptr;
};
