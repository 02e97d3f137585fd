#pragma once

#include <QObject>
#include <QVector>

class InfoPanel;
class PlayCell;
class QLabel;
class QTimer;
class QWidget;

// The rules every picture screen plays by, whatever its layout: a typed title solves its
// picture, the last solved picture wins the category, the clock counts the game type's time
// while the category is played, and F1 shows the picture codes. The screen lays out the cells
// and loads the pictures; the session owns the clock tmrTime and the code blink tmrIndex.
class PlaySession : public QObject
{
    Q_OBJECT
public:
    // `screen` gets the two timers as children and passes F1 to the session whatever has the
    // focus; the labels and the panel are the screen's counters and information panel.
    PlaySession(QWidget *screen, int gameType, QLabel *lblTime, QLabel *lblRisolti, InfoPanel *fraInfo);

    static const QString WinMessage;

    int gameType() const { return m_gameType; }
    QTimer *tmrTime() const { return m_tmrTime; }
    QTimer *tmrIndex() const { return m_tmrIndex; }

    // blnReady: false while the screen writes its own cells, when changes are not typing.
    bool isReady() const { return m_ready; }
    void setReady(bool ready) { m_ready = ready; }

    // Puts a cell under the rules: its title box is matched as it changes, and it takes F1.
    void addCell(PlayCell *cell);
    const QVector<PlayCell *> &cells() const { return m_cells; }

    // lblTime from the game type's stored total.
    void showTime();
    // lblRisolti from the profile: solved pictures of the category / picture count.
    void showSolvedCount();
    // The panel at its place over the pictures, with `instructions`, shown only while the
    // category is incomplete. True when it is shown.
    bool openPanel(const QString &instructions);

    bool isClockRunning() const;
    void stopClock();

    bool codesShown() const { return m_codesShown; }

public slots:
    // One counted second: the total grows by one in the profile and on screen.
    void tick();
    // The panel goes; the clock starts while the category is still open (not yet won).
    void panelClicked();
    // F1: shows the codes blinking, or hides them.
    void toggleCodes();
    // Swaps each code between white and black.
    void blink();

signals:
    // A picture, by its global number, has just been solved.
    void solved(int picture);
    void won();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void titleChanged(PlayCell *cell);
    void win();

    int m_gameType;
    QLabel *m_lblTime;
    QLabel *m_lblRisolti;
    InfoPanel *m_fraInfo;
    QTimer *m_tmrTime;
    QTimer *m_tmrIndex;
    QVector<PlayCell *> m_cells;
    bool m_ready = false;
    bool m_codesShown = false;
};
