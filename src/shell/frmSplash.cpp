#include "shell/frmSplash.h"

#include "content/mdlGeneral.h"
#include "profile/clsUser.h"
#include "widgets/Artwork.h"
#include "widgets/ClickableImage.h"
#include "shell/Screens.h"
#include "base/mdlConst.h"

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

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(mdlConst::ProductTitle);
    setFixedSize(WindowSize);
    setStyleSheet(QStringLiteral("frmSplash { background: #f4f4f4; }"));
    setFont(QFont(QStringLiteral("Verdana"), 10));

    auto *Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(BannerPlace);
    Image1->setPixmap(Artwork::pixmap(QStringLiteral("banner"), BannerPlace.size()));

    auto *Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(DecorationPlace);
    Picture1->setPixmap(Artwork::pixmap(QStringLiteral("reel"), DecorationPlace.size()));

    makeCaption(QStringLiteral("Label1_0"), QStringLiteral("Utente:"), 138);
    txtUser = new QLineEdit(this);
    txtUser->setObjectName(QStringLiteral("txtUser"));
    txtUser->setGeometry(FieldLeft, 134, FieldWidth, 28);

    makeCaption(QStringLiteral("Label1_1"), QStringLiteral("Password:"), 180);
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
    imgLogin->setPixmap(Artwork::pixmap(QStringLiteral("login"), LoginPlace.size()));
    imgLogin->setToolTip(QStringLiteral("Entra"));
    connect(imgLogin, &ClickableImage::clicked, this, &frmSplash::attemptLogin);

    // Lies over the login button while no name is typed, so the button cannot be clicked.
    imgOff = new QLabel(this);
    imgOff->setObjectName(QStringLiteral("imgOff"));
    imgOff->setGeometry(LoginPlace);
    imgOff->setPixmap(Artwork::pixmap(QStringLiteral("login-off"), LoginPlace.size()));

    imgClose = new ClickableImage(this);
    imgClose->setObjectName(QStringLiteral("imgClose"));
    imgClose->setGeometry(ClosePlace);
    imgClose->setPixmap(Artwork::pixmap(QStringLiteral("close"), ClosePlace.size()));
    imgClose->setToolTip(QStringLiteral("Esci dal gioco"));
    connect(imgClose, &ClickableImage::clicked, this, &QWidget::close);

    lblVersione = new QLabel(mdlGeneral::GetVersion(), this);
    lblVersione->setObjectName(QStringLiteral("lblVersione"));
    lblVersione->setGeometry(12, 296, 200, 22);
    lblVersione->setStyleSheet(QStringLiteral("color: #555;"));

    connect(txtUser, &QLineEdit::textChanged, this, &frmSplash::updateLoginButton);
    updateLoginButton();
    txtUser->setFocus();
}

QLabel *frmSplash::makeCaption(const QString &name, const QString &text, int top)
{
    auto *caption = new QLabel(text, this);
    caption->setObjectName(name);
    caption->setGeometry(40, top, 95, 22);
    return caption;
}

void frmSplash::updateLoginButton()
{
    imgOff->setVisible(txtUser->text().isEmpty());
    imgOff->raise();
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
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

void frmSplash::attemptLogin()
{
    if (!objUser.Login(txtUser->text(), txtPassword->text()))
        return;
    Screens::showMenu();
    close();
}
