#include "content/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace SafeFile {

Status open(QFile &file, const QString &path, QIODevice::OpenMode mode, bool followLinks)
{
    file.close();
#ifdef Q_OS_UNIX
    const bool writes = mode & QIODevice::WriteOnly;
    int flags
        = O_CLOEXEC | O_NONBLOCK | (writes ? ((mode & QIODevice::ReadOnly) ? O_RDWR : O_WRONLY) : O_RDONLY);
    if (!followLinks)
        flags |= O_NOFOLLOW;
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            return Status::Missing;
        case ELOOP:
            return followLinks ? Status::Unreadable : Status::Link;
        case EISDIR:
            return Status::NotRegular;
        default:
            return Status::Unreadable;
        }
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Status::NotRegular;
    }
    // Non-blocking was only for the opening: a regular file reads and writes as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Status::Unreadable;
    }
    return Status::Ok;
#else
    const QFileInfo info(path);
    if (info.isSymLink() && !followLinks)
        return Status::Link;
    if (!info.exists())
        return Status::Missing;
    if (!info.isFile())
        return Status::NotRegular;
    file.setFileName(path);
    return file.open(mode | QIODevice::ExistingOnly) ? Status::Ok : Status::Unreadable;
#endif
}

bool replace(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(path);
    // A leftover of a crash ends in .tmp, so the screens' clean-up of Temp/ takes it too.
    QTemporaryFile fresh(target.absolutePath() + QStringLiteral("/~new-XXXXXX.tmp"));
    bool open = fresh.open();
    if (!open && QDir().mkpath(target.absolutePath()))
        open = fresh.open();
    if (!open || fresh.write(bytes) != bytes.size() || !fresh.flush())
        return false;
    fresh.close();
    const QByteArray from = QFile::encodeName(fresh.fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    // rename() replaces the name itself, a link included; where it cannot replace, the old name goes first.
    if (std::rename(from.constData(), to.constData()) != 0
        && !(QFile::remove(target.absoluteFilePath()) && std::rename(from.constData(), to.constData()) == 0))
        return false;
    fresh.setAutoRemove(false);
    return true;
}

bool create(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    if (file.write(bytes) == bytes.size() && file.flush())
        return true;
    file.close();
    file.remove();
    return false;
}

} // namespace SafeFile
