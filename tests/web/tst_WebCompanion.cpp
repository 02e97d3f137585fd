// The game's web window through its launcher: the real lumivo-web and browser engine (or, built
// without the engine, the game's own post) against a real lumivo-site. No variable of the engine
// is set here: run as root, as CI runs it, the launcher must switch the sandbox off by itself.

#include "MessageSupport.h"
#include "SiteProcess.h"
#include "TestSupport.h"
#include "TinyContent.h"
#include "base/SiteAddress.h"
#include "profile/Profile.h"
#include "shell/GameScreens.h"
#include "shell/WebCompanion.h"

#include <QApplication>
#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtTest>
#include <memory>

class tst_WebCompanion : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    QTemporaryDir m_siteFolder;
    std::unique_ptr<SiteProcess> m_site;
    QList<QUrl> m_systemBrowser;

    void logIn(const QString &name)
    {
        QVERIFY(m_game->logIn(name));
        for (int t : {1, 2, 3, 4})
            m_game->profile().setPlayTime(t, QVector<int> {5, 0, 70, 1234}[t - 1]);
    }

    QByteArray ranking()
    {
        QNetworkAccessManager network;
        QNetworkReply *reply = network.get(QNetworkRequest(SiteAddress::rankingPage()));
        QSignalSpy done(reply, &QNetworkReply::finished);
        done.wait(10000);
        reply->deleteLater();
        return reply->readAll();
    }

    // Sends the record and returns whether the site took it, or -1 when no answer came.
    int sendRecord()
    {
        int taken = -1;
        WebCompanion::sendRecord(m_game->profile().name(), {5, 0, 70, 1234}, [&](bool ok) { taken = ok; });
        return QTest::qWaitFor([&] { return taken >= 0; }, 30000) ? taken : -1;
    }

private slots:
    void initTestCase()
    {
        QDir().mkpath(m_siteFolder.filePath(QStringLiteral("Data")));
        m_site = std::make_unique<SiteProcess>(m_siteFolder.filePath(QStringLiteral("Data")),
                                               m_siteFolder.filePath(QStringLiteral("site.db")));
        QVERIFY(m_site->isRunning());
        m_game = std::make_unique<GameFolderFixture>();
        // Built without the engine, pages go to the system's browser: here, to this list.
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "systemBrowser");
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

#if LUMIVO_WEBENGINE
    // First, while no web window runs: each row's program stands in for lumivo-web.
    void aWebWindowThatCannotRunIsReported_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QString>("told");
        QTest::newRow("missing") << QByteArray()
                                 << QStringLiteral("Impossibile avviare il browser del gioco");
        QTest::newRow("ends at once") << QByteArray("exit 0") << QStringLiteral("si è chiuso per un errore");
        QTest::newRow("crashes") << QByteArray("kill -SEGV $$")
                                 << QStringLiteral("si è chiuso per un errore");
        QTest::newRow("crashes once up") << QByteArray("echo ready; read line; kill -SEGV $$")
                                         << QStringLiteral("si è chiuso per un errore");
        QTest::newRow("closed by the player") << QByteArray("echo ready; read line; exit 0") << QString();
    }
    void aWebWindowThatCannotRunIsReported()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, told);
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("lumivo-web"));
        if (!script.isEmpty()) {
            QFile file(program);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\n" + script + '\n');
            file.close();
            QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        }
        WebCompanion::setProgram(program);
        logIn(QStringLiteral("Senza browser"));
        MessageRecorder messages;
        QCOMPARE(sendRecord(), 0);
        WebCompanion::setProgram(QStringLiteral(LUMIVO_WEB_EXE));
        QCOMPARE(messages.shown.size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty()) {
            QVERIFY2(messages.lastText().contains(told), qPrintable(messages.lastText()));
            QVERIFY(messages.lastText().contains(QStringLiteral("I tempi non sono stati inviati")));
        }
        QCOMPARE(WebCompanion::processId(), 0);
    }
#endif

    void theRecordArrivesWithTheNameAsTyped()
    {
        SiteAddress::setBase(m_site->url());
        logIn(QStringLiteral("D'Amico & Niccolò"));
        TinyContent::put(*m_game, QStringLiteral("Temp/0001.tmp"), "a picture file");
#if LUMIVO_WEBENGINE
        // The forum opens the window; the record goes through the same one.
        WebCompanion::open(SiteAddress::forumPage());
        QTRY_VERIFY(WebCompanion::processId() != 0);
        const qint64 window = WebCompanion::processId();
#endif
        // As the menu's "Record!" sends it: the times count as sent once the site took them.
        gameScreens(m_game->session).web(WebPage::Record);
        QTRY_VERIFY_WITH_TIMEOUT(m_game->profile().timesSent(), 30000);
        QVERIFY(ranking().contains("D&#39;Amico &amp; Niccol&#242;"));
#if LUMIVO_WEBENGINE
        QCOMPARE(WebCompanion::processId(), window);
        // The browser's pages go once read; the game's own temporary files stay.
        QCOMPARE(m_game->entries(QStringLiteral("Temp")), QStringList {QStringLiteral("0001.tmp")});
#else
        QTRY_COMPARE(m_systemBrowser, QList<QUrl> {SiteAddress::rankingPage()});
#endif
    }

    void aSiteThatIsDownLeavesTheTimesUnsent()
    {
        SiteAddress::setBase(QUrl(QStringLiteral("http://127.0.0.1:1/")));
        logIn(QStringLiteral("Offline"));
        MessageRecorder messages;
        QCOMPARE(sendRecord(), 0);
        // The web window shows the failure itself; without it the player is told.
        QCOMPARE(messages.shown.size(), LUMIVO_WEBENGINE ? 0 : 1);
    }

    void systemBrowser(const QUrl &url)
    {
        m_systemBrowser.append(url);
    }
};

QTEST_MAIN(tst_WebCompanion)
#include "tst_WebCompanion.moc"
