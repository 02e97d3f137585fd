// Pack downloads from small sites, many of which misbehave on purpose: only the site's own files,
// as the indexes describe them, are installed; every failure leaves Data/ byte for byte as it was.
// The download from the real lumivo-site is the end-to-end test's.

#include "Pictures.h"
#include "TinyContent.h"
#include "base/SiteAddress.h"
#include "content/PackDownload.h"
#include "shell/DownloadWindow.h"
#include "widgets/Zoom.h"

#include <QCryptographicHash>
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

// A site that answers a request for Data/NAME with answers[NAME] (404 when empty), then closes
// the connection. Some answers stand for a behaviour instead: "stall", never answered; "close",
// closed unanswered; "drip", a 200 head and then a byte every 20 ms; "endless", a 200 head and
// then bytes for as long as the client takes them (up to 64 MiB); "endless head", header lines.
class FakeSite : public QTcpServer
{
public:
    explicit FakeSite(const QMap<QByteArray, QByteArray> &answers)
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this, answers] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [socket, answers] {
                const QByteArray path = socket->readLine().split(' ').value(1);
                const QByteArray reply = answers.value(path.mid(path.lastIndexOf('/') + 1));
                socket->disconnect(socket); // one answer, however the request arrives
                answer(socket,
                       reply.isEmpty() ? "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n" : reply);
            });
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(serverPort())); }

