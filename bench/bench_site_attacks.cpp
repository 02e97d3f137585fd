// Prints how the web site holds up under hostile clients on 127.0.0.1: while each attack runs, a
// probe from an address of its own asks for the ranking every 250 ms on a new connection, and its
// answers (how many, how many within 1 s, median and slowest) are set against the same probe on
// the quiet site measured first; the attackers' own figures and the site's peak memory follow.
// The ranking holds 110 000 players, filled through SQL.
//
//   slow readers  256 connections from 8 addresses asking for a 3 MiB pack with 2 KiB receive
//                 buffers, reading a byte every 500 ms; a connection closed comes back
//   one address   one address opening a connection every 2 ms, each asking for the ranking and
//                 reading nothing for 2 s
//   page flood    256 kept-alive connections from 8 addresses asking for ranking pages (random,
//                 1 to 2000) one after another, each as soon as the last is answered
//   drip          256 connections from 8 addresses sending a request a byte every 100 ms
//
//   bench_site_attacks [seconds per attack] [slow|address|flood|drip ...]   (all four by default)
//   tests/site/with-postgres.sh build/bench/bench_site_attacks   (the page flood on PostgreSQL too)

#include "BenchRanking.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>

namespace {

QTextStream out(stdout);

constexpr int Players = 110000;

QByteArray get(const QByteArray &path, bool keepAlive = false)
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + (keepAlive ? "" : "Connection: close\r\n")
           + "\r\n";
}

// The length of the whole first answer in data, or -1 while it is not all there.
qsizetype wholeAnswer(const QByteArray &data)
{
    const qsizetype end = data.indexOf("\r\n\r\n");
    const qsizetype at = data.indexOf("Content-Length: ");
    if (end < 0 || at < 0 || at > end)
        return -1;
    const qsizetype length = end + 4 + data.mid(at + 16, data.indexOf('\r', at) - at - 16).toLongLong();
    return data.size() >= length ? length : -1;
}

QTcpSocket *connectFrom(const QString &address, quint16 port, QObject *parent, int receiveBuffer = 0)
{
    auto *socket = new QTcpSocket(parent);
    socket->bind(QHostAddress(address));
    if (receiveBuffer > 0)
        socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBuffer);
    socket->connectToHost(QHostAddress::LocalHost, port);
    return socket;
}

QString attacker(int k)
{
    return QStringLiteral("127.0.0.%1").arg(2 + k / 32);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct ProbeFigures {
    int sent = 0;
    int pending = 0;
    int refused = 0;              // a 503
    std::vector<double> answered; // ms
};

// Every 250 ms, a new connection from 127.0.0.100 asks for the ranking; timed to its last byte.
class Probe : public QObject
{
public:
    Probe(quint16 port, ProbeFigures *figures)
        : m_port(port)
        , m_figures(figures)
    {
        connect(&m_timer, &QTimer::timeout, this, &Probe::ask);
        m_timer.start(250);
        ask();
    }
    void stop() { m_timer.stop(); }

private:
    void ask()
    {
        ++m_figures->sent;
        ++m_figures->pending;
        QTcpSocket *socket = connectFrom(QStringLiteral("127.0.0.100"), m_port, this);
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        auto data = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::connected, socket,
                [socket] { socket->write(get("/LumivoPro/ranking")); });
        connect(socket, &QTcpSocket::readyRead, socket, [=] {
            *data += socket->readAll();
            if (wholeAnswer(*data) < 0)
                return;
            if (data->startsWith("HTTP/1.1 200"))
                m_figures->answered.push_back(clock->nsecsElapsed() / 1e6);
            else if (data->startsWith("HTTP/1.1 503"))
                ++m_figures->refused;
            socket->abort();
        });
        connect(socket, &QTcpSocket::stateChanged, socket, [=](QAbstractSocket::SocketState state) {
            if (state == QAbstractSocket::UnconnectedState) {
                --m_figures->pending;
                socket->deleteLater();
            }
        });
        QTimer::singleShot(10000, socket, &QTcpSocket::abort);
    }

    quint16 m_port;
    ProbeFigures *m_figures;
    QTimer m_timer;
};

// The attacks; each returns a line of its own figures once the event loop has run.
using Attack = std::function<std::function<QString()>(quint16 port, QObject *owner)>;

