#pragma once

#include "widgets/GameScreen.h"

#include <QVector>

class ClickableImage;
class Profile;
class QFrame;
class QLabel;
class QTimer;

// The game-type menu, the hub after login: the four game types as pictures, the locked ones
// masked, and the information panel with the pack downloads and the forum.
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

private:
    void buildControls();
    void buildInfoPanel();
    ClickableImage *makeImage(const QString &name, const QRect &place, const QString &artwork,
                              QWidget *parent);
    QLabel *makeMask(const QString &name, const QRect &place);
    ClickableImage *makeLink(const QString &name, const QString &text, const QRect &place, QWidget *parent);

    void askRecord();
    void showCustomNotice();

    const Profile &m_profile;
    ClickableImage *imgLogo = nullptr;
    ClickableImage *lblRecord = nullptr;
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
};
