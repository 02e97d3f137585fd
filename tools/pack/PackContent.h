#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

// A whole set of game content in memory, and the Data folder that holds it on disk.
namespace PackContent {

struct Picture {
    QByteArray data; // a complete image file, stored byte for byte
    QString title;
};

struct Content {
    std::array<QVector<Picture>, 21> categories;      // 1 to 20; element 0 unused
    std::array<std::array<QByteArray, 21>, 3> thumbs; // [state 0 locked, 1 open, 2 won][category]
};

inline const QStringList StateFolders
    = {QStringLiteral("locked"), QStringLiteral("open"), QStringLiteral("won")};

// Why a category cannot hold `count` pictures; empty when it can.
QString countProblem(int category, int count);
QString totalProblem(int total);

// "categoria 07 Fantascienza"
QString categoryLabel(int category);

// The folder's manifest: "HEX  NAME" for every other file, as sha256sum writes it, so that
// `sha256sum -c index.sha256` checks the folder and a download can be checked against it.
inline const QString ManifestFile = QStringLiteral("Data/index.sha256");

// True for the name of a file a Data folder holds (the indexes, packs, thumbnail files, manifest).
bool isContentFileName(const QString &name);

// Writes index.lvs, index.lvx, index.lvt, the 20 packs, the thumbnail packs and the manifest into
// `folder`.
bool writeData(const Content &content, const QString &folder, QString *error);

// Image file type from its first bytes ("jpg", "png", …; "bin" when unknown).
QString imageSuffix(const QByteArray &data);

struct Problem {
    enum Level { Error, Warning } level = Error;
    int category = 0; // 0: the folder as a whole
    int picture = 0;  // position within the category; 0: the category as a whole
    QString text;
    QString toString() const;
};

// Reads a Data folder as the game does, collecting what does not add up instead of stopping.
class DataFolder
{
public:
    explicit DataFolder(const QString &path);

    // Reads the three indexes; false when the folder cannot be used at all.
    bool loadIndexes();

    int count(int category) const { return m_counts[category]; }
    int base(int category) const;
    int total() const { return base(21); }
    QString title(int category, int position) const;
    // False when index.lvt is missing, short or unreadable for that picture (already reported).
    bool hasTitle(int category, int position) const
    {
        return m_titleRead.value(base(category) + position - 1);
    }
    bool hasPack(int category) const;

    // The pictures of a present pack; false (with problems noted) when it does not match its index.
    bool readPack(int category, QVector<QByteArray> *pictures);
    // The 20 thumbnails of one state; false when its pack or index is missing or damaged.
    bool readThumbs(int state, QVector<QByteArray> *thumbs);
    // Checks the present files against index.sha256, when there is one.
    void checkManifest();

    QVector<Problem> problems;

    // A file of the folder named as the user gave the folder, for messages.
    QString shown(const QString &dataRelative) const;

private:
    enum class FileState { Read, Missing, Unreadable };

    void note(Problem::Level level, int category, int picture, const QString &text);
    // At most `limit` bytes of a regular file; a missing or unreadable one is noted as an error.
    QByteArray readFile(const QString &name, qint64 limit, FileState *state, qint64 *size);
    bool splitPack(const QString &name, const QVector<qint32> &lengths, int category, bool thumbs,
                   QVector<QByteArray> *items);

    QString m_path;
    QString m_given;
    std::array<int, 22> m_counts {};
    QVector<qint32> m_lengths; // by global number − 1; −1 where unknown
    QVector<QString> m_titles;
    QVector<bool> m_titleRead;
};

} // namespace PackContent
