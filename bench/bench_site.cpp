// Prints what the web site sustains on 127.0.0.1: record posts per second and their latency
// (8 clients on keep-alive connections, 10 000 posts), on SQLite and, when LUMIVO_TEST_PG holds
// a server's address (tests/site/with-postgres.sh provides one), on PostgreSQL; answers a second
// for a 1 KiB file and for the ranking asked one after another on one kept-alive connection,
// against a new connection for each; and the download rate of a 50 MiB pack against a plain copy
// of the same file.
//
//   bench_site [posts] [clients] [answers]   (answers: of the 1 KiB file; half as many of the ranking)
//   tests/site/with-postgres.sh build/bench/bench_site

#include "BenchSite.h"
#include "profile/RecordValue.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace {

QTextStream out(stdout);

using BenchSite::Site;

// One keep-alive client posting records one after another, timing each answer.
class Poster : public QObject
{
public:
    Poster(quint16 port, int id, int count, std::vector<qint64> *latencies, int *running)
        : m_id(id)
        , m_left(count)
        , m_latencies(latencies)
        , m_running(running)
    {
        connect(&m_socket, &QTcpSocket::connected, this, &Poster::next);
        connect(&m_socket, &QTcpSocket::readyRead, this, &Poster::onReadyRead);
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }

private:
    void next()
    {
        if (m_left == 0) {
            if (--*m_running == 0)
                QCoreApplication::quit();
            return;
        }
        --m_left;
        const auto &random = QRandomGenerator::global();
        const RecordValue::Times times {qint32(random->bounded(999999)), qint32(random->bounded(999999)),
                                        qint32(random->bounded(999999)), qint32(random->bounded(999999))};
        // Names repeat now and then, so replacements are part of the load.
        const QByteArray body = "usr=Giocatore+" + QByteArray::number(m_id) + "-"
                                + QByteArray::number(m_left % 1000)
                                + "&val=" + RecordValue::make(times).toLatin1();
        m_buffer.clear();
        m_clock.start();
        m_socket.write("POST /LumivoPro/record.asp HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                       "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
                       + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    }
    void onReadyRead()
    {
        m_buffer += m_socket.readAll();
        const qsizetype end = m_buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const qsizetype at = m_buffer.toLower().indexOf("content-length:");
        const qsizetype length
            = m_buffer.mid(at + 15, m_buffer.indexOf("\r\n", at) - at - 15).trimmed().toLongLong();
        if (m_buffer.size() < end + 4 + length)
            return;
        if (!m_buffer.startsWith("HTTP/1.1 200"))
            qFatal("post refused: %s", m_buffer.left(end).constData());
        m_latencies->push_back(m_clock.nsecsElapsed());
        next();
    }

    QTcpSocket m_socket;
    QByteArray m_buffer;
    QElapsedTimer m_clock;
    int m_id;
    int m_left;
    std::vector<qint64> *m_latencies;
    int *m_running;
};

void benchPosts(const QString &label, const QString &data, const QString &db, int posts, int clients)
{
    Site site(data, db);
    std::vector<qint64> latencies;
    latencies.reserve(posts);
    int running = clients;
    std::vector<std::unique_ptr<Poster>> posters;
    QElapsedTimer wall;
    wall.start();
    for (int k = 0; k < clients; ++k)
        posters.push_back(std::make_unique<Poster>(site.port, k, posts / clients, &latencies, &running));
    QCoreApplication::exec();
    const double seconds = wall.nsecsElapsed() / 1e9;
    std::sort(latencies.begin(), latencies.end());
    const auto at = [&](double q) { return latencies[size_t(q * (latencies.size() - 1))] / 1e6; };
    out << QStringLiteral("%1: %2 posts from %3 clients in %4 s: %5 posts/s, latency median %6 ms, "
                          "99th percentile %7 ms, max %8 ms")
               .arg(label)
               .arg(latencies.size())
               .arg(clients)
               .arg(seconds, 0, 'f', 2)
               .arg(latencies.size() / seconds, 0, 'f', 0)
               .arg(at(0.5), 0, 'f', 2)
               .arg(at(0.99), 0, 'f', 2)
               .arg(latencies.back() / 1e6, 0, 'f', 2)
        << Qt::endl;
}

// Seconds to fetch a pack whole over one connection, reading as fast as the data comes.
double download(quint16 port, const QByteArray &name, qint64 size)
{
    QTcpSocket socket;
    QElapsedTimer clock;
    clock.start();
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.waitForConnected(10000);
    socket.write("GET /LumivoPro/Data/" + name + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    qint64 received = 0;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    while (socket.waitForReadyRead(10000) || socket.bytesAvailable() > 0) {
        qint64 n;
        while ((n = socket.read(chunk.data(), chunk.size())) > 0)
            received += n;
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (received < size)
        qFatal("download short: %lld of %lld bytes", received, size);
    return seconds;
}

// Answers a second for `path` asked `count` times one after another, each answer read whole
// before the next request: on one kept-alive connection, or on a new connection each time.
double answersPerSecond(quint16 port, const QByteArray &path, int count, bool keepAlive)
{
    const QByteArray request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                               + (keepAlive ? "" : "Connection: close\r\n") + "\r\n";
    QTcpSocket socket;
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    for (int k = 0; k < count; ++k) {
        if (!keepAlive || k == 0) {
            socket.abort();
            socket.connectToHost(QHostAddress::LocalHost, port);
            if (!socket.waitForConnected(10000))
                qFatal("no connection to the site");
        }
        socket.write(request);
        answer.clear();
        for (qsizetype end = -1, length = 0; end < 0 || answer.size() < end + 4 + length;) {
            if (!socket.waitForReadyRead(10000))
                qFatal("%s: answer cut short", path.constData());
            answer += socket.readAll();
            if (end < 0 && (end = answer.indexOf("\r\n\r\n")) >= 0) {
                const qsizetype at = answer.indexOf("Content-Length: ") + 16;
                length = answer.mid(at, answer.indexOf('\r', at) - at).toLongLong();
            }
        }
        if (!answer.startsWith("HTTP/1.1 200"))
            qFatal("%s: %s", path.constData(), answer.left(60).constData());
    }
    return count / (clock.nsecsElapsed() / 1e9);
}

void benchSmallAnswers(const QString &data, const QString &db, int answers)
{
    QFile file(data + QStringLiteral("/small.lvd"));
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(1024, 'x'));
    file.close();
    Site site(data, db);
    for (const auto &[what, path, count] :
         {std::tuple {"1 KiB file", QByteArray("/LumivoPro/Data/small.lvd"), answers},
          {"ranking page 1", QByteArray("/LumivoPro/ranking"), answers / 2}}) {
        const double kept = answersPerSecond(site.port, path, count, true);
        const double fresh = answersPerSecond(site.port, path, count / 2, false);
        out << QStringLiteral("%1, one after another: %2 answers/s on one kept-alive connection, %3/s "
                              "with a new connection each (ratio %4)")
                   .arg(QLatin1String(what))
                   .arg(kept, 0, 'f', 0)
                   .arg(fresh, 0, 'f', 0)
                   .arg(kept / fresh, 0, 'f', 2)
            << Qt::endl;
    }
}

double copy(const QString &from, const QString &to)
{
    QFile::remove(to);
    QElapsedTimer clock;
    clock.start();
    QProcess::execute(QStringLiteral("cp"), {from, to});
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int posts = argc > 1 ? atoi(argv[1]) : 10000;
    const int clients = argc > 2 ? atoi(argv[2]) : 8;
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Data"));
    QDir().mkpath(data);

    benchPosts(QStringLiteral("SQLite"), data, dir.filePath(QStringLiteral("site.db")), posts, clients);
    const QString pg = qEnvironmentVariable("LUMIVO_TEST_PG");
    if (!pg.isEmpty())
        benchPosts(QStringLiteral("PostgreSQL"), data, pg, posts, clients);
    else
        out << "PostgreSQL: skipped (run through tests/site/with-postgres.sh)" << Qt::endl;
    benchSmallAnswers(data, dir.filePath(QStringLiteral("site.db")), argc > 3 ? atoi(argv[3]) : 4000);

    constexpr qint64 PackSize = 50 * 1024 * 1024;
    QByteArray bytes(PackSize, Qt::Uninitialized);
    QRandomGenerator random(7);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), PackSize / 4);
    QFile pack(data + QStringLiteral("/0007.lvd"));
    pack.open(QIODevice::WriteOnly);
    pack.write(bytes);
    // A pack in place for a while: the site hashes it once, at the first download (a file changed
    // just before is hashed again at each request for two seconds).
    pack.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    pack.close();
    bytes.clear();

    Site site(data, dir.filePath(QStringLiteral("site.db")));
    constexpr int Runs = 5;
    std::vector<double> fetches, copies;
    for (int k = 0; k < Runs; ++k) {
        fetches.push_back(download(site.port, "0007.lvd", PackSize));
        copies.push_back(copy(pack.fileName(), dir.filePath(QStringLiteral("copy.lvd"))));
    }
    std::sort(fetches.begin(), fetches.end());
    std::sort(copies.begin(), copies.end());
    const double mib = PackSize / (1024.0 * 1024.0);
    out << QStringLiteral(
               "50 MiB pack, median of %1: download %2 MiB/s (%3 s), cp %4 MiB/s (%5 s), ratio %6; "
               "site's peak memory %7 MiB")
               .arg(Runs)
               .arg(mib / fetches[Runs / 2], 0, 'f', 0)
               .arg(fetches[Runs / 2], 0, 'f', 3)
               .arg(mib / copies[Runs / 2], 0, 'f', 0)
               .arg(copies[Runs / 2], 0, 'f', 3)
               .arg(copies[Runs / 2] / fetches[Runs / 2], 0, 'f', 2)
               .arg(site.peakMemory() / 1024.0, 0, 'f', 1)
        << Qt::endl;
    return 0;
}
