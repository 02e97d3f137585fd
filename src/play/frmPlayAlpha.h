#pragma once

#include "play/AlphaBoard.h"
#include "play/PlayClock.h"
#include "widgets/GameScreen.h"

#include <QElapsedTimer>
#include <QHash>
#include <QPixmap>
#include <array>

class ClickableImage;
class InfoPanel;
class QTimer;
class ShapeFrame;

// The Alpha screen: fifteen Classic stills on a four-by-four board, slid one at a time into the
// empty cell until their (unseen) titles ascend row by row with the empty cell last. The clock
// counts the attempt in the caption; the win completes Alpha and opens category 19.
class frmPlayAlpha : public GameScreen
{
    Q_OBJECT
public:
    explicit frmPlayAlpha(QWidget *parent = nullptr);
    ~frmPlayAlpha() override;

    static const QString Instructions;
    static constexpr int CellCount = AlphaBoard::CellCount;

    // Draws, extracts and loads a new board, then shows the screen with the instructions.
    // False, after telling the player why and closing (back to the menu), when it cannot.
    bool load() override;

    // Draws fifteen installed Classic pictures, copies each to Temp/nnnn.tmp and writes the
    // page list Temp/~temp.tmp, one "ii:nnn:title" line per slot. False with a message for the
    // player in *problem, and nothing left in Temp/, when it cannot.
    bool GetRndData(QString *problem);
    // The plain title of global picture n from index.lvt; empty when it cannot be read (the
    // reason is kept for GetRndData's message).
    QByteArray ReadTitle(int n);
    // Copies picture n to the picture file of slot `slot`.
    bool ExtractPicture(int slot, int n, QString *problem);
    // Puts the pictures and titles of the page list on cells 1 to 15, then deletes every *.tmp
    // in Temp/, whether the board could be loaded or not.
    bool LoadBoard(QString *problem);
    // The win, when the board is in order: clock stopped, winning message, Alpha completed and
    // category 19 opened (a won category 19 stays won).
    void CheckOrder();

    const AlphaBoard &board() const { return m_board; }
    int intEmpty() const { return m_board.intEmpty(); }
    // Rearranges the pictures of this board (any order, any empty cell); false, with nothing
    // changed, when it holds a picture that is not on the board.
    bool setBoard(const AlphaBoard &board);

    ClickableImage *imgImage(int k) const;
    ShapeFrame *shaBorder(int k) const;
    InfoPanel *panel() const { return fraInfo; }
    QTimer *tmrTime() const { return m_tmrTime; }

public slots:
    // A click on cell k: its picture slides into the empty cell when it is next to it.
    void imgImage_Click(int k);
    // One counted second of tmrTime.
    void tick();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void panelClicked();
    void showCell(int k);
    void showBoard();
    void showMovable();
    void giveUp(const QString &problem);

    std::array<ClickableImage *, CellCount> m_images {};
    std::array<ShapeFrame *, CellCount> m_borders {};
    InfoPanel *fraInfo = nullptr;
    QTimer *m_tmrTime = nullptr;
    PlayClock m_clock;
    AlphaBoard m_board;
    // The pictures of this board by global picture number.
    QHash<int, QPixmap> m_pictures;
    QString m_titleProblem;
    bool m_closing = false;
};
