#pragma once

#include "play/PlayCell.h"

#include <QWidget>
#include <array>
#include <memory>

class ClickableImage;
class InfoPanel;
class PlaySession;
class QLabel;
class QTimer;

// The Classic play screen: the category objUser.curcat nine pictures to a page, a title box
// under each, arrows to move between pages, and the page, solved and time counters.
class frmPlayClassic : public QWidget
{
    Q_OBJECT
public:
    explicit frmPlayClassic(QWidget *parent = nullptr);
    ~frmPlayClassic() override;

    static const QString Instructions;
    static constexpr int CellCount = 9;

    // Shows the screen and opens the category on its first unfinished page. When the page
    // cannot be shown the player is told why and the screen closes.
    void load();

    // Cell i of the page, 1 to 9.
    PlayCell &cell(int i);
    PlaySession &session() const { return *m_session; }
    bool blnReady() const;

    QTimer *tmrTime() const;
    QTimer *tmrIndex() const;

    // Fills the nine cells and the counters from the page list in Temp/ and deletes the page's
    // files. False, after telling the player and closing the screen, when the page is damaged.
    bool LoadPage();
    // Covers the arrows that lead past the first or the last page.
    void UpdateArrows();
    // The focus goes to the first title box that can still be solved.
    void FocusFirstTitle();

public slots:
    // One second of the clock, as tmrTime counts it.
    void tick();
    void imgBack_Click();
    void imgNext_Click();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *makeCounter(const char *name, const QString &text, const QRect &place);
    ClickableImage *makeArrow(const char *name, const QString &artwork, const QPoint &place);
    QLabel *makeMask(const char *name, const QString &artwork, const QPoint &place);
    void changePage(int step);
    // Tells the player why the category cannot be played and goes back to the selection.
    void giveUp(const QString &problem);

    std::array<std::unique_ptr<PlayCell>, CellCount + 1> m_cells;
    ClickableImage *imgBack = nullptr;
    ClickableImage *imgNext = nullptr;
    QLabel *imgBackMask = nullptr;
    QLabel *imgNextMask = nullptr;
    QLabel *lblPos = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *lblRisolti = nullptr;
    InfoPanel *fraInfo = nullptr;
    PlaySession *m_session = nullptr;
    bool m_closing = false;
};
