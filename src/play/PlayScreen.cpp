#include "play/PlayScreen.h"

#include "base/TimeText.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/PageList.h"
#include "content/SafeFile.h"
#include "play/TitleBox.h"
#include "profile/Profile.h"
#include "widgets/ClickableImage.h"
#include "widgets/InfoPanel.h"
#include "widgets/Messages.h"
#include "widgets/Zoom.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {
constexpr int BlinkInterval = 500;
const QSize ArrowSize(200, 25);
const QColor CounterColour(0, 0, 169);
} // namespace

PlayScreen::PlayScreen(const QString &name, Profile &profile, int gameType, int category, QWidget *parent)
    : GameScreen(name, parent)
    , m_profile(profile)
    , m_gameType(gameType)
    , m_rules(profile, category, gameType)
{
    setClosesOnEscape(true);

    m_tmrTime = new QTimer(this);
    m_tmrTime->setObjectName(QStringLiteral("tmrTime"));
    m_tmrTime->setInterval(PlayClock::TickInterval);
    connect(m_tmrTime, &QTimer::timeout, this, &PlayScreen::tick);

    m_tmrIndex = new QTimer(this);
    m_tmrIndex->setObjectName(QStringLiteral("tmrIndex"));
    m_tmrIndex->setInterval(BlinkInterval);
    connect(m_tmrIndex, &QTimer::timeout, this, &PlayScreen::blink);

    // The screen sees its keys before its controls: F1 works while a title box has the focus.
    qApp->installEventFilter(this);
}

PlayScreen::~PlayScreen() = default;

PlayCell &PlayScreen::cell(int k)
{
    Q_ASSERT(k >= 1 && k <= cellCount());
    return *m_cells[size_t(k - 1)];
}

QLabel *PlayScreen::makeCounter(const char *name, const QString &text, const QRect &place)
{
    auto *counter = new QLabel(text, this);
    counter->setObjectName(QLatin1String(name));
    counter->setGeometry(place);
    counter->setAlignment(Qt::AlignCenter);
    counter->setFont(QFont(QStringLiteral("Comic Sans MS"), 12, QFont::Bold));
    QPalette colours = counter->palette();
    colours.setColor(QPalette::WindowText, CounterColour);
    counter->setPalette(colours);
    return counter;
}

ClickableImage *PlayScreen::makeArrow(const char *name, const QString &artwork, const QPoint &place)
{
    auto *arrow = new ClickableImage(this);
    arrow->setObjectName(QLatin1String(name));
    arrow->setGeometry(QRect(place, ArrowSize));
    Zoom::setArtwork(arrow, artwork);
    return arrow;
}

QLabel *PlayScreen::makeMask(const char *name, const QString &artwork, const QPoint &place)
{
    // Lies over its arrow and swallows the clicks meant for it.
    auto *mask = new QLabel(this);
    mask->setObjectName(QLatin1String(name));
    mask->setGeometry(QRect(place, ArrowSize));
    Zoom::setArtwork(mask, artwork);
    mask->hide();
    return mask;
}

void PlayScreen::makeTopBar(const TopBar &bar)
{
    imgBack = makeArrow("imgBack", QStringLiteral("arrow-back"), bar.back);
    imgBack->setToolTip(bar.backTip);
    connect(imgBack, &ClickableImage::clicked, this, [this] { goBack(); });
    imgNext = makeArrow("imgNext", QStringLiteral("arrow-next"), bar.next);
    imgNext->setToolTip(bar.nextTip);
    connect(imgNext, &ClickableImage::clicked, this, [this] { goNext(); });
    imgBackMask = makeMask("imgBackMask", QStringLiteral("arrow-back-mask"), bar.back);
    imgNextMask = makeMask("imgNextMask", QStringLiteral("arrow-next-mask"), bar.next);
    lblPos = makeCounter("lblPos", bar.posText, bar.pos);
    lblTime = makeCounter("lblTime", QStringLiteral("0:00:00"), bar.time);
    lblRisolti = makeCounter("lblRisolti", QStringLiteral("000/000"), bar.risolti);
}

void PlayScreen::makePanel(const QRect &place, const QString &instructions)
{
    fraInfo = new InfoPanel(this);
    fraInfo->setGeometry(place);
    fraInfo->setMessage(instructions);
    fraInfo->raise();
    connect(fraInfo, &InfoPanel::clicked, this, &PlayScreen::panelClicked);
}

PlayCell &PlayScreen::addCell(QWidget *container, const QPoint &topLeft)
{
    const int k = cellCount() + 1;
    m_cells.push_back(std::make_unique<PlayCell>(container, k, topLeft));
    PlayCell &added = *m_cells.back();
    added.lblIndex->setVisible(m_codesShown);
    // A code made while the others blink joins them in their present colour.
    added.setCodeColour(m_codeColour);
    connect(added.txtTitle, &QLineEdit::textChanged, this, [this, k] { titleChanged(k); });
    return added;
}

// The bytes are read afresh: every page uses the same file names, and a picture loaded by name
// could come back from the pixmap cache as the previous page's.
QByteArray PlayScreen::pictureBytes(const PageLine &line)
{
    QFile file;
    return SafeFile::open(file, line.picturePath(), QIODevice::ReadOnly, false) == SafeFile::Status::Ok
               ? file.readAll()
               : QByteArray();
}

bool PlayScreen::fillCell(int k, const PageLine &line)
{
    return cell(k).fill(line, QImage::fromData(pictureBytes(line)), m_profile.solvedFlag(line.picture) == 1);
}

