#pragma once

#include "base/GameTypes.h"
#include "widgets/GameScreen.h"

#include <QPointer>
#include <QVector>

class ClickableImage;
class Profile;
class QFrame;
class QLabel;
class QTimer;

// The game-type menu, the hub after login: the four game types as pictures, the locked ones
// masked, and the information panel with the pack downloads and the forum. Once everything is
// won it offers to send the times ("Record!"), and once they are sent, the ranking. The keyboard
// reaches every picture and link a click reaches (KeyboardFocus); the arrows keep to the four
// game types as they stand, and go on to the banner and the links only downwards.
class MenuScreen : public GameScreen
{
    Q_OBJECT
public:
    // `focusedGameType` gets the keyboard's frame when the menu shows: the game type the player
    // opened last, so that coming back finds it where it was left.
    explicit MenuScreen(const Profile &profile, int focusedGameType = Game::Classic,
                        QWidget *parent = nullptr);

    // Shows the menu and sets it up from the profile.
    bool open() override;
    // The masks, the banner, "Record!" and "Classifica" as the profile says now.
    void refresh() override;

    // One blink of the record label: blue becomes red, anything else blue.
    void recordTick();

    static const QColor RecordBlue;
    static const QColor RecordRed;

protected:
    // Escape closes the information panel.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    void buildInfoPanel();
    ClickableImage *makeImage(const QString &name, const QRect &place, const QString &artwork,
                              QWidget *parent);
    QLabel *makeMask(const QString &name, const QRect &place);
    ClickableImage *makeLink(const QString &name, const QString &text, const QRect &place, QWidget *parent);

    // Where an arrow key goes from `from` (KeyboardFocus::ArrowRule).
    QWidget *arrowTarget(QWidget *from, int key);
    void focusGameType(int gameType);

    void askRecord();
    void showCustomNotice();
    // The panel takes the keyboard while it is open; closed, the control that had it before does.
    void openInfoPanel();
    void closeInfoPanel();

    const Profile &m_profile;
    int m_focusedGameType;
    ClickableImage *imgLogo = nullptr;
    ClickableImage *lblRecord = nullptr;
    ClickableImage *lblClassifica = nullptr;
    ClickableImage *lblUpdate = nullptr;
    ClickableImage *imgClassic = nullptr;
    ClickableImage *imgPuzzle = nullptr;
    ClickableImage *imgAlpha = nullptr;
    ClickableImage *imgBonus = nullptr;
    QLabel *imgPzMask = nullptr;
    QLabel *imgAlMask = nullptr;
    QLabel *imgBnMask = nullptr;
    ClickableImage *imgIncontri = nullptr;
    ClickableImage *imgCustom = nullptr;
    QTimer *tmrRecord = nullptr;
    QFrame *fraInfo = nullptr;
    QPointer<QWidget> m_focusBeforePanel;
};
