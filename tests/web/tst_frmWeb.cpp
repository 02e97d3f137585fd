// The web window itself, its browser engine never started: a site that does not answer is told
// on a line of its own in the player's language, and Escape closes the window.

#include "base/Language.h"
#include "web/frmWeb.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

class tst_frmWeb : public QObject
{
    Q_OBJECT

private slots:
    void aSiteThatDoesNotAnswerIsToldOnALineOfItsOwn_data()
    {
        QTest::addColumn<bool>("record"); // in English
        QTest::addColumn<QString>("line");
        QTest::newRow("a page") << false << "Il sito del gioco non risponde: riprova più tardi.";
        QTest::newRow("the record, in English") << true
                                                << "The game's site does not answer: your times were not "
                                                   "sent; you can send them again from the menu.";
    }
    void aSiteThatDoesNotAnswerIsToldOnALineOfItsOwn()
    {
        QFETCH(bool, record);
        QFETCH(QString, line);
        Language::install(record ? Language::Choice::English : Language::Choice::Italian,
                          QStringLiteral("lumivo-web"));
        const QPointer<frmWeb> window = new frmWeb;
        QSignalSpy answered(window.data(), &frmWeb::recordAnswered);
        if (record)
            window->openRecord(QUrl(QStringLiteral("http://127.0.0.1:1/LumivoPro/record.asp")),
                               QStringLiteral("/tmp/~r.htm"));
        else
            window->open(QStringLiteral("http://127.0.0.1:1/forum/index.php"));
        auto *silent = window->findChild<QLabel *>(QStringLiteral("lblSilent"));
        QVERIFY(silent->isHidden());
        window->siteSilent();
        QVERIFY(!silent->isHidden());
        QCOMPARE(silent->text(), line);
        QCOMPARE(answered.count(), record ? 1 : 0);
        QVERIFY(!record || !answered.first().first().toBool());
        // The next page starts without the line; Escape closes the window.
        window->open(QStringLiteral("http://127.0.0.1:1/"));
        QVERIFY(silent->isHidden());
        QTest::keyClick(window.data(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }
};

QTEST_MAIN(tst_frmWeb)
#include "tst_frmWeb.moc"
