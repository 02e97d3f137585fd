#pragma once

#include "RecordPost.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

class HttpConnection;
struct HttpRequest;
class RecordStore;

// The game's web site: packs from the data folder, the record form, the ranking and the
// community page, answered on the event loop. Holds nothing another site process over the same
// database would need: every page is read from the database when asked for.
class SiteServer : public QObject
{
    Q_OBJECT

public:
    // dataFolder must exist; store must be open and outlive the server.
    SiteServer(const QString &dataFolder, RecordStore *store, QObject *parent = nullptr);

    // Answers one request (HttpConnection's handler).
    void handle(HttpConnection *connection, const HttpRequest &request);

private:
    void serveData(HttpConnection *connection, const QByteArray &encodedName);
    void postRecord(HttpConnection *connection, const HttpRequest &request);
    void commitPosts();
    void showRanking(HttpConnection *connection, const QByteArray &query);

    // Posts read but not yet stored; stored together, in one commit, once the requests that
    // arrived meanwhile have been read, and only then answered.
    struct PendingPost {
        RecordPost post;
        QPointer<HttpConnection> connection;
    };
    QVector<PendingPost> m_pending;

    QString m_dataFolder; // canonical
    RecordStore *m_store;
};
