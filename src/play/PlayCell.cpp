#include "play/PlayCell.h"

#include "content/PageList.h"
#include "play/TitleBox.h"
#include "widgets/ShapeFrame.h"
#include "widgets/Zoom.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace {
QString cellName(const char *control, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(control)).arg(index);
}
} // namespace

PlayCell::PlayCell(QWidget *parent, int index, const QPoint &topLeft)
{
    const QRect picturePlace(topLeft, PictureSize);

    imgImage = new QLabel(parent);
    imgImage->setObjectName(cellName("imgImage", index));
    imgImage->setGeometry(picturePlace);
    imgImage->setScaledContents(true);
    // A palette, not a style sheet: a long strip makes hundreds of cells, and a style sheet of
    // each one's own is parsed and polished for each.
    QPalette grey = imgImage->palette();
    grey.setColor(QPalette::Window, QColor(0xd8, 0xd8, 0xde));
    imgImage->setPalette(grey);
    imgImage->setAutoFillBackground(true);

    shaBorder = new ShapeFrame(parent);
    shaBorder->setObjectName(cellName("shaBorder", index));
    shaBorder->setGeometry(picturePlace);
    shaBorder->setBorderColor(openBorder());

    lblIndex = new QLabel(parent);
    lblIndex->setObjectName(cellName("lblIndex", index));
    lblIndex->move(topLeft + QPoint(ShapeFrame::BorderWidth + 2, ShapeFrame::BorderWidth + 1));
    lblIndex->setFont(QFont(QStringLiteral("Verdana"), 8, QFont::Bold));
    // A mid-grey chip, on which the code reads in both colours of its blink, whatever the picture.
    lblIndex->setContentsMargins(3, 0, 3, 0);
    lblIndex->setAutoFillBackground(true);
    QPalette chip = lblIndex->palette();
    chip.setColor(QPalette::Window, QColor(128, 128, 128));
    lblIndex->setPalette(chip);
    setCodeColour(Qt::white);
    lblIndex->hide();
    Zoom::sizesItself(lblIndex);

    txtTitle = new TitleBox(parent);
    txtTitle->setObjectName(cellName("txtTitle", index));
    txtTitle->setGeometry(QRect(topLeft + QPoint(0, TitleOffset), TitleSize));
}

bool PlayCell::fill(const PageLine &line, QImage picture, bool solved)
{
    if (picture.isNull())
        return false;
    fillLine(line, solved);
    return showPicture(std::move(picture));
}

void PlayCell::fillLine(const PageLine &line, bool solved)
{
    imgImage->setEnabled(true);
    code = line.code();
    lblIndex->setText(code);
    lblIndex->adjustSize();
    this->picture = line.picture;
    txtTitle->setTag(line.title);
    shaBorder->show();
    if (solved)
        showSolved();
    else
        showOpen();
}

bool PlayCell::showPicture(QImage picture)
{
    if (picture.isNull())
        return false;
    imgImage->setPixmap(QPixmap::fromImage(std::move(picture)));
    return true;
}

void PlayCell::dropPicture()
{
    imgImage->clear();
}

bool PlayCell::hasPicture() const
{
    return !imgImage->pixmap().isNull();
}

void PlayCell::clear()
{
    picture = 0;
    code.clear();
    imgImage->clear();
    imgImage->setEnabled(false);
    lblIndex->clear();
    shaBorder->hide();
    txtTitle->showEmpty();
}

QColor PlayCell::codeColour() const
{
    return lblIndex->palette().color(QPalette::WindowText);
}

void PlayCell::setCodeColour(const QColor &colour)
{
    QPalette colours = lblIndex->palette();
    colours.setColor(QPalette::WindowText, colour);
    lblIndex->setPalette(colours);
}

QColor PlayCell::nextCodeColour(const QColor &colour)
{
    return colour == QColor(Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

void PlayCell::showOpen()
{
    txtTitle->showOpen();
    shaBorder->setBorderColor(openBorder());
}

void PlayCell::showSolved()
{
    txtTitle->showSolved();
    shaBorder->setBorderColor(solvedBorder());
}
