// The login window driven as a player would: keyboard and mouse.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "profile/clsUser.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

using namespace ScreenSupport;

class tst_frmSplash : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    MessageRecorder *m_answers = nullptr;
    QPointer<frmSplash> m_splash;

    QLineEdit *field(const char *name) { return m_splash->findChild<QLineEdit *>(QLatin1String(name)); }
    QLabel *image(const char *name) { return m_splash->findChild<QLabel *>(QLatin1String(name)); }

private slots:
    void init()
    {
        m_game = new GameFolderFixture;
        m_answers = new MessageRecorder(true);
        m_splash = new frmSplash;
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

    void failedAttemptKeepsBothFieldsAndTheWindow()
    {
        QVERIFY(objUser.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QTest::keyClicks(field("txtUser"), QStringLiteral("Mario"));
        QTest::keyClicks(field("txtPassword"), QStringLiteral("sbagliata"));
        QTest::mouseClick(image("imgLogin"), Qt::LeftButton);
        QCOMPARE(m_answers->lastText(), QStringLiteral("La password inserita non è corretta :P"));
        QVERIFY(m_splash->isVisible());
        QCOMPARE(field("txtUser")->text(), QStringLiteral("Mario"));
        QCOMPARE(field("txtPassword")->text(), QStringLiteral("sbagliata"));
        QVERIFY(!visibleTopLevel(QStringLiteral("frmMain")));
    }
};

QTEST_MAIN(tst_frmSplash)
#include "tst_frmSplash.moc"
