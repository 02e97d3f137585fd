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

int fail(const QString &message, int status = 1)
{
    QTextStream(stderr) << "lumivo-site: " << message << Qt::endl;
    return status;
}

// A whole number option within [low, high] into *value; false (said on standard error) otherwise.
bool readNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int low, int high,
                int *value)
{
    bool ok = false;
    const QString text = parser.value(option);
    *value = text.toInt(&ok);
    if (ok && *value >= low && *value <= high)
        return true;
    fail(QStringLiteral("--%1 vuole un numero tra %2 e %3, non %4")
             .arg(option.names().first())
             .arg(low)
             .arg(high)
             .arg(text));
    return false;
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
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(LUMIVO_VERSION_MAJOR)
                                                .arg(LUMIVO_VERSION_MINOR)
                                                .arg(LUMIVO_VERSION_PATCH));
    const QString gameFolder = QCoreApplication::applicationDirPath();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Il sito web di Lumivo Pro."));
    parser.addHelpOption();
    parser.addVersionOption();
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
    // Limits shortened by the tests only, so not offered in --help.
    auto hidden = [](const char *name, const char *text, int value) {
        QCommandLineOption option(QString::fromLatin1(name), QString::fromUtf8(text), QStringLiteral("N"),
                                  QString::number(value));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        return option;
    };
    const HttpLimits defaults;
    const QCommandLineOption deadlineOption
        = hidden("request-deadline-ms", "Millisecondi entro cui una richiesta deve arrivare per intero.",
                 defaults.requestDeadlineMs);
    const QCommandLineOption stallOption = hidden(
        "send-stall-ms", "Millisecondi dopo cui un cliente che non prende nulla della risposta è chiuso.",
        defaults.sendStallMs);
    const QCommandLineOption slowOption
        = hidden("slow-reader-ms", "Millisecondi di una risposta dopo cui conta il passo del cliente.",
                 defaults.slowReaderMs);
    const QCommandLineOption placesOption
        = hidden("max-connections", "Connessioni aperte al massimo.", defaults.maxConnections);
    const QCommandLineOption perAddressOption
        = hidden("max-per-address", "Connessioni al massimo da un indirizzo.", defaults.perAddress);
    parser.addOptions({dataOption, dbOption, listenOption, proxyOption, deadlineOption, stallOption,
                       slowOption, placesOption, perAddressOption});
    // Usage errors end with the usage on standard error and status 2.
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty()) {
        QString problem = parser.errorText();
        if (!parser.unknownOptionNames().isEmpty()) {
            const QString name = parser.unknownOptionNames().first();
            problem = QStringLiteral("opzione sconosciuta: %1%2").arg(name.size() > 1 ? "--" : "-", name);
        } else if (!parser.positionalArguments().isEmpty()) {
            problem = QStringLiteral("argomento inatteso: %1").arg(parser.positionalArguments().first());
        }
        QTextStream(stderr) << "lumivo-site: " << problem << "\n\n" << parser.helpText();
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    const QString dataFolder = parser.value(dataOption);
    if (!QFileInfo(dataFolder).isDir())
        return fail(QStringLiteral("la cartella dei dati %1 non esiste").arg(dataFolder));
    QHostAddress address;
    quint16 port = 0;
    if (!parseListen(parser.value(listenOption), &address, &port))
        return fail(QStringLiteral("indirizzo di ascolto non valido: %1 (atteso HOST:PORTA)")
                        .arg(parser.value(listenOption)),
                    2);

    QList<QHostAddress> proxies;
    for (const QString &text : parser.values(proxyOption)) {
        QHostAddress proxy;
        if (!proxy.setAddress(text))
            return fail(QStringLiteral("indirizzo del proxy non valido: %1").arg(text), 2);
        proxies.append(proxy);
    }
    HttpLimits limits;
    if (!readNumber(parser, deadlineOption, 50, 600000, &limits.requestDeadlineMs)
        || !readNumber(parser, stallOption, 50, 600000, &limits.sendStallMs)
        || !readNumber(parser, slowOption, 50, 600000, &limits.slowReaderMs)
        || !readNumber(parser, placesOption, 1, 100000, &limits.maxConnections)
        || !readNumber(parser, perAddressOption, 1, 100000, &limits.perAddress))
        return 2;

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
