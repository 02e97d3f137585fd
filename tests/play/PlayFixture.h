#pragma once

// A game folder with a small Data folder of real pictures and a logged-in objUser, for the play
// screen tests.

#include "ScreenSupport.h"
#include "TinyContent.h"
#include "profile/clsUser.h"

#include <QLabel>

class PlayFixture
{
public:
    static constexpr int Header = TinyContent::Header;

    using PictureMaker = TinyContent::PictureMaker;

    // Counts of categories 1 to 20; picture n is called "Film n".
    explicit PlayFixture(const QVector<int> &counts, const PictureMaker &maker = picture)
        : content(TinyContent::numbered(counts, maker))
    {
        content.write(game);
        MessageRecorder answers(true);
        QVERIFY(objUser.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
    }

    // Marks pictures first to last (positions within the category) solved.
    void solve(int category, int first, int last) const
    {
        for (int p = first; p <= last; ++p)
            objUser.setItem(content.base(category) + p, 1);
    }

    QString path(const QString &relative) const { return game.path(relative); }
    QByteArray read(const QString &relative) const { return game.read(relative); }
    void put(const QString &relative, const QByteArray &bytes) const
    {
        TinyContent::put(game, relative, bytes);
    }

    QStringList tempPictures() const
    {
        return QDir(game.path(QStringLiteral("Temp")))
            .entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden);
    }

    // A still of its own colour, so that screenshots tell cells apart.
    static QByteArray picture(int n)
    {
        QImage image(200, 110, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((n * 47) % 360, 90, 200));
        return ScreenSupport::png(image);
    }

    GameFolderFixture game;
    TinyContent content;
};

// The text of a play screen's label, and whether a control of it shows.
inline QString text(QWidget *screen, const char *name)
{
    return screen->findChild<QLabel *>(QLatin1String(name))->text();
}
inline bool shown(QWidget *screen, const char *name)
{
    return screen->findChild<QWidget *>(QLatin1String(name))->isVisible();
}
