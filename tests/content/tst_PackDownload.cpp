// Pack downloads from a real lumivo-site, and from small servers that misbehave on purpose:
// every failure leaves Data/ byte for byte as it was.

#include "Pictures.h"
#include "SiteProcess.h"
#include "TinyContent.h"
#include "base/SiteAddress.h"
#include "content/PackDownload.h"
#include "profile/Profile.h"
#include "select/CategorySelection.h"
#include "shell/DownloadWindow.h"
#include "widgets/ClickableImage.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>
#include <sys/stat.h>

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

// A server that answers each request with `reply`, then closes the connection. Some replies
// stand for a behaviour instead: empty, the connection is accepted and never answered; "refused",
// nothing listens on the port; "drip", a 200 head and then a byte every 20 ms; "endless", a 200
// head with no length and then bytes for as long as the client takes them (up to 64 MiB).
class BadServer : public QTcpServer
{
public:
    explicit BadServer(const QByteArray &reply)
        : m_reply(reply)
    {
        listen(QHostAddress::LocalHost);
        m_port = serverPort();
        if (reply == "refused")
            close();
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = nextPendingConnection();
            if (!m_reply.isEmpty())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }

private:
    void answer(QTcpSocket *socket)
    {
        socket->disconnect(socket); // one answer, however the request arrives
        if (m_reply == "drip") {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 20000\r\n\r\n");
            auto *drip = new QTimer(socket);
            connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            drip->start(20);
        } else if (m_reply == "endless") {
            socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
            auto more = [socket, sent = qint64(0)]() mutable {
                if (socket->bytesToWrite() < (1 << 20) && sent < (qint64(64) << 20))
                    sent += socket->write(QByteArray(1 << 16, 'x'));
            };
            connect(socket, &QTcpSocket::bytesWritten, socket, more);
            more();
        } else {
            socket->write(m_reply);
            socket->disconnectFromHost();
        }
    }

    QByteArray m_reply;
    quint16 m_port = 0;
};

// A picture that decodes, of its own colour.
QByteArray tinyPicture(int n)
{
    return Pictures::flat(n);
}

// An answer of 200 with `body`, whose length it declares as `declared` (its own when -1).
QByteArray answer200(const QByteArray &body, qint64 declared = -1)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(declared < 0 ? body.size() : declared)
           + "\r\n\r\n" + body;
}
} // namespace

