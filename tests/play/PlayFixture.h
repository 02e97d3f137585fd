#pragma once

// A game folder with a small Data folder of real pictures and a logged-in player, for the play
// screen tests, and the controls of a play screen found by name as a player's tools would.

#include "ScreenSupport.h"
#include "TinyContent.h"
#include "play/TitleBox.h"
#include "profile/Profile.h"
#include "widgets/InfoPanel.h"

#include <QLabel>
#include <QTimer>

class PlayFixture
{
public:
    static constexpr int Header = TinyContent::Header;

    // Counts of categories 1 to 20; picture n is called "Film n".
    explicit PlayFixture(const QVector<int> &counts, const TinyContent::PictureMaker &maker = picture)
        : content(TinyContent::numbered(counts, maker))
    {
        content.write(game);
        QVERIFY(game.logIn(QStringLiteral("Mario")));
    }

    Profile &profile() { return game.profile(); }
    // Marks pictures first to last (positions within the category) solved.
    void solve(int category, int first, int last)
    {
        for (int p = first; p <= last; ++p)
            profile().setSolvedFlag(content.base(category) + p, 1);
    }
    QByteArray read(const QString &relative) const { return game.read(relative); }
    void put(const QString &relative, const QByteArray &bytes) const
    {
        TinyContent::put(game, relative, bytes);
    }
    QStringList tempPictures() const { return game.entries(QStringLiteral("Temp")); }

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

// Cell k counts from 1.
inline TitleBox *titleBox(QWidget *screen, int k)
{
    return screen->findChild<TitleBox *>(QStringLiteral("txtTitle_%1").arg(k));
}
inline QLabel *cellPicture(QWidget *screen, int k)
{
    return screen->findChild<QLabel *>(QStringLiteral("imgImage_%1").arg(k));
}
inline QLabel *codeLabel(QWidget *screen, int k)
{
    return screen->findChild<QLabel *>(QStringLiteral("lblIndex_%1").arg(k));
}
inline InfoPanel *infoPanel(QWidget *screen)
{
    return screen->findChild<InfoPanel *>(QStringLiteral("fraInfo"));
}
inline QTimer *timer(QWidget *screen, const char *name)
{
    return screen->findChild<QTimer *>(QLatin1String(name));
}
// The text of a play screen's label, and whether a control of it shows.
inline QString text(QWidget *screen, const char *name)
{
    return screen->findChild<QLabel *>(QLatin1String(name))->text();
}
inline bool shown(QWidget *screen, const char *name)
{
    return screen->findChild<QWidget *>(QLatin1String(name))->isVisible();
}
