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

namespace {

struct Reply {
    int status = 0;
    QByteArray body;
};

Reply parseReply(const QByteArray &data)
{
    Reply reply;
    const qsizetype end = data.indexOf("\r\n\r\n");
    if (!data.startsWith("HTTP/1.1 ") || end < 0)
        return reply;
    reply.status = data.mid(9, 3).toInt();
    reply.body = data.mid(end + 4);
    return reply;
}

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
    // own, and reads until the site closes or, when it keeps the connection, for waitMs: the
    // answer may already wait in the socket by then.
    QByteArray talk(const QByteArrayList &pieces, bool *closed = nullptr, int waitMs = 10000) const
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (!socket.waitForConnected(10000))
            return {};
        for (qsizetype k = 0; k < pieces.size(); ++k) {
            if (k > 0)
                QTest::qWait(2);
            socket.write(pieces[k]);
            if (!socket.waitForBytesWritten(10000))
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

    void wrongRequestsAreAnsweredAndTheSiteGoesOn()
    {
        QByteArray json = postRequest("usr=A&val=1");
        QCOMPARE(m_site->exchange(json.replace("x-www-form-urlencoded", "json")).status, 400);
        QCOMPARE(m_site->get("/LumivoPro/record.asp").status, 405);
        QCOMPARE(m_site->exchange("NONSENSE\r\n\r\n").status, 400);
        // A body announced as huge is refused before it is sent.
        const Reply huge = m_site->exchange("POST /LumivoPro/record.asp HTTP/1.1\r\nHost: x\r\n"
                                            "Content-Length: 1000000000\r\n\r\nusr=");
        QCOMPARE(huge.status, 413);
        QCOMPARE(m_site->get("/forum/index.php").status, 200);
    }

    // Answers in order, one per request, the connection closed when asked or refused.
    void protocol_data()
    {
        QTest::addColumn<QByteArray>("requests");
        QTest::addColumn<QList<int>>("statuses");
        QTest::addColumn<bool>("closed");

        const QByteArray forum = "GET /forum/index.php HTTP/1.1\r\nHost: x\r\n";
        QTest::newRow("pipelined") << QByteArray(forum + "\r\n"
                                                 + "GET /LumivoPro/Data/0007.lvd HTTP/1.1\r\nHost: x\r\n\r\n"
                                                 + getRequest("/LumivoPro/ranking"))
                                   << QList<int> {200, 200, 200} << true;
        QTest::newRow("kept open") << QByteArray(forum + "\r\n") << QList<int> {200} << false;
        QByteArray many = forum;
        for (int k = 0; k < 110; ++k)
            many += "X-Field-" + QByteArray::number(k) + ": " + QByteArray(100, 'v') + "\r\n";
        QTest::newRow("close after many headers")
            << QByteArray(many + "Connection: close\r\n\r\n") << QList<int> {200} << true;
        QTest::newRow("HTTP/1.0") << QByteArray("GET /forum/index.php HTTP/1.0\r\n\r\n") << QList<int> {200}
                                  << true;
        QTest::newRow("folded header") << QByteArray(forum + " folded\r\n\r\n") << QList<int> {400} << true;
        QTest::newRow("blank before colon")
            << QByteArray("GET / HTTP/1.1\r\nHost : x\r\n\r\n") << QList<int> {400} << true;
        QTest::newRow("bare LF") << QByteArray("GET / HTTP/1.1\nHost: x\n\n") << QList<int> {400} << true;
        QTest::newRow("chunked body") << QByteArray(
            "POST /LumivoPro/record.asp HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n\r\n"
            "3\r\nusr\r\n0\r\n\r\n") << QList<int> {411}
                                      << true;
        QTest::newRow("other expectation")
            << QByteArray(forum + "Expect: later\r\n\r\n") << QList<int> {417} << true;
        QByteArray suffixed = postRequest(recordForm("Mario", "000005000000000070001234"));
        QTest::newRow("form type with a suffix")
            << suffixed.replace("urlencoded", "urlencodedXYZ") << QList<int> {400} << true;
    }
    void protocol()
    {
        QFETCH(QByteArray, requests);
        QFETCH(QList<int>, statuses);
        QFETCH(bool, closed);
        bool wasClosed = false;
        const QList<Reply> replies = parseReplies(m_site->talk({requests}, &wasClosed, 500));
        QList<int> got;
        for (const Reply &reply : replies) {
            got.append(reply.status);
            QVERIFY(reply.body == m_pack || reply.body.count("</html>") == 1);
        }
        QCOMPARE(got, statuses);
        QCOMPARE(wasClosed, closed);
    }

    void expectContinueGetsContinue()
    {
        const QByteArray form = recordForm("Mario", "000005000000000070001234");
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_site->port());
        QVERIFY(socket.waitForConnected(10000));
        socket.write("POST /LumivoPro/record.asp HTTP/1.1\r\nHost: x\r\nExpect: 100-continue\r\n"
                     "Content-Length: "
                     + QByteArray::number(form.size()) + "\r\n\r\n");
        QVERIFY(socket.waitForReadyRead(2000));
        QCOMPARE(socket.readAll(), QByteArray("HTTP/1.1 100 Continue\r\n\r\n"));
        socket.write(form);
        QTRY_VERIFY(parseReplies(socket.peek(1 << 20)).size() == 1);
        QCOMPARE(parseReplies(socket.readAll()).first().status, 200);
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
            clients.push_back(std::make_unique<QTcpSocket>());
            clients.back()->setReadBufferSize(16);
            clients.back()->connectToHost(QHostAddress::LocalHost, m_site->port());
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
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 2000) {
            QTest::qWait(100);
            QVERIFY2(m_site->resident() < 60 * 1024, qPrintable(QString::number(m_site->resident())));
            QVERIFY2(m_site->descriptors() < 100, qPrintable(QString::number(m_site->descriptors())));
        }
        QCOMPARE(m_site->get("/forum/index.php").status, 200);
    }

    // Connections that drip their request byte by byte, enough to take every place: a newcomer
    // still gets in at once, one address cannot hold more than its share, and each dripping
    // request is cut off at its deadline however steadily it drips.
    void drippingClientsDoNotLockOthersOut()
    {
        m_site = std::make_unique<Site>(m_data, m_database, QStringList {"--request-deadline-ms", "1000"});
        QVERIFY(m_site->start());
        std::vector<std::unique_ptr<QTcpSocket>> drips;
        int connected = 0;
        for (int k = 0; k < 257; ++k) {
            drips.push_back(std::make_unique<QTcpSocket>());
            QObject::connect(drips.back().get(), &QTcpSocket::connected, [&connected] { ++connected; });
            // Eight client addresses of the loopback network, the first one 33 times.
            drips.back()->bind(QHostAddress(QStringLiteral("127.0.0.%1").arg(2 + qMax(0, k - 1) / 32)));
            drips.back()->connectToHost(QHostAddress::LocalHost, m_site->port());
        }
        QTRY_COMPARE(connected, 257);
        const QByteArray request = getRequest("/LumivoPro/ranking");
        int sent = 0;
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
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(m_site->get("/LumivoPro/ranking").status, 200);
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(drips.begin(), drips.end(),
                        [](const auto &s) { return s->state() == QAbstractSocket::UnconnectedState; }),
            3000);
        QCOMPARE(parseReply(drips.back()->readAll()).status, 408);
    }

    void stalledClientsDoNotHoldUpOthers()
    {
        // One client stops half-way through its request line, one never reads its download.
        QTcpSocket halfOpen;
        halfOpen.connectToHost(QHostAddress::LocalHost, m_site->port());
        QVERIFY(halfOpen.waitForConnected(10000));
        halfOpen.write("GET /LumivoPro/Da");
        QTcpSocket stalled;
        stalled.setReadBufferSize(4096);
        stalled.connectToHost(QHostAddress::LocalHost, m_site->port());
        QVERIFY(stalled.waitForConnected(10000));
        stalled.write(getRequest("/LumivoPro/Data/0007.lvd"));
        QVERIFY(stalled.waitForBytesWritten(10000));
        QVERIFY(stalled.waitForReadyRead(10000));
        QCOMPARE(m_site->get("/forum/index.php").status, 200);
        QCOMPARE(m_site->get("/LumivoPro/Data/0007.lvd").body, m_pack);
        // A download broken off by its client is that client's loss alone.
        stalled.abort();
        QCOMPARE(m_site->get("/forum/index.php").status, 200);
    }
};

QTEST_GUILESS_MAIN(tst_site)
#include "tst_site.moc"
