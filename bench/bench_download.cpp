// Prints what the download's safeguards cost and hold: the time the content check of a large
// category takes, and what a server that sends 1.5 GiB with no length, or header lines without
// end, costs the game before the download leaves it (bytes taken, time, peak resident memory).
//
//   bench_download [runs]

#include "BenchSite.h"
#include "BenchStills.h"
#include "base/GameFolder.h"
#include "base/SiteAddress.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/PackDownload.h"
#include "content/PackInstall.h"
#include "pack/PackContent.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <atomic>

namespace {
constexpr int GenreCount = 180;
constexpr int ThemedCount = 157;
constexpr int Themed = 10;
constexpr qint64 Flood = qint64(3) << 29; // 1.5 GiB

QByteArray readData(const QString &name)
{
    QFile file(GameFolder::path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers a request for a pack with a 200 head and then, for as long as the client takes them, up to
// `Flood` bytes: a body with no length, or header lines that never end. It runs on a thread of its
// own, as a remote server would, so the time measured is the game's.
class FloodServer : public QTcpServer
{
public:
    explicit FloodServer(bool endlessHead)
    {
        const QByteArray head
            = endlessHead ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n";
        const QByteArray unit
            = endlessHead ? "X-Pad: " + QByteArray(1000, 'x') + "\r\n" : QByteArray(1 << 16, 'x');
        connect(this, &QTcpServer::newConnection, this, [this, head, unit] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket, head, unit] {
                socket->disconnect(socket);
                // No digest list, as from an older site: the flood comes with the pack.
                if (socket->readLine().contains("index.sha256")) {
                    socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
                    return;
                }
                socket->write(head);
                const auto more = [this, socket, unit] {
                    while (socket->bytesToWrite() < (1 << 20) && sent < Flood)
                        sent += socket->write(unit);
                };
                connect(socket, &QTcpSocket::bytesWritten, socket, more);
                more();
            });
        });
    }
    std::atomic<qint64> sent = 0;
};
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = app.arguments().value(1, QStringLiteral("15")).toInt();
    QTextStream out(stdout);
    QTemporaryDir dir;
    GameFolder::setInstalled(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("Data"));

    QRandomGenerator random(1234);
    PackContent::Content content;
    for (int n = 0; n < GenreCount + ThemedCount; ++n) {
        const QSize size = BenchStills::stillSize(n);
        content.categories[n < GenreCount ? 1 : Themed].append(
            {BenchStills::still(random, size.width(), size.height()),
             QStringLiteral("Film n. %1").arg(n + 1)});
    }
    QString error;
    if (!PackContent::writeData(content, dir.path() + QStringLiteral("/Data"), &error))
        qFatal("%s", qPrintable(error));
    CategoryTable table;
    if (!table.load())
        qFatal("no counts");

    for (const int category : {1, Themed}) {
        const Result<PackInstall::Plan> plan = PackInstall::plan(table, category);
        const QByteArray pack = readData(ContentFiles::packFile(category));
        const QByteArray titles = readData(ContentFiles::TitlesIndex);
        QVector<double> times;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer timer;
            timer.start();
            if (!plan || !PackInstall::check(*plan, pack, titles))
                qFatal("the check refused good content");
            times.append(timer.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        out << QStringLiteral(
                   "check of category %1: %2 JPEG stills, %3 KB: %4 ms (median of %5, slowest %6 ms)\n")
                   .arg(category)
                   .arg(plan->lengths.size())
                   .arg(pack.size() / 1024)
                   .arg(times[times.size() / 2], 0, 'f', 1)
                   .arg(runs)
                   .arg(times.last(), 0, 'f', 1);
    }

    for (const bool endlessHead : {false, true}) {
        QThread thread;
        auto *server = new FloodServer(endlessHead);
        server->moveToThread(&thread);
        thread.start();
        quint16 port = 0;
        QMetaObject::invokeMethod(
            server,
            [server, &port] { port = server->listen(QHostAddress::LocalHost) ? server->serverPort() : 0; },
            Qt::BlockingQueuedConnection);
        SiteAddress::setBase(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)));
        const qint64 before = BenchSite::memoryKiB("VmHWM");
        PackDownload download(table);
        QElapsedTimer timer;
        timer.start();
        download.start(Themed);
        while (download.state() != DownloadState::Failed && download.state() != DownloadState::Done
               && timer.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        out << QStringLiteral(
                   "a server sending 1.5 GiB %1, for a pack of %2 KB: left after %3 ms, %4 KB sent "
                   "by then; peak memory %5 MiB before, %6 MiB after\n  \"%7\"\n")
                   .arg(endlessHead ? QStringLiteral("of header lines") : QStringLiteral("with no length"))
                   .arg(PackInstall::plan(table, Themed)->packSize / 1024)
                   .arg(timer.elapsed())
                   .arg(server->sent / 1024)
                   .arg(before / 1024.0, 0, 'f', 1)
                   .arg(BenchSite::memoryKiB("VmHWM") / 1024.0, 0, 'f', 1)
                   .arg(download.problem());
        QMetaObject::invokeMethod(
            server, [server] { delete server; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    return 0;
}
