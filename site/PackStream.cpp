#include "PackStream.h"

#include <QTcpSocket>

namespace {
constexpr qint64 Piece = 64 * 1024;
// What may wait in the socket's buffer; enough to keep the kernel's own buffer full.
constexpr qint64 Backlog = 4 * Piece;
} // namespace

PackStream::PackStream(QFile *file, QTcpSocket *socket, bool closeWhenDone)
    : QObject(socket)
    , m_file(file)
    , m_socket(socket)
    , m_left(file->size())
    , m_closeWhenDone(closeWhenDone)
{
    m_file->setParent(this);
    connect(socket, &QTcpSocket::bytesWritten, this, &PackStream::pump);
    pump();
}

void PackStream::pump()
{
    if (!m_socket)
        return;
    QByteArray piece;
    while (m_left > 0 && m_socket->bytesToWrite() < Backlog) {
        piece.resize(qMin(Piece, m_left));
        const qint64 got = m_file->read(piece.data(), piece.size());
        if (got <= 0) {
            // The file shrank or failed under us: the client sees a short body and the
            // connection closes, which it can tell from a complete one by the length.
            finish(true);
            return;
        }
        m_socket->write(piece.constData(), got);
        m_left -= got;
    }
    if (m_left == 0)
        finish(m_closeWhenDone);
}

void PackStream::finish(bool close)
{
    disconnect(m_socket, nullptr, this, nullptr);
    if (close)
        m_socket->disconnectFromHost();
    deleteLater();
}
