#pragma once

// A Data folder written byte by byte by the tests themselves, so that what extraction reads is
// known to the byte and can be damaged on purpose. Screen tests give it real pictures.

#include "TestSupport.h"

#include <QFile>
#include <QTest>
#include <QVector>
#include <array>
#include <functional>

class TinyContent
{
public:
    static constexpr int Header = 25682;

    // pictures[c] and titles[c] for categories 1 to 20 (index 0 unused); titles are plain
    // Windows-1252 bytes.
    std::array<QVector<QByteArray>, 21> pictures;
    std::array<QVector<QByteArray>, 21> titles;
    // thumbs[state][c], state 0 A000, 1 B000, 2 C000.
    std::array<std::array<QByteArray, 21>, 3> thumbs;

    // The bytes of picture n, and of the thumbnail of category c in state s.
    using PictureMaker = std::function<QByteArray(int n)>;
    using ThumbMaker = std::function<QByteArray(int s, int c)>;

    // Picture n's title is "Film n". Without makers every picture and thumbnail is a different
    // byte string of its own length.
    static TinyContent numbered(const QVector<int> &counts, const PictureMaker &picture = {},
                                const ThumbMaker &thumb = {})
    {
        TinyContent content;
        int n = 0;
        for (int c = 1; c <= 20; ++c) {
            for (int p = 1; p <= counts.value(c - 1); ++p) {
                ++n;
                content.pictures[c].append(picture ? picture(n)
                                                   : QByteArray("<pic ") + QByteArray::number(n) + ">"
                                                         + QByteArray(n % 23, char('a' + n % 26)));
                content.titles[c].append("Film " + QByteArray::number(n));
            }
            for (int s = 0; s < 3; ++s)
                content.thumbs[s][c] = thumb ? thumb(s, c)
                                             : "<thumb " + QByteArray("ABC").mid(s, 1) + QByteArray::number(c)
                                                   + ">" + QByteArray(c * 3, char('0' + s));
        }
        return content;
    }

    int base(int cat) const
    {
        int sum = 0;
        for (int c = 1; c < cat; ++c)
            sum += int(pictures[c].size());
        return sum;
    }
    // Picture and title by global number.
    QByteArray picture(int n) const { return at(pictures, n); }
    QByteArray title(int n) const { return at(titles, n); }

    static QByteArray lengthRecords(const QVector<QByteArray> &items)
    {
        QByteArray bytes;
        for (const QByteArray &item : items) {
            const qint32 v = qint32(item.size()) - 1;
            bytes += char(v & 0xFF);
            bytes += char((v >> 8) & 0xFF);
            bytes += char((v >> 16) & 0xFF);
            bytes += char((v >> 24) & 0xFF);
            bytes += QByteArray("\x7\x7\x7", 3); // unread filler
        }
        return bytes;
    }

    static QByteArray pack(const QVector<QByteArray> &items)
    {
        QByteArray bytes(Header, '\0'); // as other packers write it: the game reads nothing there
        for (const QByteArray &item : items)
            bytes += item;
        return bytes;
    }

    void write(GameFolderFixture &game) const
    {
        QVector<qint16> counts;
        QVector<QByteArray> all;
        QByteArray titleRecords;
        for (int c = 1; c <= 20; ++c) {
            counts.append(qint16(pictures[c].size()));
            all += pictures[c];
            for (const QByteArray &t : titles[c]) {
                QByteArray record(82, '\x5');
                record[0] = char(t.size());
                record[1] = 0;
                for (int i = 0; i < t.size(); ++i)
                    record[2 + i] = char(quint8(t[i]) + 1);
                titleRecords += record;
            }
            put(game, QStringLiteral("Data/%1.lvd").arg(c, 4, 10, QLatin1Char('0')), pack(pictures[c]));
        }
        put(game, QStringLiteral("Data/index.lvx"), lengthRecords(all));
        put(game, QStringLiteral("Data/index.lvt"), titleRecords);
        for (int s = 0; s < 3; ++s) {
            const QVector<QByteArray> items(thumbs[s].begin() + 1, thumbs[s].end());
            const QString name = QStringLiteral("Data/") + QLatin1Char("ABC"[s]) + QStringLiteral("000");
            put(game, name + QStringLiteral(".lvd"), pack(items));
            put(game, name + QStringLiteral(".lvx"), lengthRecords(items));
        }
        game.setCounts(counts);
    }

    static void put(const GameFolderFixture &game, const QString &relative, const QByteArray &bytes)
    {
        QFile file(game.path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

private:
    static QByteArray at(const std::array<QVector<QByteArray>, 21> &table, int n)
    {
        for (int c = 1; c <= 20; ++c) {
            if (n <= table[c].size())
                return table[c].value(n - 1);
            n -= int(table[c].size());
        }
        return QByteArray();
    }
};
