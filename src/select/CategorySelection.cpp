#include "select/CategorySelection.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "content/SafeFile.h"
#include "profile/Profile.h"
#include "widgets/ClickableImage.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/Messages.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QShowEvent>
#include <QTimer>

using SelectionGrid::CategoryEntry;

namespace {
QString thumbProblemText(const QString &error)
{
    return error + QStringLiteral("\n\n")
           + CategorySelection::tr("Al posto delle miniature mancanti compare il nome della categoria; le "
                                   "categorie aperte si possono giocare lo stesso.");
}
} // namespace

CategorySelection::CategorySelection(const SelectionGrid::Variant &variant, const Profile &profile,
                                     QWidget *parent)
    : GameScreen(variant.name, parent)
    , m_variant(variant)
    , m_profile(profile)
{
    setWindowTitle(SelectionGrid::caption(variant));
    setFixedSize(variant.clientSize());
    setFont(QFont(QStringLiteral("Verdana"), 8));
    setClosesOnEscape(true);
    buildControls();
    new KeyboardFocus(this);
}

void CategorySelection::buildControls()
{
    const int count = m_variant.count();
    m_imgCat.fill(nullptr, count + 1);
    m_lblCat.fill(nullptr, count + 1);
    for (int i = 1; i <= count; ++i) {
        const QRect place = m_variant.thumbPlace(i);

        auto *image = new ClickableImage(this);
        image->setObjectName(QStringLiteral("imgCat_%1").arg(i));
        image->setGeometry(place);
        // Drawn at the layout's size and scaled smoothly at any zoom.
        image->setScaledContents(true);
        image->setToolTip(CategoryTable::name(m_variant.category(i)));
        // Locked categories and those whose pack is missing are disabled, so passed over.
        image->setFocusPolicy(Qt::TabFocus);
        connect(image, &ClickableImage::clicked, this, [this, i] { chooseCategory(i); });
        m_imgCat[i] = image;

        // The frame lies around the thumbnail, drawn over its edge.
        auto *frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("Shape1_%1").arg(i - 1));
        frame->setGeometry(place);
        frame->setFrameShape(QFrame::Box);
        frame->setLineWidth(1);
        frame->setStyleSheet(QStringLiteral("QFrame { color: #404040; background: transparent; }"));
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);

        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblCat_%1").arg(i));
        label->setGeometry(m_variant.labelPlace(i));
        label->setAlignment(Qt::AlignCenter);
        label->setStyleSheet(QStringLiteral("QLabel { background: rgba(255, 255, 255, 215); color: #202020;"
                                            " border: 1px solid #808080; }"));
        // Bold through the font rather than the style sheet, so that the zoom can scale it.
        QFont bold(QStringLiteral("Verdana"), 8, QFont::Bold);
        label->setFont(bold);
        // The count is part of the picture: clicks go through to the thumbnail beneath.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_lblCat[i] = label;
    }
}

bool CategorySelection::open()
{
    GameScreen::open();
    if (m_variant.readsOnLoad)
        readThumbs();
    return true;
}

void CategorySelection::readThumbs()
{
    bool packMissing = false;
    QString thumbProblem;
    for (int c = m_variant.firstCategory; c <= m_variant.lastCategory; ++c) {
        const int i = m_variant.index(c);
        const CategoryEntry entry = SelectionGrid::readCategory(m_profile, c);
        const Result<QString> thumb = extractThumb(c, entry.state);
        if (!showThumb(i, thumb.ok() ? *thumb : QString(), entry) && thumbProblem.isEmpty())
            thumbProblem = !thumb ? thumb.problem()
                                  : tr("La miniatura della categoria %1 non è un'immagine leggibile.")
                                        .arg(CategoryTable::name(c));
        imgCat(i)->setEnabled(entry.clickable());
        lblCat(i)->setText(entry.caption());
        if (entry.packMissing())
            packMissing = true;
        QFile::remove(GameFolder::path(GameFolder::TempDir + ContentFiles::ThumbFile));
    }
    // Back from play the category just played keeps the focus; on the first showing, the first
    // open category takes it.
    KeyboardFocus::settle(this);
    if (!thumbProblem.isEmpty() && !m_thumbProblemReported) {
        m_thumbProblemReported = true;
        Messages::warn(thumbProblemText(thumbProblem));
    }
    if (packMissing && !m_missingReported) {
        m_missingReported = true;
        Messages::warn(SelectionGrid::missingFilesText(), SelectionGrid::missingFilesTitle());
    }
}

bool CategorySelection::showThumb(int index, const QString &path, const CategoryEntry &entry)
{
    const QSize size = m_variant.thumbPlace(index).size();
    // Read afresh every time: the file name is always the same, so a cached picture could be
    // the previous category's.
    QPixmap picture;
    QFile file;
    const bool loaded = !path.isEmpty()
                        && SafeFile::open(file, path, QIODevice::ReadOnly, false) == SafeFile::Status::Ok
                        && picture.loadFromData(file.readAll());
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
    if (entry.state == Game::CategoryState::Locked) {
        fill.setColorAt(0, QColor(0x9e, 0x9e, 0x9e));
        fill.setColorAt(1, QColor(0x61, 0x61, 0x61));
    } else if (entry.state == Game::CategoryState::Open) {
        fill.setColorAt(0, QColor(0x3b, 0x5b, 0xa9));
        fill.setColorAt(1, QColor(0x1b, 0x2a, 0x5c));
    } else {
        fill.setColorAt(0, QColor(0xff, 0xe0, 0x82));
        fill.setColorAt(1, QColor(0xc7, 0x8a, 0x1e));
    }
    painter.fillRect(picture.rect(), fill);
    painter.setPen(entry.state == Game::CategoryState::Won ? QColor(0x3e, 0x27, 0x23) : Qt::white);
    QFont font(QStringLiteral("Verdana"), 11, QFont::Bold);
    painter.setFont(font);
    painter.drawText(picture.rect().adjusted(6, 6, -6, -26), Qt::AlignCenter | Qt::TextWordWrap,
                     CategoryTable::name(entry.category));
    return picture;
}

void CategorySelection::chooseCategory(int index)
{
    if (!imgCat(index) || !imgCat(index)->isEnabled())
        return;
    emit categoryChosen(m_variant.gameType, m_variant.category(index));
}

void CategorySelection::rebuildIfPending()
{
    if (!m_rebuildPending || !isVisible())
        return;
    m_rebuildPending = false;
    readThumbs();
}

bool CategorySelection::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        rebuildIfPending();
    return GameScreen::event(event);
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
    GameScreen::showEvent(event);
}

ClassicSelection::ClassicSelection(const Profile &profile, QWidget *parent)
    : CategorySelection(*SelectionGrid::variant(Game::Classic), profile, parent)
{ }

BonusSelection::BonusSelection(const Profile &profile, QWidget *parent)
    : CategorySelection(*SelectionGrid::variant(Game::Bonus), profile, parent)
{ }

PuzzleSelection::PuzzleSelection(const Profile &profile, QWidget *parent)
    : CategorySelection(*SelectionGrid::variant(Game::Puzzle), profile, parent)
{ }
