#include "shell/SingleInstance.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString cannotLock(const QString &path)
{
    return QCoreApplication::translate("SingleInstance",
                                       "Impossibile controllare se il gioco è già aperto: il file %1 non si "
                                       "può usare. Controlla che la cartella User si possa scrivere.")
        .arg(QDir::toNativeSeparators(path));
}

// What stands where the lock file goes and is not a file (a link, a folder, a pipe) is cleared;
// a folder only when empty, so nothing of the player's is lost.
bool clearNonFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT;
    return S_ISDIR(info.st_mode) ? ::rmdir(name.constData()) == 0 : ::unlink(name.constData()) == 0;
}
} // namespace

QString SingleInstance::lockPathFor(const QString &gameFolder)
{
    return QDir(gameFolder).absoluteFilePath(GameFolder::UserDir + QStringLiteral(".lumivo.lock"));
}

SingleInstance::SingleInstance(const QString &gameFolder)
{
    const QString path = lockPathFor(gameFolder);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        m_unusable = path;
        return;
    }
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < 2 && m_handle < 0; ++attempt) {
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        struct stat info;
        if (fd >= 0 && ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
            m_handle = fd;
            break;
        }
        if (fd >= 0)
            ::close(fd);
        else if (errno != ELOOP && errno != EISDIR && errno != ENXIO)
            break;
        if (!clearNonFile(path))
            break;
    }
    if (m_handle < 0) {
        m_unusable = path;
        return;
    }
    if (::flock(m_handle, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK)
            m_unusable = path;
        return;
    }
    m_first = true;
    // Only for a person looking: which copy holds the lock.
    const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    [[maybe_unused]] const bool noted
        = ::ftruncate(m_handle, 0) == 0
          && ::write(m_handle, pid.constData(), size_t(pid.size())) == pid.size();
}

QString SingleInstance::problem() const
{
    return m_unusable.isEmpty() ? QString() : cannotLock(m_unusable);
}

SingleInstance::~SingleInstance()
{
    if (m_handle >= 0)
        ::close(m_handle);
}
