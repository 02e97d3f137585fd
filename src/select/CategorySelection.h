#pragma once

#include "select/SelectionGrid.h"
#include "widgets/GameScreen.h"

#include <QVector>

class ClickableImage;
class Profile;
class QLabel;

// A category selection screen: one thumbnail per category of a game type with its solved
// count; a click on an open or won category announces the choice (categoryChosen), and the
// screen waits hidden while the category is played. ClassicSelection, BonusSelection and
// PuzzleSelection below are its three variants.
class CategorySelection : public GameScreen
{
    Q_OBJECT
public:
    CategorySelection(const SelectionGrid::Variant &variant, const Profile &profile,
                      QWidget *parent = nullptr);

    // Shows the screen; the Puzzle screen also builds its grid at once.
    bool open() override;

    // Rebuilds the whole grid from the profile and the content files.
    void readThumbs();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void chooseCategory(int index);
    void rebuildIfPending();
    // Loads the thumbnail file, or draws a stand-in when there is none; false in that case.
    bool showThumb(int index, const QString &path, const SelectionGrid::CategoryEntry &entry);
    QPixmap placeholder(const SelectionGrid::CategoryEntry &entry) const;

    // Thumbnail and count label of the category shown at `index`, counted from 1.
    ClickableImage *imgCat(int index) const { return m_imgCat.value(index); }
    QLabel *lblCat(int index) const { return m_lblCat.value(index); }

    const SelectionGrid::Variant &m_variant;
    const Profile &m_profile;
    QVector<ClickableImage *> m_imgCat; // element 0 unused
    QVector<QLabel *> m_lblCat;         // element 0 unused
    // Set each time the screen is shown: the activation that follows rebuilds the grid. Closing
    // a message box or coming back from another program activates the window too, but changes
    // nothing the grid shows.
    bool m_rebuildPending = false;
    // Each message is shown at most once while the screen stays on show, however often the
    // grid is rebuilt in that time.
    bool m_missingReported = false;
    bool m_thumbProblemReported = false;
};

class ClassicSelection : public CategorySelection
{
    Q_OBJECT
public:
    explicit ClassicSelection(const Profile &profile, QWidget *parent = nullptr);
};

class BonusSelection : public CategorySelection
{
    Q_OBJECT
public:
    explicit BonusSelection(const Profile &profile, QWidget *parent = nullptr);
};

class PuzzleSelection : public CategorySelection
{
    Q_OBJECT
public:
    explicit PuzzleSelection(const Profile &profile, QWidget *parent = nullptr);
};
