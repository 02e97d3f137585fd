// The web window with the real browser engine: the record form posts itself to a real
// lumivo-site, the name arrives as typed, and the times count as sent only once the site took them.

#include "SiteProcess.h"
#include "TestSupport.h"
#include "TinyContent.h"
#include "base/SiteAddress.h"
#include "profile/Profile.h"
#include "shell/GameScreens.h"
#include "web/frmWeb.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>
#include <memory>

class tst_WebWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    QTemporaryDir m_siteFolder;
    std::unique_ptr<SiteProcess> m_site;
    frmWeb *m_window = nullptr;
    WebOpener m_opener;

    void sendRecord() { gameScreens(m_game->session, m_opener).web(WebPage::Record); }

    void logIn(const QString &name)
    {
        QVERIFY(m_game->logIn(name));
        for (int t : {1, 2, 3, 4})
            m_game->profile().setPlayTime(t, QVector<int> {5, 0, 70, 1234}[t - 1]);
    }

    // What the web window shows as text, once it has loaded.
    QString shownText()
    {
        QString text;
        bool done = false;
        m_window->wbMain()->page()->toPlainText([&](const QString &plain) {
            text = plain;
            done = true;
        });
        for (int waited = 0; !done && waited < 10000; waited += 20)
            QTest::qWait(20);
        return text;
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(m_siteFolder.filePath(QStringLiteral("Data")));
        m_site = std::make_unique<SiteProcess>(m_siteFolder.filePath(QStringLiteral("Data")),
                                               m_siteFolder.filePath(QStringLiteral("site.db")));
        QVERIFY(m_site->isRunning());
        m_opener = [this](const QString &address, std::function<void(bool)> answered) {
            m_window = frmWeb::ShowWeb(address, std::move(answered));
        };
        m_game = std::make_unique<GameFolderFixture>();
    }

    void theRecordArrivesWithTheNameAsTyped()
    {
        SiteAddress::setBase(m_site->url());
        logIn(QStringLiteral("D'Amico & Niccolò"));
        TinyContent::put(*m_game, QStringLiteral("Temp/0001.tmp"), "a picture file");
        sendRecord();
        QTRY_VERIFY_WITH_TIMEOUT(m_game->profile().timesSent(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(shownText().contains(QStringLiteral("Grazie, D'Amico & Niccolò!")), 10000);
        // The browser's pages go once read; the game's own temporary files stay.
        QCOMPARE(m_game->entries(QStringLiteral("Temp")), QStringList {QStringLiteral("0001.tmp")});
    }

    void aSiteThatIsDownLeavesTheTimesUnsent()
    {
        SiteAddress::setBase(QUrl(QStringLiteral("http://127.0.0.1:1/")));
        logIn(QStringLiteral("Offline"));
        bool answered = false;
        bool taken = true;
        m_opener = [&](const QString &address, std::function<void(bool)> recordAnswered) {
            m_window = frmWeb::ShowWeb(address, [&, recordAnswered](bool ok) {
                answered = true;
                taken = ok;
                recordAnswered(ok);
            });
        };
        sendRecord();
        QTRY_VERIFY_WITH_TIMEOUT(answered, 30000);
        QVERIFY(!taken);
        QVERIFY(!m_game->profile().timesSent());
    }
};

QTEST_MAIN(tst_WebWindow)
#include "tst_WebWindow.moc"
