#pragma once

#include "play/PlayScreen.h"

class ClickableImage;
class QLabel;

// The Classic play screen: the category objUser.curcat nine pictures to a page, a title box
// under each, arrows to move between pages, and the page, solved and time counters.
class frmPlayClassic : public PlayScreen
{
    Q_OBJECT
public:
    explicit frmPlayClassic(QWidget *parent = nullptr);

    static const QString Instructions;
    static constexpr int CellCount = 9;

    // Opens the category on its first unfinished page, extracting it before the screen shows,
    // so a page that cannot be shown never flashes an empty screen behind its message.
    bool load() override;

    // Fills the nine cells and the counters from the page list in Temp/ and deletes the page's
    // files. False, after telling the player and closing the screen, when the page is damaged.
    bool LoadPage();
    // Covers the arrows that lead past the first or the last page.
    void UpdateArrows() override;
    // The focus goes to the first title box that can still be solved.
    void FocusFirstTitle();

public slots:
    void imgBack_Click() override;
    void imgNext_Click() override;

protected:
    bool event(QEvent *event) override;

private:
    void changePage(int step);
};
