#pragma once

#include <QVector>
#include <QWidget>

class ClickableImage;
class QFrame;
class QLabel;
class QTimer;

// The game-type menu, the hub after login: the four game types as pictures, the locked ones
// masked, and the information panel with the pack downloads and the forum.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);

    // Shows the menu and sets it up from the profile.
    void load();

    // One blink of the record label: blue becomes red, anything else blue.
    void recordTick();

    ClickableImage *lblGruppo(int group) const { return m_lblGruppo.value(group); }

    static const QColor RecordBlue;
    static const QColor RecordRed;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildInfoPanel();
    ClickableImage *makeImage(const QString &name, const QRect &place, const QString &artwork,
                              QWidget *parent);
    QLabel *makeMask(const QString &name, const QRect &place);
    ClickableImage *makeLink(const QString &name, const QString &text, const QRect &place, QWidget *parent);

    // Opens the selection screen of a game type and gives the place over to it.
    void chooseSelection(int gameType);
    void chooseAlpha();
    void askRecord();
    void showCustomNotice();

    ClickableImage *imgLogo = nullptr;
    ClickableImage *lblRecord = nullptr;
    ClickableImage *lblUpdate = nullptr;
    ClickableImage *imgClassic = nullptr;
    ClickableImage *imgPuzzle = nullptr;
    ClickableImage *ImgAlpha = nullptr;
    ClickableImage *ImgBonus = nullptr;
    QLabel *imgPzMask = nullptr;
    QLabel *imgAlMask = nullptr;
    QLabel *ImgBnMask = nullptr;
    ClickableImage *imgIncontri = nullptr;
    ClickableImage *imgCustom = nullptr;
    QTimer *tmrRecord = nullptr;
    QFrame *fraInfo = nullptr;
    QVector<ClickableImage *> m_lblGruppo; // 1 to 20; element 0 unused
};