class tst_PackDownload : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    std::unique_ptr<QTemporaryDir> m_siteData;
    std::unique_ptr<SiteProcess> m_site;
    TinyContent m_content = TinyContent::numbered(Counts, tinyPicture);

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
        QTest::addColumn<QByteArray>("reply"); // from a bad server; "site": the real one
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("fifo"); // a file of Data/ made a pipe first
        QTest::addColumn<QString>("problem");
        const QByteArray pack = TinyContent::pack(m_content.pictures[Fantascienza]);
        QTest::newRow("missing pack, 404") << QByteArray("site") << 8 << ""
                                           << "ha risposto 404";
        QTest::newRow("site down") << QByteArray("refused") << 7 << ""
                                   << "rifiuta la connessione";
        QTest::newRow("dropped after a 200") << answer200(pack.left(1000), pack.size()) << 7 << ""
                                             << "si è interrotto dopo 1000 byte";
        QTest::newRow("pack of the wrong size") << answer200("LVD!") << 7 << ""
                                                << "è lungo 4 byte";
        QTest::newRow("larger than the index says") << answer200(pack.left(1000), qint64(3) << 29) << 7 << ""
                                                    << "troppo grande";
        QTest::newRow("endless, no length") << QByteArray("endless") << 7 << ""
                                            << "troppo grande";
        QTest::newRow("an HTML page of the pack's size") << answer200(
            QByteArray("<html><body>Pagina non trovata</body></html>").leftJustified(pack.size()))
                                                         << 7 << ""
                                                         << "troppo grande";
        QTest::newRow("stalled server") << QByteArray() << 7 << ""
                                        << "non risponde";
        QTest::newRow("a byte at a time") << QByteArray("drip") << 7 << ""
                                          << "troppo lentamente";
        QTest::newRow("index.lvx a pipe") << QByteArray("site") << 7 << "Data/index.lvx"
                                          << "index.lvx";
    }
    void aFailedDownloadLeavesDataAsItWas()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, category);
        QFETCH(QString, fifo);
        QFETCH(QString, problem);
        std::unique_ptr<BadServer> bad;
        if (reply != "site") {
            bad = std::make_unique<BadServer>(reply);
            SiteAddress::setBase(bad->url());
        }
        if (!fifo.isEmpty()) {
            QVERIFY(QFile::remove(m_game->path(fifo)));
            QCOMPARE(::mkfifo(QFile::encodeName(m_game->path(fifo)).constData(), 0644), 0);
        }
        const auto before = snapshot(data());
        PackDownload download(m_game->table());
        // The stall time alone never ends a drip: the minimum rate does.
        download.setStallTimeout(300);
        download.setMinimumRate(1000, 1000);
        download.start(category);
        QCOMPARE(finish(download), DownloadState::Failed);
        QVERIFY2(download.problem().contains(problem) && download.problem().at(0).isUpper(),
                 qPrintable(download.problem()));
        QCOMPARE(snapshot(data()), before);
    }

    void theWindowShowsTheCauseAndOffersARetry_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("cause");
        QTest::newRow("site down") << QByteArray("refused") << "Il sito 127.0.0.1:";
        QTest::newRow("503") << QByteArray("HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n")
                             << "Il sito ha risposto 503";
        const QByteArray pack = TinyContent::pack(m_content.pictures[Fantascienza]);
        QTest::newRow("cut after a 200")
            << answer200(pack.left(1000), pack.size()) << "Il trasferimento del file";
    }
    void theWindowShowsTheCauseAndOffersARetry()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, cause);
        BadServer down(reply);
        SiteAddress::setBase(down.url());
        auto *window = new DownloadWindow(m_game->table(), 7);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *button = window->findChild<QPushButton *>(QStringLiteral("cmdDownload"));
        auto *message = window->findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"));
        auto *bar = window->findChild<QProgressBar *>(QStringLiteral("prbDownload"));
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isEnabled());
        QCOMPARE(finish(*window->findChild<PackDownload *>()), DownloadState::Failed);
        QVERIFY(button->isEnabled());
        QVERIFY2(message->toPlainText().startsWith(
                     QStringLiteral(
                         "impossibile proseguire, controllare la connessione ed i permessi e riprovare. ")
                     + cause),
                 qPrintable(message->toPlainText()));
        // Empty, not full nor busy: nothing there reads as a download that went through.
        QVERIFY(bar->maximum() > bar->minimum() && bar->value() == bar->minimum());

        SiteAddress::setBase(m_site->url());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(finish(*window->findChild<PackDownload *>()), DownloadState::Done);
        QVERIFY(!button->isEnabled());
        QCOMPARE(message->toPlainText(), QStringLiteral("aggiornamento completato!"));
        QCOMPARE(bar->value(), bar->maximum());
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
        // A link in Data/ is replaced, never written through.
        const QString elsewhere = m_game->path(QStringLiteral("elsewhere.lvt"));
        QVERIFY(QFile::rename(m_game->path(QStringLiteral("Data/index.lvt")), elsewhere)
                && QFile::link(elsewhere, m_game->path(QStringLiteral("Data/index.lvt"))));
        const QByteArray before = m_game->read(QStringLiteral("elsewhere.lvt"));
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
        QCOMPARE(m_game->read(QStringLiteral("elsewhere.lvt")), before);
    }
};

QTEST_MAIN(tst_PackDownload)
#include "tst_PackDownload.moc"