// Whether the site has closed or reset the connection, which a client reading a byte now and then
// would learn only once it had read what came before.
bool gone(QTcpSocket *socket)
{
    tcp_info info {};
    socklen_t length = sizeof info;
    return socket->state() == QAbstractSocket::UnconnectedState
           || (::getsockopt(int(socket->socketDescriptor()), IPPROTO_TCP, TCP_INFO, &info, &length) == 0
               && (info.tcpi_state == TCP_CLOSE || info.tcpi_state == TCP_CLOSE_WAIT));
}

std::function<QString()> slowReaders(quint16 port, QObject *owner)
{
    auto closed = std::make_shared<int>(0);
    auto sockets = std::make_shared<std::vector<QTcpSocket *>>(256);
    auto open = [=](int k) {
        QTcpSocket *socket = connectFrom(attacker(k), port, owner, 2048);
        socket->setReadBufferSize(1);
        socket->write(get("/LumivoPro/Data/0007.lvd", true));
        (*sockets)[k] = socket;
    };
    for (int k = 0; k < 256; ++k)
        open(k);
    auto *nibble = new QTimer(owner);
    QObject::connect(nibble, &QTimer::timeout, [=] {
        for (int k = 0; k < 256; ++k) {
            QTcpSocket *socket = (*sockets)[k];
            if (socket->state() == QAbstractSocket::ConnectingState)
                continue;
            if (gone(socket)) {
                // The attacker comes back.
                ++*closed;
                delete socket;
                open(k);
            } else {
                socket->read(1);
            }
        }
    });
    nibble->start(500);
    return [closed] { return QStringLiteral("%1 attacking connections closed by the site").arg(*closed); };
}

std::function<QString()> oneAddress(quint16 port, QObject *owner)
{
    auto opened = std::make_shared<int>(0);
    auto refused = std::make_shared<int>(0);
    auto *flood = new QTimer(owner);
    QObject::connect(flood, &QTimer::timeout, [=] {
        ++*opened;
        QTcpSocket *socket = connectFrom(QStringLiteral("127.0.0.2"), port, owner);
        socket->write(get("/LumivoPro/ranking"));
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [=] {
            if (socket->peek(12) == "HTTP/1.1 503") {
                ++*refused;
                socket->abort();
            }
        });
        QTimer::singleShot(2000, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
    });
    flood->start(2);
    return [=] {
        return QStringLiteral("%1 connections opened from one address, %2 refused at once")
            .arg(*opened)
            .arg(*refused);
    };
}

std::function<QString()> pageFlood(quint16 port, QObject *owner)
{
    auto latencies = std::make_shared<std::vector<double>>();
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    for (int k = 0; k < 256; ++k) {
        QTcpSocket *socket = connectFrom(attacker(k), port, owner);
        auto data = std::make_shared<QByteArray>();
        auto asked = std::make_shared<QElapsedTimer>();
        auto ask = [=] {
            asked->start();
            const int page = 1 + int(QRandomGenerator::global()->bounded(2000));
            socket->write(get("/LumivoPro/ranking?page=" + QByteArray::number(page), true));
        };
        QObject::connect(socket, &QTcpSocket::connected, socket, ask);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [=] {
            *data += socket->readAll();
            const qsizetype length = wholeAnswer(*data);
            if (length < 0)
                return;
            data->remove(0, length);
            latencies->push_back(asked->nsecsElapsed() / 1e6);
            ask();
        });
    }
    return [=] {
        return QStringLiteral("flood: %1 pages/s, median %2 ms a page")
            .arg(latencies->size() / (clock->elapsed() / 1000.0), 0, 'f', 0)
            .arg(median(*latencies), 0, 'f', 1);
    };
}

std::function<QString()> drip(quint16 port, QObject *owner)
{
    auto sockets = std::make_shared<std::vector<std::pair<QPointer<QTcpSocket>, int>>>();
    auto cutOff = std::make_shared<int>(0);
    for (int k = 0; k < 256; ++k)
        sockets->push_back({connectFrom(attacker(k), port, owner), 0});
    const QByteArray request = get("/LumivoPro/ranking");
    auto *dripping = new QTimer(owner);
    QObject::connect(dripping, &QTimer::timeout, [=] {
        for (size_t k = 0; k < sockets->size(); ++k) {
            auto &[socket, sent] = (*sockets)[k];
            if (!socket || socket->state() == QAbstractSocket::UnconnectedState) {
                // Cut off at its deadline: it comes back.
                ++*cutOff;
                delete socket;
                socket = connectFrom(attacker(int(k)), port, owner);
                sent = 0;
            }
            socket->write(request.mid(sent++ % request.size(), 1));
        }
    });
    dripping->start(100);
    return [cutOff] { return QStringLiteral("%1 dripping connections cut off").arg(*cutOff); };
}

