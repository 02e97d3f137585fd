#pragma once

#include "content/PageList.h"
#include "play/PlayScreen.h"

#include <QVector>

class QScrollBar;

// The play screen of a themed category: every picture of the category in one row, the strip
// picHost, moved three cells at a time by the arrows; its scroll position is held by hsMain.
// BonusPlayScreen and PuzzlePlayScreen are this screen with their own names, captions,
// instructions and time slot.
class StripPlayScreen : public PlayScreen
{
    Q_OBJECT
public:
    // Extracts the category and builds the strip's start before the screen shows, so a category
    // that cannot be shown never flashes a broken strip behind its message.
    bool open() override;

protected:
    struct Variant {
        const char *name;
        int gameType;
        QString caption; // "Bonus: %1", %1 the category's name while a category is open
        QString instructions;
    };
    StripPlayScreen(const Variant &variant, Profile &profile, int category, QWidget *parent);

    void goBack() override;
    void goNext() override;
    // Covers the arrows that cannot move the strip further and shows the cells in view.
    void updateArrows() override;
    void panelClosed() override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    // Builds the strip from the page list in Temp/ and deletes its files, keeping the pictures'
    // bytes: the cells near the start with their pictures at once, the others once the screen has
    // had its first paint, their pictures decoded as they come near the view. False, after telling
    // the player and closing the screen, when the list or a picture near the start is damaged.
    bool loadStrip();

private:
    // Makes the next cell at its place in the strip and shows its page-list line.
    void addStripCell();
    // The cells beyond those made before the screen showed: asked for by the first paint, made at
    // once when the player scrolls, types or clicks before.
    void addFarCells();
    // Whatever set the scroll position, the strip follows it.
    void followScroll(int value);
    // Decodes the pictures near the view that are not yet, and lets the far ones go. A picture
    // that does not decode is reported as it comes near the view, and the screen closes.
    void showPicturesNear(int value);
    // A title box that Tab took the caret to out of view is brought in by whole arrow steps:
    // typing into a box no one can see would be lost on the player.
    void reveal(QObject *box);

    QString m_caption;
    QWidget *picHost = nullptr;
    QScrollBar *hsMain = nullptr;
    // The page list, the solved flags read at opening and the bytes of every picture, cell k's at
    // k - 1; no bytes once the screen gave up.
    QVector<PageLine> m_lines;
    QVector<bool> m_solvedAtOpen;
    QVector<QByteArray> m_pictureBytes;
    bool m_farCellsAsked = false;
};

// Bonus categories (10 to 17), time counted in the Bonus slot.
class BonusPlayScreen : public StripPlayScreen
{
    Q_OBJECT
public:
    BonusPlayScreen(Profile &profile, int category, QWidget *parent = nullptr);
    static QString instructions();
};

// Puzzle categories (18 to 20), time counted in the Puzzle slot.
class PuzzlePlayScreen : public StripPlayScreen
{
    Q_OBJECT
public:
    PuzzlePlayScreen(Profile &profile, int category, QWidget *parent = nullptr);
    static QString instructions();
};
