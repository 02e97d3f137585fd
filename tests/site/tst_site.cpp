// The web site as the game and browsers meet it: the real lumivo-site program on a free port,
// over plain HTTP. Runs on SQLite, or on PostgreSQL when LUMIVO_TEST_PG holds a server's address.

#include <QtTest>

#include <QCryptographicHash>
#include <QHostAddress>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <csignal>

#include <sys/socket.h>

namespace {

struct Reply {
    int status = 0;
    QByteArray body;
};

// Every answer in the bytes, in order, each read by its Content-Length.
QList<Reply> parseReplies(QByteArray data)
{
    QList<Reply> replies;
    while (data.startsWith("HTTP/1.1 ")) {
        const qsizetype end = data.indexOf("\r\n\r\n");
        const QByteArray head = data.left(end).toLower();
        const qsizetype at = head.indexOf("content-length: ");
        const qsizetype length
            = at < 0 ? 0 : head.mid(at + 16, head.indexOf('\r', at) - at - 16).toLongLong();
        if (end < 0 || data.size() < end + 4 + length)
            break;
        replies.append({data.mid(9, 3).toInt(), data.mid(end + 4, length)});
        data.remove(0, end + 4 + length);
    }
    return replies;
}

Reply parseReply(const QByteArray &data)
{
    return parseReplies(data).value(0);
}

QByteArray getRequest(const QByteArray &path)
{
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
}

QByteArray postRequest(const QByteArray &body, const QByteArray &path = "/LumivoPro/record.asp")
{
    return "POST " + path
           + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n"
             "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
           + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray recordForm(const QByteArray &name, const QByteArray &value)
{
    return "usr=" + name.toPercentEncoding(" ").replace(' ', '+') + "&val=" + value;
}

// The site program on a free port of 127.0.0.1 over a data folder and a database of a test's own.
class Site
{
public:
    explicit Site(const QString &dataFolder, const QString &database, const QStringList &options = {})
        : m_arguments(QStringList {"--data", dataFolder, "--db", database, "--listen", "127.0.0.1:0"}
                      + options)
    { }
    ~Site() { kill(); }

    bool start()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(LUMIVO_SITE_EXE), m_arguments);
        if (!m_process.waitForStarted(10000) || !m_process.waitForReadyRead(10000))
            return false;
        const QByteArray line = m_process.readLine().trimmed();
        m_port = quint16(line.mid(line.lastIndexOf(':') + 1).toUInt());
        return line.startsWith("127.0.0.1:") && m_port != 0;
    }
    // SIGTERM, as a service manager stops it; the exit code.
    int stop()
    {
        ::kill(pid_t(m_process.processId()), SIGTERM);
        m_process.waitForFinished(10000);
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }
    void kill()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    quint16 port() const { return m_port; }
    // What the site holds, from /proc: resident memory in KiB, or open descriptors.
    qint64 resident() const
    {
        QFile status(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
        const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
        const qsizetype at = text.indexOf("VmRSS:");
        return at < 0 ? -1
                      : text.mid(at + 6, text.indexOf('\n', at) - at - 6)
                            .trimmed()
                            .split(' ')
                            .first()
                            .toLongLong();
    }
    qint64 descriptors() const
    {
        return QDir(QStringLiteral("/proc/%1/fd").arg(m_process.processId())).count();
    }

    // Sends the pieces one by one, with a pause between them so that the site reads each on its
    // own (an empty piece: the client sends no more), and reads until the site closes or, when it
    // keeps the connection, for waitMs: the answer may already wait in the socket by then.
    QByteArray talk(const QByteArrayList &pieces, bool *closed = nullptr, int waitMs = 10000) const
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (!socket.waitForConnected(10000))
            return {};
        for (qsizetype k = 0; k < pieces.size(); ++k) {
            if (k > 0 && !pieces[k].isEmpty())
                QTest::qWait(2);
            if (pieces[k].isEmpty())
                ::shutdown(int(socket.socketDescriptor()), SHUT_WR);
            else if (socket.write(pieces[k]) < 0 || !socket.waitForBytesWritten(10000))
                return {};
        }
        QByteArray data;
        while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(waitMs))
            data += socket.readAll();
        if (closed)
            *closed = socket.state() != QAbstractSocket::ConnectedState;
        return data + socket.readAll();
    }
    Reply exchange(const QByteArrayList &pieces) const { return parseReply(talk(pieces)); }
    Reply exchange(const QByteArray &request) const { return exchange(QByteArrayList {request}); }
    Reply get(const QByteArray &path) const { return exchange(getRequest(path)); }
    Reply post(const QByteArray &body) const { return exchange(postRequest(body)); }