// The probe's median in ms.
double run(const QString &label, const QString &data, const QString &db, int seconds, const Attack &attack,
           double quietMedian = 0)
{
    BenchSite::Site site(data, db, 600000);
    QObject owner;
    std::function<QString()> figures;
    if (attack)
        figures = attack(site.port, &owner);
    // The attack settles before the probe starts.
    QEventLoop wait;
    QTimer::singleShot(attack ? 4000 : 0, &wait, &QEventLoop::quit);
    wait.exec();
    ProbeFigures probe;
    const double processor = site.processorSeconds();
    QElapsedTimer clock;
    clock.start();
    {
        Probe prober(site.port, &probe);
        QTimer::singleShot(seconds * 1000, &wait, &QEventLoop::quit);
        wait.exec();
        // The probes on their way finish.
        prober.stop();
        QTimer finishing;
        QObject::connect(&finishing, &QTimer::timeout, [&] {
            if (probe.pending == 0)
                wait.quit();
        });
        finishing.start(10);
        wait.exec();
    }
    const double busy = (site.processorSeconds() - processor) / (clock.elapsed() / 1000.0);
    const auto within
        = std::count_if(probe.answered.begin(), probe.answered.end(), [](double ms) { return ms <= 1000; });
    const double middle = median(probe.answered);
    const double slowest
        = probe.answered.empty() ? 0 : *std::max_element(probe.answered.begin(), probe.answered.end());
    out << label
        << QStringLiteral(": probe answered %1 of %2 (%3 refused), %4 within 1 s, median %5 ms")
               .arg(probe.answered.size())
               .arg(probe.sent)
               .arg(probe.refused)
               .arg(within)
               .arg(middle, 0, 'f', 1);
    if (quietMedian > 0)
        out << QStringLiteral(" (%1 times quiet)").arg(middle / quietMedian, 0, 'f', 1);
    out << QStringLiteral(", slowest %1 ms; site busy %2 %, peak memory %3 MiB")
               .arg(slowest, 0, 'f', 1)
               .arg(busy * 100, 0, 'f', 0)
               .arg(site.peakMemory() / 1024.0, 0, 'f', 1)
        << Qt::endl;
    if (figures)
        out << "  " << figures() << Qt::endl;
    return middle;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? atoi(argv[1]) : 10;
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("Data"));
    QDir().mkpath(data);
    QFile pack(data + QStringLiteral("/0007.lvd"));
    pack.open(QIODevice::WriteOnly);
    pack.write(QByteArray(3 * 1024 * 1024, 'p'));
    pack.close();
    // A thousand attacking connections at a time.
    rlimit files {};
    ::getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    ::setrlimit(RLIMIT_NOFILE, &files);

    const QString sqlite = dir.filePath(QStringLiteral("site.db"));
    BenchRanking::fill(sqlite, Players);
    QStringList chosen = app.arguments().mid(2);
    if (chosen.isEmpty())
        chosen = QStringList {"slow", "address", "flood", "drip"};
    const double quiet = run(QStringLiteral("quiet"), data, sqlite, seconds, {});
    const std::vector<std::tuple<QString, QString, Attack>> attacks {{"slow", "slow readers", slowReaders},
                                                                     {"address", "one address", oneAddress},
                                                                     {"flood", "page flood", pageFlood},
                                                                     {"drip", "drip", drip}};
    for (const auto &[name, label, attack] : attacks) {
        if (chosen.contains(name))
            run(label, data, sqlite, seconds, attack, quiet);
    }
    const QString pg = qEnvironmentVariable("LUMIVO_TEST_PG");
    if (pg.isEmpty()) {
        out << "PostgreSQL: skipped (run through tests/site/with-postgres.sh)" << Qt::endl;
        return 0;
    }
    if (!chosen.contains(QStringLiteral("flood")))
        return 0;
    BenchRanking::fill(pg, Players);
    const double quietPg = run(QStringLiteral("quiet, PostgreSQL"), data, pg, seconds, {});
    run(QStringLiteral("page flood, PostgreSQL"), data, pg, seconds, pageFlood, quietPg);
    return 0;
}