private:
    static void answer(QTcpSocket *socket, const QByteArray &reply)
    {
        const bool drip = reply == "drip", head = reply == "endless head";
        if (!drip && !reply.startsWith("endless")) {
            if (reply != "stall") {
                socket->write(reply == "close" ? QByteArray() : reply);
                socket->disconnectFromHost();
            }
            return;
        }
        socket->write(drip ? "HTTP/1.1 200 OK\r\nContent-Length: 20000\r\n\r\n"
                           : QByteArray(head ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 200 OK\r\n\r\n"));
        if (drip) {
            auto *timer = new QTimer(socket);
            connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
            timer->start(20);
            return;
        }
        const QByteArray unit = head ? "X-Pad: " + QByteArray(1000, 'x') + "\r\n" : QByteArray(1 << 16, 'x');
        auto more = [socket, unit, sent = qint64(0)]() mutable {
            while (socket->bytesToWrite() < (1 << 20) && sent < (qint64(64) << 20))
                sent += socket->write(unit);
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, more);
        more();
    }
};

// An answer of 200 with `body` after the fields of `head`.
QByteArray answer200(const QByteArray &body, const QByteArray &head = {})
{
    return "HTTP/1.1 200 OK\r\n" + head + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n"
           + body;
}

QByteArray sha256(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QByteArray digestField(const QByteArray &bytes)
{
    return "Repr-Digest: sha-256=:" + sha256(bytes).toBase64() + ":\r\n";
}

QByteArray patched(QByteArray bytes, int at, const QByteArray &with)
{
    return bytes.replace(at, with.size(), with);
}

bool ended(const PackDownload *download)
{
    return download->state() == DownloadState::Done || download->state() == DownloadState::Failed;
}
} // namespace

class tst_PackDownload : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    TinyContent m_content = TinyContent::numbered(Counts, [](int n) { return Pictures::flat(n); });
    QByteArray m_titles; // index.lvt on the site, where a title was corrected since

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true); // the zoom is remembered in the settings
        init();
        m_titles = patched(m_game->read(QStringLiteral("Data/index.lvt")), 82 * 54 + 2, "H");
    }

    void init()
    {
        m_game = std::make_unique<GameFolderFixture>();
        m_content.write(*m_game);
        QVERIFY(QFile::remove(m_game->path(QStringLiteral("Data/0007.lvd"))));
    }

    void onlyTheSitesFilesAsTheIndexesDescribeThemAreInstalled_data()
    {
        QTest::addColumn<QByteArray>("pack"); // the answers for 0007.lvd, index.lvt, index.sha256
        QTest::addColumn<QByteArray>("titles");
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("problem"); // empty: the pack and titles are installed
        QTest::addColumn<QString>("fifo");    // a file of Data/ made a pipe first
        const auto row = [](const char *name, const QByteArray &pack, const QByteArray &titles,
                            const QByteArray &list, const QString &problem, const QString &fifo = {}) {
            QTest::newRow(name) << pack << titles << list << problem << fifo;
        };
        const QByteArray pack = TinyContent::pack(m_content.pictures[Fantascienza]);
        const QByteArray p = answer200(pack), t = answer200(m_titles);
        const QByteArray list
            = answer200(sha256(pack).toHex() + "  0007.lvd\n\nindex.lvt  " + sha256(m_titles).toHex() + "\n");
        // Other pictures of the same size, zeros where a picture holds nothing it shows, a title
        // that is still a title.
        const QByteArray other = TinyContent::pack(m_content.pictures[Fantascienza + 1]);
        const int second = TinyContent::Header + int(m_content.pictures[Fantascienza][0].size());
        const QByteArray zeroed = patched(pack, second + 47, QByteArray(7, '\0'));
        const QByteArray changed = patched(m_titles, 82 * 70 + 2, "H");
        const QByteArray sha512 = QCryptographicHash::hash(pack, QCryptographicHash::Sha512).toBase64();
        const QString notTheSites = "0007.lvd scaricato non è quello del sito: la sua impronta SHA-256";
        // Two chunks, one with an extension, and a trailer.
        const auto chunked = [](const QByteArray &body) {
            return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3e8;x=1\r\n" + body.left(1000)
                   + "\r\n" + QByteArray::number(body.size() - 1000, 16) + "\r\n" + body.mid(1000)
                   + "\r\n0\r\nX-Trailer: 1\r\n\r\n";
        };
        row("an older site, no digests", p, t, {}, "");
        row("in chunks, no digests", chunked(pack), chunked(m_titles), {}, "");
        row("digests in the head, among others, and in the list",
            answer200(pack, "Repr-Digest: sha-512=:" + sha512 + ":, " + digestField(pack).mid(13)),
            answer200(m_titles, digestField(m_titles)), list, "");
        row("other pictures, digest in the head", answer200(other, digestField(pack)), t, {}, notTheSites);
        row("zeroed bytes, digest in the list", answer200(zeroed), t, list, notTheSites);
        row("a changed title, digest in the head", p, answer200(changed, digestField(m_titles)), {},
            "index.lvt scaricato non è quello del sito");
        row("a changed title, digest in the list", p, answer200(changed), list, "index.lvt scaricato non è");
        row("head and list disagree", answer200(other, digestField(other)), t, list, "un'altra in");
        row("malformed digest", answer200(pack, "Repr-Digest: sha-256=:AAAA:\r\n"), t, {}, "Repr-Digest che");
        row("malformed list", p, t, answer200("0007.lvd ok\n"), "index.sha256 del sito non è valido");
        row("list over 64 KiB", p, t, "endless", "Data/index.sha256 del sito è troppo grande");
        row("missing pack, 404", {}, t, {}, "ha risposto 404");
        row("site down", "refused", t, {}, "rifiuta la connessione");
        row("closed unanswered", "close", t, {}, "ha chiuso la connessione senza inviare");
        row("dropped after a 200", p.chopped(pack.size() - 1000), t, {}, "dopo 1000 byte");
        row("larger than the index says", "HTTP/1.1 200 OK\r\nContent-Length: 1610612736\r\n\r\n", t, {},
            "troppo grande");
        row("endless, no length", "endless", t, {}, "troppo grande");
        row("endless head", "endless head", t, {}, "L'intestazione che il sito invia con il file");
        row("compressed", answer200(pack, "Content-Encoding: gzip\r\n"), t, {}, "compresso (gzip)");
        row("redirect to file:", "HTTP/1.1 302 Found\r\nLocation: file:///etc/passwd\r\n\r\n", t, {},
            "a un indirizzo \"file:\", che il gioco non segue");
        row("stalled server", "stall", t, {}, "non risponde");
        row("a byte at a time", "drip", t, {}, "troppo lentamente");
        row("index.lvx a pipe", p, t, {}, "index.lvx", "Data/index.lvx");
        // What only the content check sees, from an older site.
        row("a picture that does not decode", answer200(patched(pack, second, "JUNK")), t, {},
            "0007.lvd scaricato non è quello che descrivono gli indici: l'immagine 2 non si può leggere.");
        row("pack a byte short", answer200(pack.chopped(1)), t, {},
            QStringLiteral("è lungo %1 byte invece di %2").arg(pack.size() - 1).arg(pack.size()));
        row("titles a record short", p, answer200(m_titles.chopped(82)), {}, "Data/index.lvt");
        row("junk titles", p, answer200(QByteArray(m_titles.size(), '\x7F')), {},
            "immagine 1 non è leggibile");
        row("a control character", p, answer200(patched(m_titles, 82 * 2 + 2, "\x02")), {},
            QStringLiteral("immagine 3, il titolo \"\uFFFDilm 3\" contiene un carattere di controllo"));
        row("a title over 80 bytes", p, answer200(patched(m_titles, 82 * 4, QByteArray("\x51\x00", 2))), {},
            "il titolo dell'immagine 5 non è leggibile");
        row("a title with a colon", p, answer200(patched(m_titles, 82 * 11 + 3, QByteArray(1, ':' + 1))), {},
            "contiene \":\"");
    }
    void onlyTheSitesFilesAsTheIndexesDescribeThemAreInstalled()
    {
        QFETCH(QByteArray, pack);
        QFETCH(QByteArray, titles);
        QFETCH(QByteArray, list);
        QFETCH(QString, problem);
        QFETCH(QString, fifo);
        FakeSite site({{"0007.lvd", pack}, {"index.lvt", titles}, {"index.sha256", list}});
        SiteAddress::setBase(site.url());
        if (pack == "refused")
            site.close();
        if (!fifo.isEmpty())
            QVERIFY(QFile::remove(m_game->path(fifo))
                    && ::mkfifo(QFile::encodeName(m_game->path(fifo)), 0644) == 0);
        auto before = snapshot(m_game->path(QStringLiteral("Data")));
        PackDownload download(m_game->table());
        // The stall time alone never ends a drip: the minimum rate does.
        download.setStallTimeout(300);
        download.setMinimumRate(1000, 1000);
        download.start(Fantascienza);
        QTRY_VERIFY_WITH_TIMEOUT(ended(&download), 20000);
        QVERIFY2(download.state() == (problem.isEmpty() ? DownloadState::Done : DownloadState::Failed)
                     && download.problem().contains(problem)
                     && (problem.isEmpty() || download.problem().at(0).isUpper()),
                 qPrintable(download.problem()));
        if (problem.isEmpty()) {
            before.insert(QStringLiteral("0007.lvd"), TinyContent::pack(m_content.pictures[Fantascienza]));
            before.insert(QStringLiteral("index.lvt"), m_titles);
        }
        QCOMPARE(snapshot(m_game->path(QStringLiteral("Data"))), before);
    }

    void theWindowShowsTheCauseThenARetryInstallsTheCategory()
    {
        FakeSite down({{"0007.lvd", "HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n"}});
        SiteAddress::setBase(down.url());
        auto *window = new DownloadWindow(m_game->table(), Fantascienza);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto *button = window->findChild<QPushButton *>(QStringLiteral("cmdDownload"));
        auto *message = window->findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"));
        auto *bar = window->findChild<QProgressBar *>(QStringLiteral("prbDownload"));
        auto *download = window->findChild<PackDownload *>();
        QSignalSpy progress(download, &PackDownload::progress);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!button->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(ended(download), 20000);
        QCOMPARE(download->state(), DownloadState::Failed);
        QVERIFY(button->isEnabled());
        QCOMPARE(
            message->toPlainText(),
            QStringLiteral("impossibile proseguire, controllare la connessione ed i permessi e riprovare. "
                           "Il sito ha risposto 503 per /LumivoPro/Data/0007.lvd."));
        // Empty, not full nor busy: nothing there reads as a download that went through.
        QVERIFY(bar->maximum() > bar->minimum() && bar->value() == bar->minimum());

        FakeSite up({{"0007.lvd", answer200(TinyContent::pack(m_content.pictures[Fantascienza]))},
                     {"index.lvt", answer200(m_titles)}});
        SiteAddress::setBase(up.url());
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(ended(download), 20000);
        QCOMPARE(download->state(), DownloadState::Done);
        QVERIFY(!button->isEnabled() && !progress.isEmpty());
        QCOMPARE(message->toPlainText(), QStringLiteral("aggiornamento completato!"));
        QCOMPARE(bar->value(), bar->maximum());

        // The message grows with the zoom as the button does.
        const qreal points = message->font().pointSizeF();
        Zoom::setPercent(150);
        QCOMPARE(Zoom::percent(), 150);
        QCOMPARE(message->font().pointSizeF(), points * 1.5);
        QCOMPARE(message->font().pointSizeF(), button->font().pointSizeF());
        Zoom::setPercent(100);
        window->close();
    }
};

QTEST_MAIN(tst_PackDownload)
#include "tst_PackDownload.moc"