private:
    QStringList m_arguments;
    QProcess m_process;
    quint16 m_port = 0;
};

} // namespace

class tst_site : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_data;
    QString m_database;
    QSqlDatabase m_db; // the site's database, beside it
    std::unique_ptr<Site> m_site;
    QByteArray m_pack; // Data/0007.lvd

    // count records straight into the database: "G001" upwards, each slower than the last.
    void fillRecords(int count)
    {
        QVERIFY(m_db.transaction());
        QSqlQuery insert(m_db);
        insert.prepare(QStringLiteral(
            "INSERT INTO lumivo_records (name, look, classic, bonus, alpha, puzzle, total, arrived) "
            "VALUES (?, ?, 1, 2, 3, ?, ?, '2026-01-01T00:00:00Z')"));
        for (int k = 1; k <= count; ++k) {
            const QString name = QStringLiteral("G%1").arg(k, 3, 10, QLatin1Char('0'));
            for (const QVariant &value :
                 {QVariant(name), QVariant(name), QVariant(1000 + k), QVariant(1006 + k)})
                insert.addBindValue(value);
            QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        }
        QVERIFY(m_db.commit());
    }

    QByteArray ranking(const QByteArray &query = {}) const
    {
        const Reply reply = m_site->get("/LumivoPro/ranking" + query);
        return reply.status == 200 ? reply.body : QByteArray();
    }

    void writePack()
    {
        QFile pack(m_data + QStringLiteral("/0007.lvd"));
        QVERIFY(pack.open(QIODevice::ReadWrite) && pack.write(m_pack) == m_pack.size());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_data = m_dir.filePath(QStringLiteral("Data"));
        QVERIFY(QDir().mkpath(m_data + QStringLiteral("/sub")));
        QFile secret(m_dir.filePath(QStringLiteral("secret.txt")));
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("SECRET-BYTES") == 12);
        QVERIFY(QFile::link(secret.fileName(), m_data + QStringLiteral("/out.lvd")));
        m_pack = QByteArray(3 * 1024 * 1024 + 17, 0);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(m_pack.data()), m_pack.size() / 4);
        writePack();
        QVERIFY(QFile::link(QStringLiteral("0007.lvd"), m_data + QStringLiteral("/same.lvd")));
        QFile stale(m_data + QStringLiteral("/index.sha256"));
        QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write(QByteArray(64, '0') + "  0007.lvd\n") == 75);
        m_database = qEnvironmentVariable("LUMIVO_TEST_PG", m_dir.filePath(QStringLiteral("site.db")));
        const QUrl url(m_database);
        const bool pg = url.scheme() == QLatin1String("postgresql");
        m_db = QSqlDatabase::addDatabase(pg ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"));
        m_db.setHostName(url.host());
        m_db.setPort(url.port(5432));
        m_db.setUserName(url.userName());
        m_db.setDatabaseName(pg ? url.path().mid(1) : m_database);
        QVERIFY2(m_db.open(), qPrintable(m_db.lastError().text()));
    }

    // Every case starts from an empty ranking and a running site.
    void init()
    {
        QSqlQuery(m_db).exec(QStringLiteral("DROP TABLE IF EXISTS lumivo_records"));
        m_site = std::make_unique<Site>(m_data, m_database);
        QVERIFY(m_site->start());
    }
    void cleanup() { m_site.reset(); }

    // Files of the data folder come byte for byte with the digest of those bytes, and the manifest
    // lists what is served: also after a pack changes in place.
    void packIsServedByteForByteWithItsDigest()
    {
        for (int round = 0; round < 2; ++round) {
            const QByteArray sha = QCryptographicHash::hash(m_pack, QCryptographicHash::Sha256);
            for (const QByteArray &request : {getRequest("/LumivoPro/Data/0007.lvd"),
                                              "HEAD" + getRequest("/LumivoPro/Data/same.lvd").mid(3)}) {
                const QByteArray answer = m_site->talk({request});
                QCOMPARE(parseReply(answer).body, request.startsWith("GET") ? m_pack : QByteArray());
                QVERIFY2(answer.contains("\r\nRepr-Digest: sha-256=:" + sha.toBase64() + ":\r\n"),
                         answer.left(400).constData());
            }
            // As sha256sum writes it; not out.lvd, sub/ nor the stale index.sha256 of the folder.
            QCOMPARE(m_site->get("/LumivoPro/Data/index.sha256").body,
                     sha.toHex() + "  0007.lvd\n" + sha.toHex() + "  same.lvd\n");
            m_pack[12345] = char(m_pack[12345] ^ 1);
            writePack();
        }
    }

    void namesOutsideTheDataFolderAreRefused_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("encoded dots and slash") << QByteArray("%2E%2E%2Fsecret.txt");
        QTest::newRow("doubly encoded") << QByteArray("..%252Fsecret.txt");
        QTest::newRow("absolute path")
            << QByteArray(m_dir.filePath(QStringLiteral("secret.txt")).toUtf8().toPercentEncoding());
        QTest::newRow("link leading out") << QByteArray("out.lvd");
        QTest::newRow("folder") << QByteArray("sub");
        QTest::newRow("nul") << QByteArray("0007.lvd%00.txt");
        QTest::newRow("missing pack") << QByteArray("0008.lvd");
    }
    void namesOutsideTheDataFolderAreRefused()
    {
        QFETCH(QByteArray, name);
        const Reply reply = m_site->get("/LumivoPro/Data/" + name);
        QCOMPARE(reply.status, 404);
        QVERIFY(!reply.body.contains("SECRET-BYTES"));
    }

    void recordPost_data()
    {
        QTest::addColumn<QByteArray>("before"); // a name posted first, form-encoded
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("rankedAs"); // escaped name in the ranking; empty: nothing stored
        auto row = [](const QByteArray &tag, const QByteArray &before, const QByteArray &name, int status,
                      const QByteArray &rankedAs) {
            QTest::newRow(tag.constData()) << before << name << status << rankedAs;
        };

        row("blanks as +", {}, "Mario+Rossi", 200, "Mario Rossi");
        row("apostrophe and ampersand", {}, "D'Amico+%26+co", 200, "D&#39;Amico &amp; co");
        row("literal plus", {}, "A%2BB", 200, "A+B");
        row("Windows-1252 byte", {}, "Nicol%F2", 200, "Nicol&#242;");
        row("UTF-8", {}, "Nicol%C3%B2", 200, "Nicol&#242;");
        row("I and l stay apart", "Il", "ll", 200, "ll");
        // Typographic marks of Windows-1252 and UTF-8 that look like a plain one, either way round.
        for (const QByteArray &pair :
             QByteArray(
                 "'=%92 '=%91 '=%B4 '=%60 -=%96 -=%E2%80%94 ~=%98 %5E=%88 ,=%82 %B0=%BA .=%B7 %E2%80%9D=%93")
                 .split(' ')) {
            const QByteArray plain = "A" + pair.split('=')[0] + "B";
            const QByteArray mark = "A" + pair.split('=')[1] + "B";
            row(mark + " for " + plain, plain, mark, 400, {});
            row(plain + " for " + mark, mark, plain, 400, {});
        }
        row("no name", {}, {}, 400, {});
        row("invalid escape", {}, "a%zzb", 400, {});
        row("script", {}, "%3Cscript%3E", 400, {});
        row("leading blank", {}, "+Mario", 400, {});
        row("two blanks", {}, "Mario++Rossi", 400, {});
        row("no-break space", {}, "Mario%A0Rossi", 400, {});
        row("soft hyphen", {}, "Ma%ADrio", 400, {});
    }
    void recordPost()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, name);
        QFETCH(int, status);
        QFETCH(QByteArray, rankedAs);
        const QByteArray val = "&val=000005000000000070001234";
        QVERIFY(before.isEmpty() || m_site->post("usr=" + before + val).status == 200);
        const QByteArray earlier = ranking();
        const Reply reply = m_site->post(name.isEmpty() ? val.mid(1) : "usr=" + name + val);
        QCOMPARE(reply.status, status);
        QVERIFY2(!reply.body.contains("<script>"), reply.body.constData());
        const QByteArray page = ranking();
        if (rankedAs.isEmpty())
            QVERIFY2(!page.isEmpty() && page == earlier, page.constData());
        else
            QVERIFY2(page.contains("<td class=\"name\">" + rankedAs + "<br>"), page.constData());
    }

    // Answers in order, one per request, every one dated; the connection closed when asked, after
    // a refusal, or once the client has sent all it will ("^": it half-closes). "|" for CRLF.
    void protocol_data()
    {
        QTest::addColumn<QByteArray>("requests");
        QTest::addColumn<QByteArray>("expected"); // the statuses, then "open" or "closed"
        const char *const rows[][3] = {
            {"pipelined", "200 200 200 closed",
             "GET / HTTP/1.1|Host: x||GET /LumivoPro/Data/0007.lvd HTTP/1.1|Host: x||GET / HTTP/1.0||"},
            {"kept open", "200 open", "GET / HTTP/1.1|Host: x||"},
            {"half-closed", "200 200 closed", "GET / HTTP/1.1|Host: x||GET / HTTP/1.1|Host: x||^"},
            {"post half-closed", "200 closed",
             "POST /LumivoPro/record.asp HTTP/1.1|Host: x|Content-Length: "
             "38||usr=Mario&val=000005000000000070001234^"},
            {"form type with a suffix", "400 open",
             "POST /LumivoPro/record.asp HTTP/1.1|Host: x|Content-Length: 14|Content-Type: "
             "application/x-www-form-urlencodedXYZ||usr=Mario&val=1"},
            {"HTTP/1.0", "200 closed", "GET / HTTP/1.0||"},
            {"HTTP/1.0 kept alive", "200 200 closed",
             "GET / HTTP/1.0|Connection: keep-alive||GET / HTTP/1.0||"},
            {"bare LF ending the head", "400 closed", "GET / HTTP/1.1|Host: x|\n"},
            {"chunked body", "411 closed", "POST /r HTTP/1.1|Host: x|Transfer-Encoding: chunked||3|usr|0||"},
            {"record page read", "405 open", "GET /LumivoPro/record.asp HTTP/1.1|Host: x||"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QByteArray(row[2]) << QByteArray(row[1]);
        QByteArray many = "GET / HTTP/1.1|Host: x|";
        for (int k = 0; k < 110; ++k)
            many += "X-Field-" + QByteArray::number(k) + ": " + QByteArray(100, 'v') + '|';
        QTest::newRow("close after many headers") << many + "Connection: close||" << QByteArray("200 closed");
    }
    void protocol()
    {
        QFETCH(QByteArray, requests);
        QFETCH(QByteArray, expected);
        bool closed = false;
        const QByteArray answers = m_site->talk(requests.replace('|', "\r\n").split('^'), &closed, 500);
        const QList<Reply> replies = parseReplies(answers);
        qsizetype dated = 0;
        for (qsizetype at = 0; (at = answers.indexOf("\r\nDate: ", at) + 8) >= 8; ++dated)
            QVERIFY(QDateTime::fromString(QString::fromLatin1(answers.mid(at, 31)),
                                          QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'\r\n"))
                        .isValid());
        QCOMPARE(dated, replies.size());
        QByteArrayList got;
        for (const Reply &reply : replies) {
            got.append(QByteArray::number(reply.status));
            QVERIFY(reply.body == m_pack || reply.body.count("</html>") == 1);
        }
        got.append(closed ? "closed" : "open");
        QCOMPARE(got.join(' '), expected);
    }

    void expectContinueGetsContinue()
    {
        const QByteArray form = recordForm("Mario", "000005000000000070001234");
        const auto socket = connectFrom(1);
        socket->write("POST /LumivoPro/record.asp HTTP/1.1\r\nHost: x\r\nExpect: 100-continue\r\n"
                      "Content-Length: "
                      + QByteArray::number(form.size()) + "\r\n\r\n");
        QVERIFY(socket->waitForReadyRead(2000));
        QCOMPARE(socket->readAll(), QByteArray("HTTP/1.1 100 Continue\r\n\r\n"));
        socket->write(form);
        QTRY_VERIFY(parseReplies(socket->peek(1 << 20)).size() == 1);
        QCOMPARE(parseReplies(socket->readAll()).first().status, 200);
    }

    // However the head and body are cut, the request is answered, and answered once.
    void requestInPiecesIsAnswered()
    {
        // 405 from the site itself, not a refusal of the guard.
        const QByteArray request = postRequest(recordForm("Mario", "1"), "/LumivoPro/ranking");
        const int status = 405;
        QByteArrayList sevens;
        for (qsizetype at = 0; at < request.size(); at += 7)
            sevens.append(request.mid(at, 7));
        QCOMPARE(m_site->exchange(sevens).status, status);
        for (qsizetype at = 1; at < request.size(); ++at) {
            const Reply reply = m_site->exchange({request.left(at), request.mid(at)});
            QVERIFY2(reply.status == status && reply.body.count("</html>") == 1,
                     qPrintable(QStringLiteral("cut after %1 bytes: %2").arg(at).arg(reply.status)));
        }
    }

    // Texts that must show on the page, and after a "!" those that must not.
    void rankingPages_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("texts");
        auto row = [](const char *tag, const QByteArray &query, int status, const QByteArray &texts) {
            QTest::newRow(tag) << query << status << texts;
        };

        row("first", {}, 200, ">G001<|>G050<|?page=3\">3<|!>G051<");
        row("last", "?page=3", 200, "\"pos\">101<|>G120<|?page=1\">1<|!>G100<");
        row("search", "?name=G077", 200,
            "class=\"me\"><td class=\"pos\">77<|77º posto|>G051<|!>G050<|!>G101<");
        row("unknown name", "?name=G999", 404, "Nessun giocatore|!>G001<");
        row("past the last", "?page=4", 404, {});
        row("page 0", "?page=0", 400, {});
        row("not a number", "?page=2x", 400, {});
        row("huge", "?page=99999999999999", 400, {});
        row("long name", "?name=" + QByteArray(44, 'x'), 400, {});
    }
    void rankingPages()
    {
        QFETCH(QByteArray, query);
        QFETCH(int, status);
        QFETCH(QByteArray, texts);
        fillRecords(120);
        const Reply reply = m_site->get("/LumivoPro/ranking" + query);
        QCOMPARE(reply.status, status);
        for (const QByteArray &text : texts.split('|')) {
            const bool shown = !text.startsWith('!');
            QVERIFY2(reply.body.contains(text.mid(shown ? 0 : 1)) == shown, text.constData());
        }
    }

    // Fastest total first, one record per name, kept over a restart; the ready first pages follow
    // posts through another site process over the same database and records written into it.
    void rankingFollowsEveryChange()
    {
        Site other(m_data, m_database);
        QVERIFY(other.start());
        QVERIFY(ranking().contains("Nessun tempo"));
        fillRecords(100);
        QVERIFY(ranking().contains(">G001<") && ranking("?page=2").contains(">G051<"));
        for (const auto &[name, value] : {std::pair {"Anna", "000001000001000001000001"},
                                          {"Lampo", "000000000000000000000001"},
                                          {"Anna", "000900000900000900000900"}})
            QCOMPARE(other.post(recordForm(name, value)).status, 200);
        for (int run = 0; run < 2; ++run) {
            const QByteArray first = ranking();
            QVERIFY2(first.indexOf(">Lampo<") > 0 && first.indexOf(">Lampo<") < first.indexOf(">G001<")
                         && !first.contains(">Anna<") && first.contains("?page=3\">3<"),
                     first.constData());
            QVERIFY(ranking("?page=2").contains(">G050<") && ranking("?page=3").contains(">Anna<"));
            QCOMPARE(m_site->stop(), 0);
            QVERIFY(m_site->start());
        }
    }

    // Clients that pipeline requests and read nothing: the site answers one request of each at a
    // time, as they take it, so its memory and descriptors stay bounded and others are served.
    void clientsThatDoNotReadCostBoundedResources()
    {
        fillRecords(1000);
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        for (int k = 0; k <= 20; ++k) {
            clients.push_back(connectFrom(1));
            clients.back()->setReadBufferSize(16);
            if (k < 20)
                clients.back()->write(
                    getRequest("/LumivoPro/ranking").replace("close", "keep-alive").repeated(20));
        }
        // 1500 downloads asked for on one connection, in many writes.
        for (int k = 0; k < 150; ++k) {
            clients.back()->write(
                QByteArray("GET /LumivoPro/Data/0007.lvd HTTP/1.1\r\nHost: x\r\n\r\n").repeated(10));
            QTest::qWait(1);
        }
        for (int k = 0; k < 20; ++k) {
            QTest::qWait(100);
#ifndef __SANITIZE_ADDRESS__ // its shadow memory and quarantine hold far more than the site itself
            QVERIFY2(m_site->resident() < 60 * 1024, qPrintable(QString::number(m_site->resident())));
#endif
            QVERIFY2(m_site->descriptors() < 100, qPrintable(QString::number(m_site->descriptors())));
        }
        // Downloads broken off by their clients are those clients' loss alone.
        clients.clear();
        QCOMPARE(m_site->get("/forum/index.php").status, 200);
    }

    // Connections that drip their request byte by byte, enough to take every place: a newcomer
    // is answered before any of them is cut off, one address cannot hold more than its share, and
    // each dripping request is cut off at its deadline however steadily it drips.
    void drippingClientsDoNotLockOthersOut()
    {
        m_site = std::make_unique<Site>(m_data, m_database, QStringList {"--request-deadline-ms", "1000"});
        QVERIFY(m_site->start());
        const QByteArray request = getRequest("/LumivoPro/ranking");
        std::vector<std::unique_ptr<QTcpSocket>> drips;
        for (int k = 0; k < 257; ++k) { // eight addresses, the first one 33 times
            drips.push_back(connectFrom(2 + qMax(0, k - 1) / 32));
            // Begun at once: on a busy machine the last connection can come a second after the
            // first, which would otherwise be closed as idle, not cut off as a request too slow.
            drips.back()->write(request.left(1));
            drips.back()->flush();
        }
        int sent = 1;
        QTimer drip;
        QObject::connect(&drip, &QTimer::timeout, [&] {
            for (const auto &socket : drips)
                socket->write(request.mid(sent, 1));
            ++sent;
        });
        drip.start(100);
        QTRY_COMPARE(std::count_if(drips.begin(), drips.end(),
                                   [](const auto &s) { return parseReply(s->peek(4096)).status == 503; }),
                     1);
        QCOMPARE(m_site->get("/LumivoPro/ranking").status, 200);
        QCOMPARE(
            std::count_if(drips.begin(), drips.end(), [](const auto &s) { return s->waitForReadyRead(0); }),
            0);
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(drips.begin(), drips.end(),
                        [](const auto &s) { return s->state() == QAbstractSocket::UnconnectedState; }),
            3000);
        // All cut off at their deadline but the one refused and the one that made room.
        QList<int> statuses;
        for (const auto &socket : drips)
            statuses.append(parseReply(socket->readAll()).status);
        QCOMPARE(statuses.count(408), 255);
        QCOMPARE(statuses.count(503), 1);
    }

    // When every place is taken, a newcomer takes one from the address holding the most: its
    // connection idle longest, else the one whose client takes its answer slowest, once it has
    // been sending long enough to tell. One over its address's share is refused and holds none.
    void fullSiteGivesUpAPlaceFairly_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArrayList>("clients");  // "ADDRESS:idle|reads|stalls" (a pack, read or not)
        QTest::addColumn<QByteArrayList>("outcomes"); // "kept", "cut" or "503" each; the newcomer's last
        const char *const rows[][4] = {
            {"slowest reader", "--max-connections 2", "2:reads 3:stalls", "kept cut 200"},
            {"address holding most", "--max-connections 3", "2:reads 2:stalls 3:stalls", "kept cut kept 200"},
            {"idle before sending", "--max-connections 2", "2:stalls 3:idle", "kept cut 200"},
            {"not sending long enough", "--max-connections 1 --slow-reader-ms 60000", "2:stalls", "kept 503"},
            {"over the address's share", "--max-connections 2 --max-per-address 1", "2:idle 2:idle",
             "kept 503 200"},
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[1]).split(' ') << QByteArray(row[2]).split(' ')
                                  << QByteArray(row[3]).split(' ');
    }
    void fullSiteGivesUpAPlaceFairly()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArrayList, clients);
        QFETCH(QByteArrayList, outcomes);
        m_site
            = std::make_unique<Site>(m_data, m_database, QStringList {"--slow-reader-ms", "300"} + options);
        QVERIFY(m_site->start());
        std::vector<std::unique_ptr<QTcpSocket>> sockets;
        std::vector<QByteArray> got(clients.size());
        for (const QByteArray &client : clients) {
            sockets.push_back(connectFrom(client.split(':')[0].toInt(), 4096));
            sockets.back()->setReadBufferSize(client.endsWith("reads") ? 64 * 1024 : 1);
            if (!client.endsWith("idle"))
                sockets.back()->write(getRequest("/LumivoPro/Data/0007.lvd"));
        }
        QTimer reading; // 64 KiB every 50 ms
        QObject::connect(&reading, &QTimer::timeout, [&] {
            for (size_t k = 0; k < sockets.size(); ++k)
                got[k] += clients[k].endsWith("reads") ? sockets[k]->readAll() : QByteArray();
        });
        reading.start(50);
        QTest::qWait(1000);
        QCOMPARE(QByteArray::number(m_site->get("/forum/index.php").status), outcomes.last());
        for (size_t k = 0; k < sockets.size(); ++k) {
            QTcpSocket &socket = *sockets[k];
            socket.setReadBufferSize(0);
            if (clients[k].endsWith("idle"))
                socket.write(getRequest("/forum/index.php"));
            while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
                got[k] += socket.readAll();
            const Reply reply = parseReply(got[k] + socket.readAll());
            const bool whole = reply.status == 200 && (clients[k].endsWith("idle") || reply.body == m_pack);
            QCOMPARE(QByteArray(reply.status == 503 ? "503" : whole ? "kept" : "cut"), outcomes[k]);
        }
    }

    // Requests are served one address at a time in turn: a client that pipelines half as many
    // requests as 32 connections of another address flood the site with gets every other turn,
    // so it is done while the flood is not.
    void floodFromOneAddressDoesNotStarveAnother()
    {
        const QByteArray head = "HEAD /forum/index.php HTTP/1.1\r\nHost: x\r\n\r\n";
        std::vector<std::unique_ptr<QTcpSocket>> flood;
        for (int k = 0; k < 32; ++k)
            flood.push_back(connectFrom(2));
        const auto other = connectFrom(3);
        for (const auto &socket : flood) {
            socket->write(head.repeated(40));
            socket->flush();
        }
        other->write(head.repeated(640));
        other->flush();
        QByteArray answers;
        while (answers.count("HTTP/1.1 200") < 640 && other->waitForReadyRead(10000))
            answers += other->readAll();
        QCOMPARE(answers.count("HTTP/1.1 200"), 640);
        qsizetype flooded = 0;
        for (const auto &socket : flood) {
            while (socket->waitForReadyRead(0)) { }
            flooded += socket->readAll().count("HTTP/1.1 200");
        }
        QVERIFY2(flooded < 32 * 40, "the flood was served first");
    }

    // --help and --version print on standard output; a usage error prints the usage on standard
    // error and ends with status 2.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::newRow("help") << QStringList {"--help"} << 0;
        QTest::newRow("version") << QStringList {"--version"} << 0;
        QTest::newRow("unknown option") << QStringList {"--bogus"} << 2;
        QTest::newRow("stray argument") << QStringList {"now"} << 2;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QProcess site;
        site.start(QStringLiteral(LUMIVO_SITE_EXE), arguments);
        QVERIFY(site.waitForFinished(10000));
        QCOMPARE(site.exitCode(), status);
        const QByteArray text
            = arguments[0] == "--version" ? "lumivo-site " LUMIVO_VERSION "\n" : "--trusted-proxy";
        const QByteArray out = site.readAllStandardOutput();
        const QByteArray err = site.readAllStandardError();
        QVERIFY2((status == 0 ? out : err).contains(text) && (status == 0 ? err : out).isEmpty(), out + err);
    }

private:
    // A connection from 127.0.0.last, connected unless the site is gone.
    std::unique_ptr<QTcpSocket> connectFrom(int last, int receiveBuffer = 0) const
    {
        auto socket = std::make_unique<QTcpSocket>();
        socket->bind(QHostAddress(QStringLiteral("127.0.0.%1").arg(last)));
        if (receiveBuffer > 0)
            socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBuffer);
        socket->connectToHost(QHostAddress::LocalHost, m_site->port());
        socket->waitForConnected(10000);
        return socket;
    }
};

QTEST_GUILESS_MAIN(tst_site)
#include "tst_site.moc"
