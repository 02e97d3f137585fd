#pragma once

#include "select/SelectionGrid.h"

#include <QVector>
#include <QWidget>

class ClickableImage;
class QFrame;
class QLabel;

// A category selection screen: one thumbnail per category of a game type with its solved
// count; a click on an open or won category hides the screen and starts its play screen.
// frmClassic, frmBonus and frmPuzzle below are its three variants.
class CategorySelection : public QWidget
{
    Q_OBJECT
public:
    explicit CategorySelection(const SelectionGrid::Variant &variant, QWidget *parent = nullptr);

    const SelectionGrid::Variant &variant() const { return m_variant; }

    // Shows the screen; the Puzzle screen also builds its grid at once.
    void load();

    // Rebuilds the whole grid from the profile and the content files.
    void ReadThumbs();

    // Control arrays: thumbnails and labels indexed from 1, frames from 0.
    ClickableImage *imgCat(int index) const { return m_imgCat.value(index); }
    QLabel *lblCat(int index) const { return m_lblCat.value(index); }
    QFrame *Shape1(int index) const { return m_shape1.value(index); }

    // The player's choice of thumbnail `index`.
    void imgCat_Click(int index);

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void rebuildIfPending();
    // Loads the thumbnail file, or draws a stand-in when there is none; false in that case.
    bool showThumb(int index, const QString &path, const SelectionGrid::CategoryEntry &entry);
    QPixmap placeholder(const SelectionGrid::CategoryEntry &entry) const;

    const SelectionGrid::Variant &m_variant;
    QVector<ClickableImage *> m_imgCat; // element 0 unused
    QVector<QLabel *> m_lblCat;         // element 0 unused
    QVector<QFrame *> m_shape1;
    // Set each time the screen is shown: the activation that follows rebuilds the grid. Closing
    // a message box or coming back from another program activates the window too, but changes
    // nothing the grid shows.
    bool m_rebuildPending = false;
    // Each message is shown at most once while the screen stays on show, however often the
    // grid is rebuilt in that time.
    bool m_missingReported = false;
    bool m_thumbProblemReported = false;
};

class frmClassic : public CategorySelection
{
    Q_OBJECT
public:
    explicit frmClassic(QWidget *parent = nullptr);
};

class frmBonus : public CategorySelection
{
    Q_OBJECT
public:
    explicit frmBonus(QWidget *parent = nullptr);
};

class frmPuzzle : public CategorySelection
{
    Q_OBJECT
public:
    explicit frmPuzzle(QWidget *parent = nullptr);
};
