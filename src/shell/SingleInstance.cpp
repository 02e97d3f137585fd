#include "shell/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>

// One lock per game folder, outside it, so that a read-only or copied folder does not matter.
QString SingleInstance::lockPathFor(const QString &gameFolder)
{
    const QByteArray key
        = QCryptographicHash::hash(QDir(gameFolder).absolutePath().toUtf8(), QCryptographicHash::Sha1)
              .toHex()
              .left(16);
    return QDir::tempPath() + QStringLiteral("/lumivo-") + QString::fromLatin1(key) + QStringLiteral(".lock");
}

SingleInstance::SingleInstance(const QString &gameFolder)
    : m_lock(std::make_unique<QLockFile>(lockPathFor(gameFolder)))
{
    m_lock->setStaleLockTime(0);
    m_first = m_lock->tryLock(0);
}
