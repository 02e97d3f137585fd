#include "shell/LoginWindow.h"

#include "base/GameTypes.h"
#include "base/GameVersion.h"
#include "profile/Profile.h"
#include "widgets/ClickableImage.h"
#include "widgets/Messages.h"
#include "widgets/Zoom.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>

namespace {
// Shows every character of a password as "*".
class StarPasswordStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

const QSize WindowSize(480, 330);
const QRect BannerPlace(0, 0, 360, 110);
const QRect DecorationPlace(360, 0, 120, 110);
const QRect LoginPlace(140, 222, 140, 44);
const QRect ClosePlace(300, 222, 140, 44);
constexpr int FieldLeft = 140;
constexpr int FieldWidth = 300;
} // namespace

LoginWindow::LoginWindow(Profile &profile, QWidget *parent)
    : GameScreen(QStringLiteral("frmSplash"), parent)
    , m_profile(profile)
{
    setWindowTitle(Game::ProductTitle);
    setFixedSize(WindowSize);
    setFont(QFont(QStringLiteral("Verdana"), 10));

    auto *Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(BannerPlace);
    Zoom::setArtwork(Image1, QStringLiteral("banner"));

    auto *Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(DecorationPlace);
    Zoom::setArtwork(Picture1, QStringLiteral("reel"));

    makeCaption(QStringLiteral("Label1_0"), tr("Utente:"), 138);
    txtUser = new QLineEdit(this);
    txtUser->setObjectName(QStringLiteral("txtUser"));
    txtUser->setGeometry(FieldLeft, 134, FieldWidth, 28);

    makeCaption(QStringLiteral("Label1_1"), tr("Password:"), 180);
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setGeometry(FieldLeft, 176, FieldWidth, 28);
    txtPassword->setEchoMode(QLineEdit::Password);
    auto *starStyle = new StarPasswordStyle;
    starStyle->setParent(txtPassword);
    txtPassword->setStyle(starStyle);
    txtPassword->installEventFilter(this);
    setTabOrder(txtUser, txtPassword);

    imgLogin = new ClickableImage(this);
    imgLogin->setObjectName(QStringLiteral("imgLogin"));
    imgLogin->setGeometry(LoginPlace);
    Zoom::setArtwork(imgLogin, QStringLiteral("login"));
    imgLogin->setToolTip(tr("Entra"));
    connect(imgLogin, &ClickableImage::clicked, this, &LoginWindow::attemptLogin);

    // Lies over the login button while no name is typed, so the button cannot be clicked.
    imgOff = new QLabel(this);
    imgOff->setObjectName(QStringLiteral("imgOff"));
    imgOff->setGeometry(LoginPlace);
    Zoom::setArtwork(imgOff, QStringLiteral("login-off"));

    imgClose = new ClickableImage(this);
    imgClose->setObjectName(QStringLiteral("imgClose"));
    imgClose->setGeometry(ClosePlace);
    Zoom::setArtwork(imgClose, QStringLiteral("close"));
    imgClose->setToolTip(tr("Esci dal gioco"));
    connect(imgClose, &ClickableImage::clicked, this, &QWidget::close);

    lblVersione = new QLabel(versionText(), this);
    lblVersione->setObjectName(QStringLiteral("lblVersione"));
    lblVersione->setGeometry(12, 296, 200, 22);
    // A font of its own, which the zoom scales (a style sheet would keep Qt's size at every zoom).
    lblVersione->setFont(QFont(QStringLiteral("Verdana"), 8));
    QPalette grey = lblVersione->palette();
    grey.setColor(QPalette::WindowText, QColor(0x55, 0x55, 0x55));
    lblVersione->setPalette(grey);

    connect(txtUser, &QLineEdit::textChanged, this, &LoginWindow::updateLoginButton);
    updateLoginButton();
    txtUser->setFocus();
}

QLabel *LoginWindow::makeCaption(const QString &name, const QString &text, int top)
{
    auto *caption = new QLabel(text, this);
    caption->setObjectName(name);
    caption->setGeometry(40, top, 95, 22);
    return caption;
}

void LoginWindow::updateLoginButton()
{
    imgOff->setVisible(txtUser->text().isEmpty());
    imgOff->raise();
}

bool LoginWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtPassword && event->type() == QEvent::KeyPress) {
        const auto key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            attemptLogin();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LoginWindow::selectForRetyping(QLineEdit *field)
{
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

void LoginWindow::attemptLogin()
{
    const Result<Profile::Admission> admission = m_profile.logIn(txtUser->text(), txtPassword->text());
    if (!admission) {
        Messages::warn(admission.problem());
        // What was refused is selected, so that typing replaces it.
        if (admission.kind() == FailureKind::WrongPassword)
            selectForRetyping(txtPassword);
        else if (admission.kind() == FailureKind::ForeignProfile)
            selectForRetyping(txtUser);
        return;
    }
    if (*admission == Profile::Admission::Unknown) {
        if (!Messages::ask(tr("L'utente non esiste, crearlo?")))
            return;
        if (const Result<> made = m_profile.create(txtPassword->text()); !made) {
            Messages::warn(made.problem());
            return;
        }
    } else if (const Result<Unlock::Opened> stage = m_profile.checkUnlock(); !stage) {
        // A stage whose writing failed after the last win opens now; the player is in either way.
        Messages::warn(stage.problem());
    }
    emit loggedIn();
}
