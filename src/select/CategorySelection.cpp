#include "select/CategorySelection.h"
#include "content/ContentFiles.h"

#include "base/Messages.h"
#include "base/mdlConst.h"
#include "content/Extraction.h"
#include "content/mdlGeneral.h"
#include "profile/clsUser.h"
#include "shell/Screens.h"
#include "widgets/ClickableImage.h"

#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

using SelectionGrid::CategoryEntry;

namespace {
const QColor Background(244, 244, 244);

QString thumbProblemText(const QString &error)
{
    return error
           + QStringLiteral("\n\nAl posto delle miniature mancanti compare il nome della "
                            "categoria; le categorie aperte si possono giocare lo stesso.");
}
} // namespace

CategorySelection::CategorySelection(const SelectionGrid::Variant &variant, QWidget *parent)
    : QWidget(parent)
    , m_variant(variant)
{
    setObjectName(variant.name);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(variant.caption);
    setFixedSize(variant.clientSize());
    setFont(QFont(QStringLiteral("Verdana"), 8));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Background);
    setPalette(colours);
    setAutoFillBackground(true);
    buildControls();
}

void CategorySelection::buildControls()
{
    const int count = m_variant.count();
    m_imgCat.fill(nullptr, count + 1);
    m_lblCat.fill(nullptr, count + 1);
    m_shape1.fill(nullptr, count);
    for (int i = 1; i <= count; ++i) {
        const QRect place = m_variant.thumbPlace(i);

        auto *image = new ClickableImage(this);
        image->setObjectName(QStringLiteral("imgCat_%1").arg(i));
        image->setGeometry(place);
        image->setToolTip(mdlGeneral::GetCatName(m_variant.category(i)));
        connect(image, &ClickableImage::clicked, this, [this, i] { imgCat_Click(i); });
        m_imgCat[i] = image;

        // The frame lies around the thumbnail, drawn over its edge.
        auto *frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("Shape1_%1").arg(i - 1));
        frame->setGeometry(place);
        frame->setFrameShape(QFrame::Box);
        frame->setLineWidth(1);
        frame->setStyleSheet(QStringLiteral("QFrame { color: #404040; background: transparent; }"));
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_shape1[i - 1] = frame;

        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblCat_%1").arg(i));
        label->setGeometry(m_variant.labelPlace(i));
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 255, 215); color: #202020;"
                                            " border: 1px solid #808080; font-weight: bold; }"));
        // The count is part of the picture: clicks go through to the thumbnail beneath.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_lblCat[i] = label;
    }
}

void CategorySelection::load()
{
    show();
    activateWindow();
    if (m_variant.readsOnLoad)
        ReadThumbs();
}

void CategorySelection::ReadThumbs()
{
    bool packMissing = false;
    QString thumbProblem;
    for (int c = m_variant.firstCategory; c <= m_variant.lastCategory; ++c) {
        const int i = m_variant.index(c);
        const CategoryEntry entry = SelectionGrid::readCategory(objUser, c);
        QString error;
        const QString path = ExtractThumb(c, entry.state, &error);
        if (!showThumb(i, path, entry) && thumbProblem.isEmpty())
            thumbProblem
                = path.isEmpty()
                      ? error
                      : QStringLiteral("La miniatura della categoria %1 non è un'immagine leggibile.")
                            .arg(mdlGeneral::GetCatName(c));
        imgCat(i)->setEnabled(entry.clickable());
        lblCat(i)->setText(entry.caption());
        if (entry.packMissing())
            packMissing = true;
        QFile::remove(mdlConst::gamePath(mdlConst::TempDir + ContentFiles::ThumbFile));
    }
    if (!thumbProblem.isEmpty() && !m_thumbProblemReported) {
        m_thumbProblemReported = true;
        Messages::warn(thumbProblemText(thumbProblem));
    }
    if (packMissing && !m_missingReported) {
        m_missingReported = true;
        Messages::warn(SelectionGrid::missingFilesText(), SelectionGrid::MissingFilesTitle);
    }
}

