#pragma once

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
// reaches every picture and link a click reaches (KeyboardFocus).
class MenuScreen : public GameScreen
{
    Q_OBJECT
public:
    explicit MenuScreen(const Profile &profile, QWidget *parent = nullptr);

    // Shows the menu and sets it up from the profile.
    bool open() override;

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

    void askRecord();
    void showCustomNotice();
    // The panel takes the keyboard while it is open; closed, the control that had it before does.
    void openInfoPanel();
    void closeInfoPanel();

    const Profile &m_profile;
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
