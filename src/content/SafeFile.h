#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Opening and writing the game's own files without being led elsewhere: a symbolic link is never
// written through, and a pipe or a device never stands in for a file (it could block the game or
// be read without end).
namespace SafeFile {

enum class Status {
    Ok,
    Missing,    // nothing of that name
    Link,       // a symbolic link, refused where links are not followed
    NotRegular, // a folder, a pipe, a device
    Unreadable, // there, but the system refuses it (permissions, read-only medium)
};

// Opens an existing regular file with `mode`; never creates it and never blocks on a pipe.
Status open(QFile &file, const QString &path, QIODevice::OpenMode mode, bool followLinks);

// Writes `bytes` as the whole new content of `path`: into a new file beside it, then renamed
// over it, so a link of that name is replaced rather than followed and a failure leaves the
// earlier file as it was. Makes the folder when it is missing.
bool replace(const QString &path, const QByteArray &bytes);

// Creates `path` holding `bytes`; fails, touching nothing, when anything of that name exists.
bool create(const QString &path, const QByteArray &bytes);

} // namespace SafeFile
