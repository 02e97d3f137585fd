// lumivo-site: the game's web site. Serves the packs of a data folder, receives the players'
// times and shows the ranking. Prints the address it listens on as its first line.

#include "HttpListener.h"
#include "RecordStore.h"
#include "SiteServer.h"
#include "StopSignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHostAddress>
#include <QTextStream>

#include <csignal>

namespace {

constexpr quint16 DefaultPort = 8642;

int fail(const QString &message)
{
    QTextStream(stderr) << "lumivo-site: " << message << Qt::endl;
    return 1;
}

// "HOST:PORT"; port 0 takes any free port.
bool parseListen(const QString &text, QHostAddress *address, quint16 *port)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    QString host = text.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    bool ok = false;
    const uint number = text.mid(colon + 1).toUInt(&ok);
    if (!ok || number > 65535 || !address->setAddress(host))
        return false;
    *port = quint16(number);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // A client that goes away in the middle of a download is an error of that one send, not a
    // signal that ends the site (sendfile has no MSG_NOSIGNAL).
    ::signal(SIGPIPE, SIG_IGN);
    QCoreApplication::setApplicationName(QStringLiteral("lumivo-site"));
    const QString gameFolder = QCoreApplication::applicationDirPath();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Il sito web di Lumivo Pro."));
    parser.addHelpOption();
    const QCommandLineOption dataOption(
        QStringLiteral("data"),
        QStringLiteral("Cartella dei pacchetti (predefinita: Data/ accanto al "
                       "programma)."),
        QStringLiteral("DIR"), gameFolder + QStringLiteral("/Data"));
    const QCommandLineOption dbOption(QStringLiteral("db"),
                                      QStringLiteral("File SQLite o indirizzo postgresql://utente@host:porta/"
                                                     "database (predefinito: lumivo-site.db accanto al "
                                                     "programma)."),
                                      QStringLiteral("FILE_OR_URL"),
                                      gameFolder + QStringLiteral("/lumivo-site.db"));
    const QCommandLineOption listenOption(
        QStringLiteral("listen"),
        QStringLiteral("Indirizzo e porta di ascolto; porta 0 per una porta "
                       "libera qualsiasi (predefinito: 127.0.0.1:%1).")
            .arg(DefaultPort),
        QStringLiteral("HOST:PORT"), QStringLiteral("127.0.0.1:%1").arg(DefaultPort));
    const QCommandLineOption proxyOption(
        QStringLiteral("trusted-proxy"),
        QStringLiteral("Indirizzo di un proxy inverso davanti al sito (ripetibile): le sue connessioni "
                       "non hanno il limite per indirizzo, che il proxy applica a ogni cliente."),
        QStringLiteral("ADDRESS"));
    const QCommandLineOption deadlineOption(
        QStringLiteral("request-deadline-ms"),
        QStringLiteral("Millisecondi entro cui una richiesta deve arrivare per intero (predefinito: "
                       "10000)."),
        QStringLiteral("MS"), QStringLiteral("10000"));
    parser.addOptions({dataOption, dbOption, listenOption, proxyOption, deadlineOption});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("argomento inatteso: %1").arg(parser.positionalArguments().first()));

    const QString dataFolder = parser.value(dataOption);
    if (!QFileInfo(dataFolder).isDir())
        return fail(QStringLiteral("la cartella dei dati %1 non esiste").arg(dataFolder));
    QHostAddress address;
    quint16 port = 0;
    if (!parseListen(parser.value(listenOption), &address, &port))
        return fail(QStringLiteral("indirizzo di ascolto non valido: %1 (atteso HOST:PORTA)")
                        .arg(parser.value(listenOption)));

    QList<QHostAddress> proxies;
    for (const QString &text : parser.values(proxyOption)) {
        QHostAddress proxy;
        if (!proxy.setAddress(text))
            return fail(QStringLiteral("indirizzo del proxy non valido: %1").arg(text));
        proxies.append(proxy);
    }
    HttpLimits limits;
    bool ok = false;
    limits.requestDeadlineMs = parser.value(deadlineOption).toInt(&ok);
    if (!ok || limits.requestDeadlineMs < 50 || limits.requestDeadlineMs > 600000)
        return fail(QStringLiteral("--request-deadline-ms vuole un numero tra 50 e 600000, non %1")
                        .arg(parser.value(deadlineOption)));

    RecordStore store;
    QString error;
    if (!store.open(parser.value(dbOption), &error))
        return fail(QStringLiteral("impossibile aprire il database: %1").arg(error));

    int status = 0;
    {
        SiteServer site(dataFolder, &store);
        HttpListener tcp(
            limits,
            [&site](HttpConnection *connection, const HttpRequest &request) {
                site.handle(connection, request);
            },
            proxies);
        if (!tcp.listen(address, port))
            return fail(QStringLiteral("impossibile ascoltare su %1: %2")
                            .arg(parser.value(listenOption), tcp.errorString()));

        const QString host = tcp.serverAddress().protocol() == QAbstractSocket::IPv6Protocol
                                 ? QStringLiteral("[%1]").arg(tcp.serverAddress().toString())
                                 : tcp.serverAddress().toString();
        QTextStream(stdout) << host << ':' << tcp.serverPort() << Qt::endl;

        StopSignals stop;
        QObject::connect(&stop, &StopSignals::stopRequested, &app, &QCoreApplication::quit);
        status = app.exec();
    }
    store.close();
    return status;
}
