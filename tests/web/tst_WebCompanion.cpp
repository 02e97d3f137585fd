// The game's web window through its launcher: the real lumivo-web and browser engine (or, built
// without the engine, the game's own post) against a real lumivo-site, and stand-ins for a web
// window that misbehaves. No variable of the engine is set here: run as root, as CI runs it, the
// launcher must switch the sandbox off by itself.

#include "ScreenSupport.h"
#include "SiteProcess.h"
#include "TinyContent.h"
#include "base/SiteAddress.h"
#include "shell/GameScreens.h"
#include "shell/WebCompanion.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QTimer>
#include <QtTest>

using namespace ScreenSupport;

class tst_WebCompanion : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    QTemporaryDir m_siteFolder;
    std::unique_ptr<SiteProcess> m_site;
    QList<QUrl> m_systemBrowser;
    int m_taken = -1;

    void sendRecord()
    {
        m_taken = -1;
        WebCompanion::sendRecord(QStringLiteral("Mario"), {5, 0, 70, 1234},
                                 [this](bool taken) { m_taken = taken; });
    }
    // A stand-in for lumivo-web in `folder` that runs `script`.
    static QString standIn(const QTemporaryDir &folder, const QString &script)
    {
        QFile file(folder.filePath(QStringLiteral("lumivo-web")));
        if (file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + script.toUtf8() + '\n') > 0)
            file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        return file.fileName();
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(m_siteFolder.filePath(QStringLiteral("Data")));
        m_site = std::make_unique<SiteProcess>(m_siteFolder.filePath(QStringLiteral("Data")),
                                               m_siteFolder.filePath(QStringLiteral("site.db")));
        QVERIFY(m_site->isRunning());
        m_game = std::make_unique<GameFolderFixture>();
        TinyContent::put(*m_game, QStringLiteral("Temp/0001.tmp"), "a picture");
        // Built without the engine, pages go to the system's browser: here, to this list.
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "systemBrowser");
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

#if LUMIVO_WEBENGINE
    // First, while no web window runs: a stand-in that crashes once up is told, the times unsent.
    void aWebWindowThatCrashesIsReported()
    {
        QTemporaryDir folder;
        WebCompanion::setProgram(standIn(folder, QStringLiteral("echo ready; read line; kill -SEGV $$")));
        ExpectedMessages messages;
        messages.expect(
            QStringLiteral("si è chiuso per un errore: riprova; se si ripete, reinstalla il gioco. "
                           "I tempi non sono stati inviati"));
        sendRecord();
        QTRY_COMPARE(m_taken, 0);
        QCOMPARE(WebCompanion::processId(), 0);
    }

    // The browser's pages go between the game's events once a page loaded; the form after its post.
    void theBrowsersPagesGoBetweenTheGamesEvents()
    {
        QTemporaryDir folder;
        const auto marker = [&folder](const char *name) { return folder.filePath(QLatin1String(name)); };
        // It reads the commands, says "loaded" while the page list is written, answers when told.
        WebCompanion::setProgram(standIn(folder,
                                         "cd \"$(dirname \"$0\")\"; echo ready; read a; read b; touch read\n"
                                         "until [ -e list ]; do sleep 0.05; done; echo loaded; touch said\n"
                                         "until [ -e go ]; do sleep 0.05; done; echo 'record 1'"));
        WebCompanion::open(SiteAddress::forumPage());
        sendRecord();
        QTRY_VERIFY(QFileInfo::exists(marker("read")));
        // The game busy writing and reading its page list while the web window says "loaded".
        TinyContent::put(*m_game, QStringLiteral("Temp/~temp.tmp"), "01:01:0001:001:Film 1\r\n");
        QFile(marker("list")).open(QIODevice::WriteOnly);
        for (QDeadlineTimer deadline(20000); !QFileInfo::exists(marker("said")) && !deadline.hasExpired();)
            QThread::msleep(10);
        QTRY_COMPARE(m_game->entries(QStringLiteral("Temp")),
                     (QStringList {QStringLiteral("0001.tmp"), QStringLiteral("~record.htm")}));
        QFile(marker("go")).open(QIODevice::WriteOnly);
        QTRY_COMPARE(m_taken, 1);
        QCOMPARE(m_game->entries(QStringLiteral("Temp")), QStringList {QStringLiteral("0001.tmp")});
        QTRY_COMPARE(WebCompanion::processId(), 0);
        WebCompanion::setProgram(QStringLiteral(LUMIVO_WEB_EXE));
    }
#endif

    // "Record!" asks first; the menu then shows at once what the site answered.
    void theMenuShowsWhatTheSiteAnswered_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("siteUp");
        QTest::addColumn<bool>("yes");
        QTest::newRow("the site takes them, the name as typed") << "D'Amico & Niccolò" << true << true;
        QTest::newRow("the site is down") << "Offline" << false << true;
        QTest::newRow("answered no") << "Later" << true << false;
    }
    void theMenuShowsWhatTheSiteAnswered()
    {
        QFETCH(QString, name);
        QFETCH(bool, siteUp);
        QFETCH(bool, yes);
        SiteAddress::setBase(siteUp ? m_site->url() : QUrl(QStringLiteral("http://127.0.0.1:1/")));
        QVERIFY(m_game->logIn(name));
        for (int t : {1, 2, 3, 4}) {
            m_game->profile().setGameTypeState(t, Game::GameTypeState::Completed);
            m_game->profile().setPlayTime(t, QVector<int> {5, 0, 70, 1234}[t - 1]);
        }
        ExpectedMessages messages;
        Navigator navigator(gameScreens(m_game->session));
        navigator.start();
        emit qobject_cast<GameScreen *>(visibleTopLevel(QStringLiteral("frmSplash")))->loggedIn();
        QWidget *menu = visibleTopLevel(QStringLiteral("frmMain"));
        messages.expect(QStringLiteral("Desideri inviare il tuo punteggio sul web?"), yes);
        if (!siteUp && !LUMIVO_WEBENGINE)
            messages.expect(QStringLiteral("I tempi non sono arrivati al sito"));
        QVERIFY(clickPlaceOf(menu, QStringLiteral("lblRecord")));

        const bool taken = siteUp && yes;
        auto *record = menu->findChild<QWidget *>(QStringLiteral("lblRecord"));
        auto *ranking = menu->findChild<QWidget *>(QStringLiteral("lblClassifica"));
        QTRY_VERIFY_WITH_TIMEOUT(ranking->isVisible() == taken && record->isVisible() == !taken, 30000);
        QCOMPARE(menu->findChild<QTimer *>(QStringLiteral("tmrRecord"))->isActive(), !taken);
        QTRY_COMPARE(messages.missing(), QString());
        if (taken) {
            QNetworkAccessManager network;
            QNetworkReply *page = network.get(QNetworkRequest(SiteAddress::rankingPage()));
            QVERIFY(QSignalSpy(page, &QNetworkReply::finished).wait(10000));
            QVERIFY(page->readAll().contains("D&#39;Amico &amp; Niccol&#242;"));
            if (!LUMIVO_WEBENGINE)
                QTRY_COMPARE(m_systemBrowser.value(0), SiteAddress::rankingPage());
        }
        QTRY_COMPARE(m_game->entries(QStringLiteral("Temp")), QStringList {QStringLiteral("0001.tmp")});
        closeEveryWindow();
    }

    void systemBrowser(const QUrl &url)
    {
        m_systemBrowser.append(url);
    }
};

QTEST_MAIN(tst_WebCompanion)
#include "tst_WebCompanion.moc"
