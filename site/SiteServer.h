#pragma once

#include <QAbstractHttpServer>
#include <QString>

class RecordStore;

// The game's web site: packs from the data folder, the record form, the ranking and the
// community page. Every request is answered on the event loop; a download goes out piece by
// piece as its client takes it, so slow clients never hold up the others.
class SiteServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    // dataFolder must exist; store must be open and outlive the server.
    SiteServer(const QString &dataFolder, RecordStore *store, QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    void serveData(const QString &encodedName, bool headOnly, bool close, QTcpSocket *socket);
    void postRecord(const QHttpServerRequest &request, bool close, QTcpSocket *socket);
    void showRanking(bool headOnly, bool close, QTcpSocket *socket);

    QString m_dataFolder; // canonical
    RecordStore *m_store;
};
