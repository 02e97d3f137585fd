#pragma once

#include "play/PlayScreen.h"

class ClickableImage;
class QLabel;
class QScrollBar;

// The play screen of a themed category: every picture of objUser.curcat in one row, the strip
// picHost, moved three cells at a time by the arrows; its scroll position is held by hsMain.
// frmPlayBonus and frmPlayPuzzle are this screen with their own names, captions, instructions
// and time slot.
class frmPlayStrip : public PlayScreen
{
    Q_OBJECT
public:
    // Extracts and builds the whole strip before the screen shows, so a category that cannot be
    // shown never flashes a broken strip behind its message.
    bool load() override;

    // Builds and fills the strip from the page list in Temp/ and deletes its files. False,
    // after telling the player and closing the screen, when the list or a picture is damaged.
    bool LoadStrip();
    // Creates cell k (the next one) at its place in the strip and widens the strip for it.
    void AddStripCell(int k);
    // Covers the arrows that cannot move the strip further and shows the cells in view.
    void UpdateArrows() override;

public slots:
    void imgBack_Click() override;
    void imgNext_Click() override;
    // Whatever set the scroll position, the strip follows it.
    void hsMain_Change(int value);

protected:
    struct Variant {
        const char *name;
        int gameType;
        QString caption; // followed by the category's name while a category is open
        QString instructions;
    };
    frmPlayStrip(const Variant &variant, QWidget *parent);

    void panelClosed() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A title box that got the focus out of view is brought in by whole arrow steps.
    void reveal(QObject *box, Qt::FocusReason reason);

    QString m_caption;
    QWidget *picHost = nullptr;
    QScrollBar *hsMain = nullptr;
};

// Bonus categories (10 to 17), time counted in the Bonus slot.
class frmPlayBonus : public frmPlayStrip
{
    Q_OBJECT
public:
    explicit frmPlayBonus(QWidget *parent = nullptr);
    static const QString Instructions;
};

// Puzzle categories (18 to 20), time counted in the Puzzle slot.
class frmPlayPuzzle : public frmPlayStrip
{
    Q_OBJECT
public:
    explicit frmPlayPuzzle(QWidget *parent = nullptr);
    static const QString Instructions;
};
