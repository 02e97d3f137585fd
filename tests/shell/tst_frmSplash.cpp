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
    QPointer<frmSplash> m_splash;

    QLineEdit *field(const char *name) { return m_splash->findChild<QLineEdit *>(QLatin1String(name)); }
    QLabel *image(const char *name) { return m_splash->findChild<QLabel *>(QLatin1String(name)); }

private slots:
    void init()
    {
        m_game = new GameFolderFixture;
        m_splash = new frmSplash;
        m_splash->show();
        QVERIFY(QTest::qWaitForWindowActive(m_splash));
    }

    void cleanup()
    {
        closeEveryWindow();
        delete m_game;
    }

    void loginButtonIsCoveredWhileTheNameIsEmpty()
    {
        MessageRecorder answers(true);
        QLabel *cover = image("imgOff");
        QVERIFY(cover->isVisible());
        // What lies at the button's place is the cover, and a click there does nothing.
        const QPoint buttonCentre = image("imgLogin")->geometry().center();
        QCOMPARE(m_splash->childAt(buttonCentre), cover);
        QTest::mouseClick(cover, Qt::LeftButton);
        QVERIFY(answers.shown.isEmpty());

        QTest::keyClicks(field("txtUser"), QStringLiteral("M"));
        QVERIFY(!cover->isVisible());
        QCOMPARE(m_splash->childAt(buttonCentre), image("imgLogin"));
        QTest::keyClick(field("txtUser"), Qt::Key_Backspace);
        QVERIFY(cover->isVisible());
    }

    void enterInThePasswordFieldWithNoNameIsRefusedWithAMessage()
    {
        MessageRecorder answers(true);
        QTest::keyClick(field("txtPassword"), Qt::Key_Return);
        QCOMPARE(answers.shown.size(), 1);
        QCOMPARE(answers.shown[0].kind, Messages::Kind::Warning);
        QVERIFY(m_splash->isVisible());
        QVERIFY(m_game->entries(QStringLiteral("User")).isEmpty());
    }

    void newPlayerReachesTheMenuByKeyboardAlone()
    {
        MessageRecorder answers(true);
        field("txtUser")->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Mario"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), field("txtPassword"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("pw"));
        QVERIFY(field("txtPassword")->echoMode() == QLineEdit::Password);
        QCOMPARE(field("txtPassword")->displayText(), QStringLiteral("**"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(answers.lastText(), QStringLiteral("L'utente non esiste, crearlo?"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_splash.isNull());
        QWidget *menu = visibleTopLevel(QStringLiteral("frmMain"));
        QVERIFY(menu);
        QCOMPARE(menu->windowTitle(), QStringLiteral("Selezione tipo di gioco"));
        QCOMPARE(qint16(objUser.Categorie(1)), qint16(1));
    }

    void failedAttemptKeepsBothFieldsAndTheWindow()
    {
        MessageRecorder answers(true);
        QVERIFY(objUser.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QTest::keyClicks(field("txtUser"), QStringLiteral("Mario"));
        QTest::keyClicks(field("txtPassword"), QStringLiteral("sbagliata"));
        QTest::mouseClick(image("imgLogin"), Qt::LeftButton);
        QCOMPARE(answers.lastText(), QStringLiteral("La password inserita non è corretta :P"));
        QVERIFY(m_splash->isVisible());
        QCOMPARE(field("txtUser")->text(), QStringLiteral("Mario"));
        QCOMPARE(field("txtPassword")->text(), QStringLiteral("sbagliata"));
        QVERIFY(!visibleTopLevel(QStringLiteral("frmMain")));
    }
};

QTEST_MAIN(tst_frmSplash)
#include "tst_frmSplash.moc"
