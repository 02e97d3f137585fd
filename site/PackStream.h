#pragma once

#include <QFile>
#include <QPointer>

class QTcpSocket;

// Sends an open file to a client in pieces as the client takes them, so a large pack is never
// held in memory and a slow client costs nothing but its socket. Deletes itself when done or
// when the client goes away.
class PackStream : public QObject
{
    Q_OBJECT

public:
    // Takes the file (open for reading); the response head must already be written.
    PackStream(QFile *file, QTcpSocket *socket, bool closeWhenDone);

private:
    void pump();
    void finish(bool close);

    QFile *m_file;
    QPointer<QTcpSocket> m_socket;
    qint64 m_left;
    bool m_closeWhenDone;
};
