#pragma once

#include "base/Result.h"
#include "play/AlphaBoard.h"
#include "play/PlayClock.h"
#include "widgets/GameScreen.h"

#include <QHash>
#include <QPixmap>
#include <array>

class ClickableImage;
class InfoPanel;
class Profile;
class QTimer;
class ShapeFrame;

// The Alpha screen: fifteen Classic stills on a four-by-four board, slid one at a time into the
// empty cell until their (unseen) titles ascend row by row with the empty cell last. The clock
// counts the attempt in the caption; the win completes Alpha and opens category 19.
class AlphaPlayScreen : public GameScreen
{
    Q_OBJECT
public:
    explicit AlphaPlayScreen(Profile &profile, QWidget *parent = nullptr);
    ~AlphaPlayScreen() override;

    static QString instructions();
    static constexpr int CellCount = AlphaBoard::CellCount;

    // Draws, extracts and loads a new board, then shows the screen with the instructions.
    // False, after telling the player why and closing (back to the menu), when it cannot.
    bool open() override;

    const AlphaBoard &board() const { return m_board; }

protected:
    // Rearranges the pictures of this board (any order, any empty cell); false, with nothing
    // changed, when it holds a picture that is not on the board.
    bool setBoard(const AlphaBoard &board);
    // A click on cell k: its picture slides into the empty cell when it is next to it.
    void clickCell(int k);
    // One counted second of tmrTime.
    void tick();

    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Draws fifteen installed Classic pictures, copies each to Temp/nnnn.tmp and writes the
    // page list Temp/~temp.tmp, one "ii:nnn:title" line per slot; nothing is left in Temp/ when
    // it fails.
    Result<> drawBoard();
    // The plain title of global picture n from index.lvt.
    Result<QByteArray> readTitle(int n) const;
    // Copies picture n to the picture file of slot `slot`.
    Result<> extractPicture(int slot, int n) const;
    // Puts the pictures and titles of the page list on cells 1 to 15, then deletes every *.tmp
    // in Temp/, whether the board could be loaded or not.
    Result<> loadBoard();
    // The win, when the board is in order: clock stopped, winning message, Alpha completed and
    // category 19 opened.
    void checkOrder();

    ClickableImage *imgImage(int k) const;
    ShapeFrame *shaBorder(int k) const;
    void panelClicked();
    void showPanel(bool shown);
    void showCell(int k);
    void showBoard();
    void showMovable();
    void giveUp(const QString &problem);

    Profile &m_profile;
    std::array<ClickableImage *, CellCount> m_images {};
    std::array<ShapeFrame *, CellCount> m_borders {};
    QWidget *m_panelBack = nullptr;
    InfoPanel *fraInfo = nullptr;
    QTimer *m_tmrTime = nullptr;
    PlayClock m_clock;
    AlphaBoard m_board;
    // The pictures of this board by global picture number.
    QHash<int, QPixmap> m_pictures;
};
