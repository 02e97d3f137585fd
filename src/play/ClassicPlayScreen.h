#pragma once

#include "play/PlayScreen.h"

// The Classic play screen: a category nine pictures to a page, a title box under each, arrows to
// move between pages, and the page, solved and time counters.
class ClassicPlayScreen : public PlayScreen
{
    Q_OBJECT
public:
    ClassicPlayScreen(Profile &profile, int category, QWidget *parent = nullptr);

    // What the panel says before the first click.
    static QString instructions();
    static constexpr int CellCount = 9;

    // Opens the category on its first unfinished page, extracting it before the screen shows,
    // so a page that cannot be shown never flashes an empty screen behind its message.
    bool open() override;

protected:
    bool event(QEvent *event) override;
    void goBack() override;
    void goNext() override;
    // Covers the arrows that lead past the first or the last page.
    void updateArrows() override;
    // Fills the nine cells and the counters from the page list in Temp/ and deletes the page's
    // files. False, after telling the player and closing the screen, when the page is damaged.
    bool loadPage();

private:
    // The focus goes to the first title box that can still be solved.
    void focusFirstTitle();
    void changePage(int step);

    qint16 m_page = 1;
};
