#pragma once

// A game folder with a small Data folder of real PNG pictures and a logged-in objUser, for the
// play screen tests.

#include "TestSupport.h"
#include "content/Ansi.h"
#include "profile/clsUser.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QTest>
#include <QtEndian>

class PlayFixture
{
public:
    static constexpr int Header = 25682;

    // Counts of categories 1 to 20; picture n is called "Film n" unless `titles` names it.
    PlayFixture(const QVector<int> &counts, const QMap<int, QString> &titles = {})
        : m_counts(counts)
    {
        QVector<qint16> shortCounts;
        for (int c : counts)
            shortCounts.append(qint16(c));
        game.setCounts(shortCounts);

        QByteArray lengths;
        QByteArray titleRecords;
        int n = 0;
        for (int c = 1; c <= 20; ++c) {
            QByteArray pack(Header, 'H');
            for (int p = 1; p <= counts.value(c - 1); ++p) {
                ++n;
                const QByteArray bytes = picture(n);
                pack += bytes;
                lengths += lengthRecord(bytes.size());
                titleRecords += titleRecord(titles.value(n, QStringLiteral("Film %1").arg(n)));
            }
            if (counts.value(c - 1) > 0)
                put(QStringLiteral("Data/%1.lvd").arg(c, 4, 10, QLatin1Char('0')), pack);
        }
        put(QStringLiteral("Data/index.lvx"), lengths);
        put(QStringLiteral("Data/index.lvt"), titleRecords);

        MessageRecorder answers(true);
        QVERIFY(objUser.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
    }

    int base(int category) const
    {
        int sum = 0;
        for (int c = 1; c < category; ++c)
            sum += m_counts.value(c - 1);
        return sum;
    }

    // Marks pictures first to last (positions within the category) solved.
    void solve(int category, int first, int last) const
    {
        for (int p = first; p <= last; ++p)
            objUser.setItem(base(category) + p, 1);
    }

    QString path(const QString &relative) const { return game.path(relative); }
    QByteArray read(const QString &relative) const { return game.read(relative); }

    QStringList tempPictures() const
    {
        return QDir(game.path(QStringLiteral("Temp"))).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
    }

    void put(const QString &relative, const QByteArray &bytes) const
    {
        QFile file(game.path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

    // A still of its own colour with a few shapes on it, so that screenshots tell cells apart.
    static QByteArray picture(int n)
    {
        QImage image(200, 110, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((n * 47) % 360, 90, 200));
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromHsv((n * 47 + 180) % 360, 120, 120));
        painter.drawEllipse(QPoint(60 + (n * 13) % 80, 60), 28, 34);
        painter.setBrush(QColor(30, 30, 40, 160));
        painter.drawRect(0, 80, 200, 30);
        painter.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    GameFolderFixture game;

private:
    static QByteArray lengthRecord(int size)
    {
        QByteArray record(7, '\0');
        qToLittleEndian<qint32>(size - 1, record.data());
        return record;
    }

    static QByteArray titleRecord(const QString &title)
    {
        const QByteArray plain = Ansi::encode(title);
        QByteArray record(82, '\0');
        qToLittleEndian<quint16>(quint16(plain.size()), record.data());
        for (int i = 0; i < plain.size(); ++i)
            record[2 + i] = char(quint8(plain[i]) + 1);
        return record;
    }

    QVector<int> m_counts;
};
