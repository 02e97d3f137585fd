#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <QVector>

#include <functional>
#include <optional>

// SHA-256 digests of the data folder's files, each computed once per version of its file and
// off the event loop's thread: a big pack read from a slow disk never holds up other answers.
class DataDigests : public QObject
{
    Q_OBJECT

public:
    // What tells one content of a file from another without reading it.
    struct Version {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        bool operator==(const Version &other) const
        {
            return device == other.device && inode == other.inode && size == other.size
                   && modifiedNs == other.modifiedNs;
        }
    };
    // The version of an open file (its descriptor) or of a path; none when it cannot be read.
    static std::optional<Version> versionOf(int descriptor);
    static std::optional<Version> versionOf(const QString &path);

    explicit DataDigests(QObject *parent = nullptr);
    ~DataDigests() override;

    // The 32-byte digest of the path's file at that version, if known; empty otherwise. A file
    // hashed soon after it changed may change again unseen: its digest serves only the answers
    // that waited for it (justHashed), and the next ones hash it again.
    QByteArray known(const QString &path, const Version &version, bool justHashed = false) const;
    // Hashes the files as they are now and then calls done on this thread, unless context is gone
    // by then. A file that changed while it was read, or could not be read, stays unknown.
    void hash(const QStringList &paths, QObject *context, std::function<void()> done);

private:
    struct Digest {
        Version version;
        QByteArray sha256;
        bool settled = false;
    };
    struct Waiter {
        QSet<QString> paths;
        QPointer<QObject> context;
        std::function<void()> done;
    };
    void hashed(const QString &path, const std::optional<Digest> &digest);

    QHash<QString, Digest> m_digests;
    QSet<QString> m_hashing;
    QVector<Waiter> m_waiters;
    QThreadPool m_pool;
};
