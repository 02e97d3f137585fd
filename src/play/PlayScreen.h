#pragma once

#include "play/CategoryPlay.h"
#include "play/PlayCell.h"

#include "widgets/GameScreen.h"

#include <functional>
#include <memory>

class ClickableImage;
class Profile;
class InfoPanel;
class QLabel;
class QTimer;
struct PageLine;

// What every picture play screen shares, whatever its layout: the cells built from the page
// list, the information panel, the solved and time counters, the clock tmrTime and the F1
// code blink tmrIndex. The rules themselves are the window-free CategoryPlay; a screen lays
// out its cells and arrows and turns its events into calls on them.
class PlayScreen : public GameScreen
{
    Q_OBJECT
public:
    // The screen plays `category` of the profile, counting time in `gameType`'s slot.
    PlayScreen(const QString &name, Profile &profile, int gameType, int category, QWidget *parent = nullptr);
    ~PlayScreen() override;

    int gameType() const { return m_gameType; }
    int category() const { return m_rules.category(); }

    // Opens the category: the screen's own preparation, then the panel and the clock's total.
    // False, after the player was told why, when the category cannot be shown; the screen is
    // then closed and the profile untouched.
    bool open() override = 0;

public slots:
    // One counted second of tmrTime.
    void tick();
    // F1: shows the picture codes blinking, or hides them.
    void toggleCodes();
    // One tick of tmrIndex: each code's text colour swaps, white to black, any other to white.
    void blink();

protected:
    Profile &profile() { return m_profile; }
    CategoryPlay &rules() { return m_rules; }
    // Cell k, counted from 1 as the screen's control arrays are.
    PlayCell &cell(int k);
    int cellCount() const { return int(m_cells.size()); }

    // The row above the pictures: the two arrows with their masks and the three counters, in
    // the look all play screens share. The arrows call goBack and goNext.
    struct TopBar {
        QPoint back, next;
        QRect pos, time, risolti;
        QString backTip, nextTip, posText;
    };
    void makeTopBar(const TopBar &bar);
    virtual void goBack() = 0;
    virtual void goNext() = 0;
    // Covers the arrows that cannot move further.
    virtual void updateArrows() = 0;

    // Extracts the page of the category the player should see (0 for the whole category), lets
    // the screen fill its cells from it, then shows the screen and starts play. The page is ready
    // before the screen shows, so one that cannot be shown never flashes an empty screen behind
    // its message.
    bool openCategory(const std::function<bool(qint16 page)> &fillCells);
    void makePanel(const QRect &place, const QString &instructions);

    // Adds cell cellCount() + 1 inside `container`, its picture's corner at `topLeft`.
    PlayCell &addCell(QWidget *container, const QPoint &topLeft);
    // Shows a page-list line in cell k, solved or open as the profile says; false when its
    // picture does not decode.
    bool fillCell(int k, const PageLine &line);
    // The bytes of a page-list line's picture in Temp/, empty when it cannot be read.
    static QByteArray pictureBytes(const PageLine &line);

    // After the cells are filled: blnReady, the panel, the counters.
    void startPlay();
    void showSolvedCount();
    // The player closed the panel; the clock starts for an open category.
    virtual void panelClosed();

    // Tells the player why the category cannot be played and closes the screen.
    void giveUp(const QString &problem);
    // A message about picture `code` that does not decode.
    QString unreadablePicture(const QString &code) const;

    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    ClickableImage *imgBack = nullptr;
    ClickableImage *imgNext = nullptr;
    QLabel *imgBackMask = nullptr;
    QLabel *imgNextMask = nullptr;
    QLabel *lblPos = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *lblRisolti = nullptr;
    InfoPanel *fraInfo = nullptr;

private:
    QLabel *makeCounter(const char *name, const QString &text, const QRect &place);
    ClickableImage *makeArrow(const char *name, const QString &artwork, const QPoint &place);
    QLabel *makeMask(const char *name, const QString &artwork, const QPoint &place);
    void titleChanged(int k);
    // A key typed into a title box while the instructions show takes them away and starts the
    // clock as a click on them does; the key itself goes on to its box.
    void typedUnderPanel();
    // The category's last picture was solved.
    void win();
    void panelClicked();
    void showPanel(CategoryPlay::Panel panel);

    Profile &m_profile;
    int m_gameType;
    CategoryPlay m_rules;
    std::vector<std::unique_ptr<PlayCell>> m_cells;
    QTimer *m_tmrTime = nullptr;
    QTimer *m_tmrIndex = nullptr;
    bool m_codesShown = false;
    // The colour a code made now takes: the blink swaps it as it swaps the codes on show.
    QColor m_codeColour = Qt::white;
};