bool CategorySelection::showThumb(int index, const QString &path, const CategoryEntry &entry)
{
    const QSize size = m_variant.thumbPlace(index).size();
    // Read afresh every time: the file name is always the same, so a cached picture could be
    // the previous category's.
    QPixmap picture;
    const bool loaded = !path.isEmpty() && picture.convertFromImage(QImage(path));
    if (!loaded)
        picture = placeholder(entry);
    imgCat(index)->setPixmap(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return loaded;
}

QPixmap CategorySelection::placeholder(const CategoryEntry &entry) const
{
    // Drawn in the three looks of the thumbnails: grey when locked, blue when open, gold when won.
    const QSize size = m_variant.thumbPlace(m_variant.index(entry.category)).size();
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, size.height());
    if (entry.state == mdlConst::CategoryState::Locked) {
        fill.setColorAt(0, QColor(0x9e, 0x9e, 0x9e));
        fill.setColorAt(1, QColor(0x61, 0x61, 0x61));
    } else if (entry.state == mdlConst::CategoryState::Open) {
        fill.setColorAt(0, QColor(0x3b, 0x5b, 0xa9));
        fill.setColorAt(1, QColor(0x1b, 0x2a, 0x5c));
    } else {
        fill.setColorAt(0, QColor(0xff, 0xe0, 0x82));
        fill.setColorAt(1, QColor(0xc7, 0x8a, 0x1e));
    }
    painter.fillRect(picture.rect(), fill);
    painter.setPen(entry.state == mdlConst::CategoryState::Won ? QColor(0x3e, 0x27, 0x23) : Qt::white);
    QFont font(QStringLiteral("Verdana"), 11, QFont::Bold);
    painter.setFont(font);
    painter.drawText(picture.rect().adjusted(6, 6, -6, -26), Qt::AlignCenter | Qt::TextWordWrap,
                     mdlGeneral::GetCatName(entry.category));
    return picture;
}

void CategorySelection::imgCat_Click(int index)
{
    if (!imgCat(index) || !imgCat(index)->isEnabled())
        return;
    // The play screen opens first: one that cannot (a damaged pack) tells the player so over
    // this screen, which stays.
    objUser.curcat = m_variant.category(index);
    if (Screens::showPlay(m_variant.gameType))
        hide();
}

void CategorySelection::rebuildIfPending()
{
    if (!m_rebuildPending || !isVisible())
        return;
    m_rebuildPending = false;
    ReadThumbs();
}

bool CategorySelection::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        rebuildIfPending();
    return QWidget::event(event);
}

void CategorySelection::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        m_rebuildPending = true;
        m_missingReported = false;
        m_thumbProblemReported = false;
        // Whether the window manager hands the activation over, and when, is up to it: the
        // grid is rebuilt once the screen is on show in any case.
        QTimer::singleShot(0, this, &CategorySelection::rebuildIfPending);
    }
    QWidget::showEvent(event);
}

void CategorySelection::closeEvent(QCloseEvent *event)
{
    // The player closing the screen goes back to the menu, which opens before this screen goes
    // so that the game never finds itself without a window. A hidden screen closed as the
    // program winds down just goes.
    if (isVisible())
        Screens::showMenu();
    Screens::screenClosed(this);
    QWidget::closeEvent(event);
}

frmClassic::frmClassic(QWidget *parent)
    : CategorySelection(*SelectionGrid::variant(mdlConst::Classic), parent)
{ }

frmBonus::frmBonus(QWidget *parent)
    : CategorySelection(*SelectionGrid::variant(mdlConst::Bonus), parent)
{ }

frmPuzzle::frmPuzzle(QWidget *parent)
    : CategorySelection(*SelectionGrid::variant(mdlConst::Puzzle), parent)
{ }
