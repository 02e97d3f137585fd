// The login window driven as a player would: keyboard and mouse.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "profile/Profile.h"
#include "shell/LoginWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace ScreenSupport;

class tst_LoginWindow : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    MessageRecorder *m_answers = nullptr;
    QPointer<LoginWindow> m_splash;

    QLineEdit *field(const char *name) { return m_splash->findChild<QLineEdit *>(QLatin1String(name)); }
    QLabel *image(const char *name) { return m_splash->findChild<QLabel *>(QLatin1String(name)); }

private slots:
    void init()
    {
        m_game = new GameFolderFixture;
        m_answers = new MessageRecorder(true);
        m_splash = new LoginWindow(m_game->profile());
        m_splash->show();
        QVERIFY(QTest::qWaitForWindowActive(m_splash));
    }

    void cleanup()
    {
        closeEveryWindow();
        delete m_answers;
        delete m_game;
    }

    void loginIsRefusedWhileTheNameIsEmpty()
    {
        QLabel *cover = image("imgOff");
        QVERIFY(cover->isVisible());
        // What lies at the button's place is the cover, and a click there does nothing.
        const QPoint buttonCentre = image("imgLogin")->geometry().center();
        QCOMPARE(m_splash->childAt(buttonCentre), cover);
        QTest::mouseClick(cover, Qt::LeftButton);
        QVERIFY(m_answers->shown.isEmpty());

        QTest::keyClicks(field("txtUser"), QStringLiteral("M"));
        QVERIFY(!cover->isVisible());
        QCOMPARE(m_splash->childAt(buttonCentre), image("imgLogin"));
        QTest::keyClick(field("txtUser"), Qt::Key_Backspace);
        QVERIFY(cover->isVisible());
        // Enter in the password field with no name is refused with a warning.
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(m_answers->shown.size(), 1);
        QCOMPARE(m_answers->shown[0].kind, Messages::Kind::Warning);
        QVERIFY(m_splash->isVisible());
        QVERIFY(m_game->entries(QStringLiteral("User")).isEmpty());
    }

    // A wrong password keeps the window with both fields, the password selected so that typing
    // replaces it.
    void failedAttemptSelectsThePasswordForTypingAgain()
    {
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
        QSignalSpy loggedIn(m_splash.data(), &GameScreen::loggedIn);
        QTest::keyClicks(field("txtUser"), QStringLiteral("Mario"));
        QTest::mouseClick(image("imgLogin"), Qt::LeftButton); // an empty password is wrong too
        QTest::keyClicks(field("txtPassword"), QStringLiteral("sbagliata"));
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(m_answers->lastText(), QStringLiteral("La password inserita non è corretta :P"));
        QVERIFY(m_splash->isVisible());
        QCOMPARE(field("txtUser")->text(), QStringLiteral("Mario"));
        QVERIFY(field("txtPassword")->hasFocus());
        QCOMPARE(field("txtPassword")->selectedText(), QStringLiteral("sbagliata"));
        QTest::keyClicks(field("txtPassword"), QStringLiteral("pw"));
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(loggedIn.count(), 1);
    }

    // A new name is made into a profile only when the player says Yes.
    void newNameIsCreatedOnYesOnly()
    {
        QSignalSpy loggedIn(m_splash.data(), &GameScreen::loggedIn);
        QTest::keyClicks(field("txtUser"), QStringLiteral("Luigi"));
        m_answers->answer(false);
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(m_answers->shown.last().kind, Messages::Kind::Question);
        QCOMPARE(loggedIn.count(), 0);
        QVERIFY(m_game->entries(QStringLiteral("User")).isEmpty());
        m_answers->answer(true);
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(loggedIn.count(), 1);
        QCOMPARE(m_game->entries(QStringLiteral("User")), QStringList {QStringLiteral("Luigi.lmp")});
        QCOMPARE(m_answers->shown.size(), 2);
    }
};

QTEST_MAIN(tst_LoginWindow)
#include "tst_LoginWindow.moc"
