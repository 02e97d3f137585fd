// Pack downloads from a real lumivo-site, and from small servers that misbehave on purpose:
// every failure leaves Data/ byte for byte as it was.

#include "SiteProcess.h"
#include "TinyContent.h"
#include "base/SiteAddress.h"
#include "content/DownloadWindow.h"
#include "content/PackDownload.h"
#include "profile/Profile.h"
#include "select/CategorySelection.h"
#include "widgets/ClickableImage.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

namespace {
const QVector<int> Counts = {9, 9, 9, 9, 9, 9, 9, 9, 9, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
constexpr int Fantascienza = 7;

// Every file of a folder with its bytes.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(QDir(folder).filePath(name));
        files.insert(name, file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return files;
}

// A server that takes connections and answers each request with `reply` (nothing at all when
// empty), then closes the connection.
class BadServer : public QTcpServer
{
public:
    explicit BadServer(const QByteArray &reply)
        : m_reply(reply)
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = nextPendingConnection();
            if (m_reply.isEmpty())
                return; // stalled: accepted and never answered
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                socket->write(m_reply);
                socket->disconnectFromHost();
            });
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(serverPort())); }

private:
    QByteArray m_reply;
};
} // namespace

class tst_PackDownload : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    std::unique_ptr<QTemporaryDir> m_siteData;
    std::unique_ptr<SiteProcess> m_site;
    TinyContent m_content = TinyContent::numbered(Counts);

    QString data() const { return m_game->path(QStringLiteral("Data")); }

    // Waits for the download to end; its final state.
    static DownloadState finish(PackDownload &download)
    {
        QElapsedTimer waited;
        waited.start();
        while (download.state() != DownloadState::Done && download.state() != DownloadState::Failed
               && waited.elapsed() < 20000)
            QTest::qWait(10);
        return download.state();
    }

private slots:
    void initTestCase()
    {
        // The site serves a copy of the content whose titles were corrected since.
        m_siteData = std::make_unique<QTemporaryDir>();
        GameFolderFixture siteGame;
        TinyContent corrected = m_content;
        corrected.titles[Fantascienza][0] = "Film corretto";
        corrected.write(siteGame);
        QVERIFY(QDir().rename(siteGame.path(QStringLiteral("Data")),
                              m_siteData->filePath(QStringLiteral("Data"))));
        QFile::remove(m_siteData->filePath(QStringLiteral("Data/0008.lvd")));
        m_site = std::make_unique<SiteProcess>(m_siteData->filePath(QStringLiteral("Data")),
                                               m_siteData->filePath(QStringLiteral("site.db")));
        QVERIFY(m_site->isRunning());
    }

    void init()
    {
        m_game = std::make_unique<GameFolderFixture>();
        m_content.write(*m_game);
        QVERIFY(QFile::remove(m_game->path(QStringLiteral("Data/0007.lvd"))));
        SiteAddress::setBase(m_site->url());
    }

    void aFailedDownloadLeavesDataAsItWas_data()
    {
        QTest::addColumn<QByteArray>("reply"); // from a bad server; empty: stalled
        QTest::addColumn<int>("category");     // from the real site
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing pack, 404") << QByteArray("site") << 8 << "404";
        QTest::newRow("dropped connection")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 900000\r\n\r\n") + QByteArray(1000, 'x') << 7
            << "";
        QTest::newRow("pack of the wrong size")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\nLVD!") << 7 << "non è completo";
        QTest::newRow("stalled server") << QByteArray() << 7 << "non risponde";
    }
    void aFailedDownloadLeavesDataAsItWas()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, category);
        QFETCH(QString, problem);
        std::unique_ptr<BadServer> bad;
        if (reply != "site") {
            bad = std::make_unique<BadServer>(reply);
            SiteAddress::setBase(bad->url());
        }
        const auto before = snapshot(data());
        PackDownload download(m_game->table());
        download.setStallTimeout(300);
        download.start(category);
        QCOMPARE(finish(download), DownloadState::Failed);
        QVERIFY2(download.problem().contains(problem), qPrintable(download.problem()));
        QCOMPARE(snapshot(data()), before);
    }

    void theWindowOffersARetryAndKeepsItsButtonDownAfterSuccess()
    {
        BadServer down("HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n");
        SiteAddress::setBase(down.url());
        auto *window = new DownloadWindow(m_game->table(), 7);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *button = window->findChild<QPushButton *>(QStringLiteral("cmdDownload"));
        auto *message = window->findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isEnabled());
        QCOMPARE(finish(window->download()), DownloadState::Failed);
        QVERIFY(button->isEnabled());
        QVERIFY(message->toPlainText().startsWith(QStringLiteral("impossibile proseguire")));

        SiteAddress::setBase(m_site->url());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(finish(window->download()), DownloadState::Done);
        QVERIFY(!button->isEnabled());
        QCOMPARE(message->toPlainText(), QStringLiteral("aggiornamento completato!"));
        window->close();
    }

    void theDownloadArrivesByteForByteAndOpensTheCategory()
    {
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
        auto enabledOnSelection = [this] {
            ClassicSelection selection(m_game->profile());
            selection.readThumbs();
            return selection.findChild<ClickableImage *>(QStringLiteral("imgCat_%1").arg(Fantascienza))
                ->isEnabled();
        };
        QVERIFY(!enabledOnSelection());
        PackDownload download(m_game->table());
        QSignalSpy progress(&download, &PackDownload::progress);
        download.start(Fantascienza);
        QCOMPARE(finish(download), DownloadState::Done);
        QVERIFY(!progress.isEmpty());
        // The pack and the corrected titles arrive byte for byte.
        const auto site = snapshot(m_siteData->filePath(QStringLiteral("Data")));
        QCOMPARE(snapshot(data()).value(QStringLiteral("0007.lvd")), site.value(QStringLiteral("0007.lvd")));
        QCOMPARE(snapshot(data()).value(QStringLiteral("index.lvt")),
                 site.value(QStringLiteral("index.lvt")));
        QVERIFY(enabledOnSelection());
    }
};

QTEST_MAIN(tst_PackDownload)
#include "tst_PackDownload.moc"
