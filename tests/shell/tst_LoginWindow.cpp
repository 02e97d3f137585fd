// The login window driven as a player would: keyboard and mouse.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "shell/LoginWindow.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

class tst_LoginWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    std::unique_ptr<ExpectedMessages> m_messages;
    QPointer<LoginWindow> m_splash;

    QLineEdit *field(const char *name) { return m_splash->findChild<QLineEdit *>(QLatin1String(name)); }
    QString atLogin()
    {
        return m_splash->childAt(m_splash->findChild<QWidget *>("imgLogin")->geometry().center())
            ->objectName();
    }

private slots:
    void init()
    {
        m_game = std::make_unique<GameFolderFixture>();
        m_messages = std::make_unique<ExpectedMessages>();
        m_splash = new LoginWindow(m_game->profile());
        m_splash->show();
        QVERIFY(QTest::qWaitForWindowActive(m_splash));
    }
    void cleanup()
    {
        ScreenSupport::closeEveryWindow();
        QCOMPARE(m_messages->missing(), QString());
        m_messages.reset();
        m_game.reset();
    }

    // No name: the button's cover takes the click, and Enter is refused with a warning.
    void loginIsRefusedWhileTheNameIsEmpty()
    {
        QCOMPARE(atLogin(), QStringLiteral("imgOff"));
        QVERIFY(ScreenSupport::clickPlaceOf(m_splash, QStringLiteral("imgLogin")));
        QTest::keyClicks(field("txtUser"), QStringLiteral("M"));
        QCOMPARE(atLogin(), QStringLiteral("imgLogin"));
        QTest::keyClick(field("txtUser"), Qt::Key_Backspace);
        QCOMPARE(atLogin(), QStringLiteral("imgOff"));
        m_messages->expect(QStringLiteral("Scrivi il nome utente"));
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(m_messages->shown.value(0).kind, Messages::Kind::Warning);
    }

    // A wrong password is selected for typing again; a new name is made a profile on Yes only.
    void aWrongPasswordIsSelectedAndANewNameAsked()
    {
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
        QSignalSpy loggedIn(m_splash.data(), &GameScreen::loggedIn);
        QTest::keyClicks(field("txtUser"), QStringLiteral("Mario"));
        m_messages->expect(QStringLiteral("La password inserita non è corretta :P"));
        m_messages->expect(QStringLiteral("La password inserita non è corretta :P"));
        QVERIFY(ScreenSupport::clickPlaceOf(m_splash, QStringLiteral("imgLogin")));
        QTest::keyClicks(field("txtPassword"), QStringLiteral("sbagliata"));
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(field("txtUser")->text(), QStringLiteral("Mario"));
        QVERIFY(field("txtPassword")->hasFocus());
        QCOMPARE(field("txtPassword")->selectedText(), QStringLiteral("sbagliata"));

        field("txtUser")->setText(QStringLiteral("Luigi"));
        m_messages->expect(QStringLiteral("L'utente non esiste, crearlo?"), false);
        m_messages->expect(QStringLiteral("L'utente non esiste, crearlo?"), true);
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QVERIFY(loggedIn.isEmpty() && !QFileInfo::exists(m_game->path(QStringLiteral("User/Luigi.lmp"))));
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(loggedIn.count(), 1);
        QVERIFY(QFileInfo::exists(m_game->path(QStringLiteral("User/Luigi.lmp"))));
    }
};

QTEST_MAIN(tst_LoginWindow)
#include "tst_LoginWindow.moc"