bool PlayScreen::openCategory(const std::function<bool(qint16 page)> &fillCells)
{
    const Result<qint16> page = preparePage(m_profile, category());
    if (!page) {
        giveUp(page.problem());
        return false;
    }
    if (!fillCells(*page))
        return false;
    GameScreen::open();
    updateArrows();
    startPlay();
    return true;
}

void PlayScreen::startPlay()
{
    m_rules.setReady(true);
    showPanel(m_rules.open());
    showSolvedCount();
    lblTime->setText(FormatTime(m_rules.clock().total()));
}

void PlayScreen::showSolvedCount()
{
    lblRisolti->setText(m_rules.solvedText());
}

void PlayScreen::showPanel(CategoryPlay::Panel panel)
{
    if (panel == CategoryPlay::Panel::Won)
        fraInfo->setMessage(CategoryPlay::winMessage());
    fraInfo->setVisible(panel != CategoryPlay::Panel::Hidden);
    fraInfo->raise();
}

void PlayScreen::panelClicked()
{
    // The second click of the double click that opened the screen is not the player's wish to
    // close the instructions unread.
    if (isOpeningClick())
        return;
    m_rules.panelClicked();
    showPanel(m_rules.panel());
    panelClosed();
}

void PlayScreen::panelClosed()
{
    if (m_rules.clock().isRunning())
        m_tmrTime->start();
}

void PlayScreen::typedUnderPanel()
{
    m_rules.panelClicked();
    showPanel(m_rules.panel());
    // The base's own: a screen's caret rule for the click would take the key from its box.
    PlayScreen::panelClosed();
}

void PlayScreen::tick()
{
    const Result<qint32> total = m_rules.clock().tick();
    if (!m_rules.clock().isRunning())
        m_tmrTime->stop();
    if (total)
        lblTime->setText(FormatTime(*total));
    else
        Messages::warn(total.problem());
}

void PlayScreen::titleChanged(int k)
{
    PlayCell &changed = cell(k);
    TitleBox *box = changed.txtTitle;
    // A solved box changes only when the solve writes the stored title into it.
    if (box->isSolved() || !box->isEnabled())
        return;
    const Result<CategoryPlay::Typed> typed = m_rules.typed(changed.picture, box->text(), box->tag());
    if (!typed) {
        Messages::warn(typed.problem());
        return;
    }
    if (*typed == CategoryPlay::Typed::NoMatch)
        return;
    changed.showSolved();
    showSolvedCount();
    // The caret stays in the solved box: the player moves on with Tab or the mouse, and a key
    // typed past the match (a title's final ".") falls harmlessly on the locked box.
    if (*typed == CategoryPlay::Typed::CategoryComplete)
        win();
}

void PlayScreen::win()
{
    m_tmrTime->stop();
    const Result<QString> opened = m_rules.win();
    showPanel(m_rules.panel());
    if (!opened)
        Messages::warn(opened.problem());
    else if (!opened->isEmpty())
        fraInfo->setMessage(CategoryPlay::winMessage() + QStringLiteral("\n\n") + *opened);
}

void PlayScreen::toggleCodes()
{
    m_codesShown = !m_codesShown;
    if (m_codesShown)
        m_tmrIndex->start();
    else
        m_tmrIndex->stop();
    for (const auto &shown : m_cells)
        shown->lblIndex->setVisible(m_codesShown);
}

void PlayScreen::blink()
{
    m_codeColour = PlayCell::nextCodeColour(m_codeColour);
    for (const auto &shown : m_cells)
        shown->setCodeColour(PlayCell::nextCodeColour(shown->codeColour()));
}

void PlayScreen::giveUp(const QString &problem)
{
    m_rules.setReady(false);
    m_rules.clock().stop();
    m_tmrTime->stop();
    Messages::warn(tr("Impossibile mostrare le immagini della categoria %1.\n\n%2\n\n"
                      "Si torna alla scelta della categoria.")
                       .arg(CategoryTable::name(m_rules.category()), problem));
    close();
}

QString PlayScreen::unreadablePicture(const QString &code) const
{
    return tr("L'immagine %1 non si può leggere: il file %2 è danneggiato.")
        .arg(code, ContentFiles::packFile(m_rules.category()));
}

bool PlayScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Any Shift, Ctrl or Alt state; a held key does not make the codes flicker.
        if (key->key() == Qt::Key_F1) {
            if (!key->isAutoRepeat())
                toggleCodes();
            return true;
        }
        // The keyboard does what a click on the panel and the two arrows do: Enter or Space closes
        // the panel, Page Up and Page Down turn back and on. A held key closes no panel unread.
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        const int pressed = key->key();
        if (plain && fraInfo && fraInfo->isVisible()
            && (pressed == Qt::Key_Return || pressed == Qt::Key_Enter || pressed == Qt::Key_Space)) {
            if (!key->isAutoRepeat())
                emit fraInfo->clicked();
            return true;
        }
        if (plain && imgBack && (pressed == Qt::Key_PageUp || pressed == Qt::Key_PageDown)) {
            const bool back = pressed == Qt::Key_PageUp;
            if (!(back ? imgBackMask : imgNextMask)->isVisible() && !(fraInfo && fraInfo->isVisible()))
                back ? goBack() : goNext();
            return true;
        }
        if (m_rules.panel() == CategoryPlay::Panel::Instructions && qobject_cast<TitleBox *>(watched)
            && !key->text().isEmpty() && key->text().at(0).isPrint())
            typedUnderPanel();
    }
    return QWidget::eventFilter(watched, event);
}

void PlayScreen::closeEvent(QCloseEvent *event)
{
    m_rules.setReady(false);
    m_rules.clock().stop();
    m_tmrTime->stop();
    m_tmrIndex->stop();
    GameScreen::closeEvent(event);
}
