#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

class QImage;
class QLabel;
class QWidget;
class ShapeFrame;
class TitleBox;
struct PageLine;

// One picture of a play screen with its frame, its title box and its picture code, the cell k
// of the control arrays imgImage, shaBorder, txtTitle and lblIndex.
class PlayCell
{
public:
    // Creates the four controls of cell `index` in `parent`, the picture's top-left corner at
    // `topLeft` and the title box under it; the code label lies over the picture's corner.
    PlayCell(QWidget *parent, int index, const QPoint &topLeft);

    QLabel *imgImage = nullptr;
    ShapeFrame *shaBorder = nullptr;
    TitleBox *txtTitle = nullptr;
    QLabel *lblIndex = nullptr;

    // The image's tag: the global number of the picture on show, 0 for none.
    int picture = 0;
    // The picture's code, as F1 shows it.
    QString code;

    // Shows the page-list line: its picture, its code, and the title box open or solved. False,
    // the cell unchanged, for a null image.
    bool fill(const PageLine &line, QImage picture, bool solved);
    // The line without its picture yet: the code and the title box, open or solved.
    void fillLine(const PageLine &line, bool solved);
    // Shows a decoded picture; false, the cell unchanged, for a null image.
    bool showPicture(QImage picture);
    // Lets the picture go while the cell keeps its line: a long strip holds only the pictures
    // near its view.
    void dropPicture();
    bool hasPicture() const;
    // A cell the page has no picture for: no picture, no code, an empty disabled box.
    void clear();

    void showOpen();
    void showSolved();
    // The code's text colour, white at first; the blink swaps it (nextCodeColour).
    QColor codeColour() const;
    void setCodeColour(const QColor &colour);
    // One blink of a code: white becomes black, any other colour white.
    static QColor nextCodeColour(const QColor &colour);

    static constexpr QSize PictureSize {200, 110};
    static constexpr QSize TitleSize {200, 19};
    // From the picture's top to its title box's top.
    static constexpr int TitleOffset = 112;

    static QColor openBorder() { return QColor(0, 0, 255); }
    static QColor solvedBorder() { return QColor(255, 0, 0); }
};
