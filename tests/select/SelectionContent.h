#pragma once

// A small but complete Data folder for the screen tests: counts, lengths and titles indexes,
// the twenty category packs and the three thumbnail packs, every picture a real PNG. Each
// thumbnail is one flat colour that tells its pack and category apart.

#include "TestSupport.h"
#include "profile/clsUser.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QVector>
#include <QtEndian>

namespace SelectionContent {

// Genre categories hold nine pictures a page; category 3 has two pages.
inline qint16 pictureCount(int category)
{
    if (category == 3)
        return 18;
    return category <= 9 ? 9 : 3;
}

// The colour of the thumbnail of `category` in the pack of `state` (0 A000, 1 B000, 2 C000).
inline QColor thumbColour(int state, int category)
{
    return QColor(40 + 80 * state, 12 * category, 90);
}

inline QByteArray png(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

inline QByteArray lengthRecord(const QByteArray &item)
{
    QByteArray record(7, '\0');
    qToLittleEndian<qint32>(qint32(item.size() - 1), record.data());
    return record;
}

inline void put(const GameFolderFixture &game, const QString &relative, const QByteArray &bytes)
{
    QFile file(game.path(relative));
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(relative));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

// Writes the whole Data folder and loads its counts; picture n is titled "Film n".
inline void write(const GameFolderFixture &game)
{
    const QByteArray header(mdlConst::PackHeaderSize, 'H');
    QVector<qint16> counts;
    QByteArray lengths;
    QByteArray titles;
    int n = 0;
    for (int c = 1; c <= mdlConst::CategoryCount; ++c) {
        counts.append(pictureCount(c));
        QByteArray pack = header;
        for (int p = 1; p <= pictureCount(c); ++p) {
            ++n;
            const QByteArray picture = png(QSize(40, 30), QColor::fromHsv((n * 37) % 360, 160, 220));
            pack += picture;
            lengths += lengthRecord(picture);
            const QByteArray title = "Film " + QByteArray::number(n);
            QByteArray record(82, '\0');
            qToLittleEndian<quint16>(quint16(title.size()), record.data());
            for (int i = 0; i < title.size(); ++i)
                record[2 + i] = char(title[i] + 1);
            titles += record;
        }
        put(game, QStringLiteral("Data/%1.lvd").arg(c, 4, 10, QLatin1Char('0')), pack);
    }
    put(game, QStringLiteral("Data/index.lvx"), lengths);
    put(game, QStringLiteral("Data/index.lvt"), titles);
    for (int state = 0; state < 3; ++state) {
        QByteArray pack = header;
        QByteArray index;
        for (int c = 1; c <= mdlConst::CategoryCount; ++c) {
            const QByteArray thumb = png(QSize(20, 10), thumbColour(state, c));
            pack += thumb;
            index += lengthRecord(thumb);
        }
        const QString name = QStringLiteral("Data/") + QLatin1Char("ABC"[state]) + QStringLiteral("000");
        put(game, name + QStringLiteral(".lvd"), pack);
        put(game, name + QStringLiteral(".lvx"), index);
    }
    game.setCounts(counts);
}

// Logs `user` in as a new player, answering Yes to the creation question.
inline bool newPlayer(clsUser &user, const QString &name = QStringLiteral("Mario"))
{
    MessageRecorder answers(true);
    return user.Login(name, QStringLiteral("pw"));
}

// The colour in the middle of a shown picture.
inline QColor centreColour(const QPixmap &picture)
{
    const QImage image = picture.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace SelectionContent
