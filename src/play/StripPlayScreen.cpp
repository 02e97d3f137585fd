#include "play/StripPlayScreen.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "content/PageList.h"
#include "play/StripMath.h"
#include "play/TitleBox.h"
#include "profile/Profile.h"
#include "widgets/InfoPanel.h"
#include "widgets/Zoom.h"

#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QThread>
#include <algorithm>
#include <functional>
#include <memory>

QString BonusPlayScreen::instructions()
{
    return tr(
        "A differenza della modalità Classic, dovrai indovinare il titolo dei film guardando una scena in "
        "cui i volti degli attori sono stati sostituiti da elementi di disturbo. Non avrai un tempo "
        "limite, tuttavia più sarai veloce e migliore sarà la tua posizione in classifica, usa i comandi "
        "ai lati della finestra per spostarti tra le pagine; ogni pagina comprende tre immagini, quando "
        "le avrai indovinate tutte avrai vinto questa categoria. Ricordati che premendo F1 potrai vedere "
        "il codice dell'immagine, utile per dare suggerimenti e per segnalare eventuali errori.");
}

QString PuzzlePlayScreen::instructions()
{
    return tr(
        "La categoria Puzzle comprende tre giochi completamente differenti; nella categoria Missing "
        "dovrai indicare l'elemento mancante scrivendolo senza articolo. Se stai giocando alla categoria "
        "Vestiti, dovrai indovinare il titolo del film, guardando i vestiti utilizzati dagli attori. La "
        "categoria Rebus richiede di indovinare il titolo del film (in inglese) ottenendolo combinando "
        "le scene proposte, è la categoria in assoluto più difficile di tutto il gioco.");
}

namespace {
// Pixels of the 632 x 176 client area; hsMain lies just below it, out of sight.
const QSize ClientSize(632, 176);
const QPoint BackPlace(8, 8);
const QPoint NextPlace(424, 8);
const QRect PosPlace(216, 16, 72, 17);
const QRect TimePlace(288, 16, 80, 17);
const QRect RisoltiPlace(368, 16, 56, 17);
constexpr int StripTop = 40;
constexpr int StripHeight = 132;
const QRect ScrollPlace(8, 176, 617, 17);
constexpr int SmallChange = 208;
const QRect PanelPlace(8, 8, 617, 163);
const QColor StripBackground(244, 244, 244);

// Runs `work` on another thread while `meanwhile` runs on this one and returns once both are done;
// `work` runs on this thread after all when no other can be started.
void runBeside(const std::function<void()> &work, const std::function<void()> &meanwhile)
{
    bool done = false;
    const std::unique_ptr<QThread> other(QThread::create([&] {
        work();
        done = true;
    }));
    other->start();
    meanwhile();
    other->wait();
    if (!done)
        work();
}
} // namespace

StripPlayScreen::StripPlayScreen(const Variant &variant, Profile &profile, int category, QWidget *parent)
    : PlayScreen(QLatin1String(variant.name), profile, variant.gameType, category, parent)
    , m_caption(variant.caption)
{
    setWindowTitle(m_caption.arg(QString()).trimmed());
    setFixedSize(ClientSize);

    makeTopBar({BackPlace, NextPlace, PosPlace, TimePlace, RisoltiPlace, tr("Immagini precedenti"),
                tr("Immagini successive"), QStringLiteral("00 - 00")});

    picHost = new QWidget(this);
    picHost->setObjectName(QStringLiteral("picHost"));
    QPalette colours = picHost->palette();
    colours.setColor(QPalette::Window, StripBackground);
    picHost->setPalette(colours);
    picHost->setAutoFillBackground(true);
    picHost->setGeometry(0, StripTop, StripMath::stripWidth(0), StripHeight);
    picHost->hide();

    hsMain = new QScrollBar(Qt::Horizontal, this);
    hsMain->setObjectName(QStringLiteral("hsMain"));
    hsMain->setGeometry(ScrollPlace);
    hsMain->setRange(StripMath::ScrollMin, StripMath::ScrollMin);
    hsMain->setSingleStep(SmallChange);
    hsMain->setPageStep(StripMath::ArrowStep);
    // The title boxes alone take the focus.
    hsMain->setFocusPolicy(Qt::NoFocus);
    connect(hsMain, &QScrollBar::valueChanged, this, &StripPlayScreen::followScroll);

    makePanel(PanelPlace, variant.instructions);
}

bool StripPlayScreen::open()
{
    setWindowTitle(m_caption.arg(CategoryTable::name(category())));
    // Wider than this, the strip's geometry no longer fits its 16-bit coordinates.
    if (rules().count() > StripMath::MaxCells) {
        giveUp(tr("La categoria ha %1 immagini, ma questa schermata ne può mostrare al "
                  "massimo %2.")
                   .arg(rules().count())
                   .arg(StripMath::MaxCells));
        return false;
    }
    return openCategory([this](qint16) { return loadStrip(); });
}

void StripPlayScreen::paintEvent(QPaintEvent *event)
{
    // The cells beyond the view come once the screen has been painted with those in it.
    if (!m_farCellsAsked && cellCount() < m_lines.size()) {
        m_farCellsAsked = true;
        QMetaObject::invokeMethod(this, &StripPlayScreen::addFarCells, Qt::QueuedConnection);
    }
    PlayScreen::paintEvent(event);
}

bool StripPlayScreen::loadStrip()
{
    Q_ASSERT(cellCount() == 0);
    const Result<QVector<PageLine>> list = readPageList();
    if (!list || list->isEmpty() || list->size() > StripMath::MaxCells) {
        removeTempPictures();
        giveUp(!list ? list.problem()
                     : tr("La lista delle immagini %1 ha %2 righe, ma la striscia ne mostra "
                          "da 1 a %3.")
                           .arg(GameFolder::TempDir + ContentFiles::PageList)
                           .arg(list->size())
                           .arg(StripMath::MaxCells));
        return false;
    }
    m_lines = *list;
    const int n = int(m_lines.size());
    // The solved flags in one reading of the profile.
    const auto [first, last]
        = std::minmax_element(m_lines.cbegin(), m_lines.cend(),
                              [](const PageLine &a, const PageLine &b) { return a.picture < b.picture; });
    const QVector<qint16> flags = profile().solvedFlags(first->picture, last->picture - first->picture + 1);
    m_solvedAtOpen.resize(n);
    for (int i = 0; i < n; ++i)
        m_solvedAtOpen[i] = flags.value(m_lines[i].picture - first->picture) == 1;
    picHost->setGeometry(0, StripTop, StripMath::stripWidth(n), StripHeight);
    hsMain->setRange(StripMath::ScrollMin, StripMath::scrollMax(n));

    // Only the cells near the start are made and decoded before the screen shows: this thread reads
    // and decodes their pictures and makes them, while another reads the other pictures' bytes and
    // empties Temp/. The other cells follow as soon as the screen is up, their pictures decoded as
    // they come near the view (making and decoding the whole strip first made it slow to open).
    const StripMath::CellRange near = StripMath::nearCells(StripMath::ScrollMin, n);
    QVector<QByteArray> bytes(n);
    for (int k = near.first; k <= near.last; ++k)
        bytes[k - 1] = pictureBytes(m_lines[k - 1]);
    QVector<QImage> nearPictures(near.last);
    runBeside(
        [&] {
            for (int i = near.last; i < n; ++i)
                bytes[i] = pictureBytes(m_lines[i]);
            // A picture lives on only in the screen.
            removeTempPictures();
        },
        [&] {
            for (int k = near.first; k <= near.last; ++k) {
                nearPictures[k - 1] = QImage::fromData(bytes[k - 1]);
                addStripCell();
            }
        });
    for (int k = near.first; k <= near.last; ++k) {
        if (!cell(k).showPicture(std::move(nearPictures[k - 1]))) {
            giveUp(unreadablePicture(cell(k).code));
            return false;
        }
    }
    m_pictureBytes = std::move(bytes);
    picHost->show();
    showSolvedCount();
    return true;
}

void StripPlayScreen::addStripCell()
{
    const int k = cellCount() + 1;
    PlayCell &added = addCell(picHost, QPoint(StripMath::cellLeft(k), 0));
    added.fillLine(m_lines[k - 1], m_solvedAtOpen[k - 1]);
    // Children made after their parent shows are shown one by one.
    added.imgImage->show();
    added.txtTitle->show();
}

void StripPlayScreen::addFarCells()
{
    // Not before the strip is loaded, nor once the screen gave up, nor twice.
    if (m_pictureBytes.isEmpty() || cellCount() == m_lines.size())
        return;
    while (cellCount() < m_lines.size())
        addStripCell();
    Zoom::applyInside(picHost);
    showPicturesNear(hsMain->value());
}

void StripPlayScreen::updateArrows()
{
    const StripMath::ArrowMasks masks = StripMath::arrowMasks(hsMain->value(), hsMain->maximum());
    imgBackMask->setVisible(masks.back);
    imgNextMask->setVisible(masks.next);
    lblPos->setText(StripMath::posText(hsMain->value(), int(m_lines.size())));
}

// The arrows move the strip only: the caret stays where the player left it.
void StripPlayScreen::goBack()
{
    hsMain->setValue(StripMath::backValue(hsMain->value()));
    updateArrows();
}

void StripPlayScreen::goNext()
{
    hsMain->setValue(StripMath::nextValue(hsMain->value(), hsMain->maximum()));
    updateArrows();
}

void StripPlayScreen::followScroll(int value)
{
    Zoom::place(picHost, QRect(-value, StripTop, StripMath::stripWidth(int(m_lines.size())), StripHeight));
    updateArrows();
    addFarCells();
    showPicturesNear(value);
}

void StripPlayScreen::showPicturesNear(int value)
{
    // Nothing while the strip is built, nor once a picture could not be shown.
    if (m_pictureBytes.isEmpty())
        return;
    const StripMath::CellRange near = StripMath::nearCells(value, cellCount());
    const StripMath::CellRange kept = StripMath::keptCells(value, cellCount());
    for (int k = 1; k <= cellCount(); ++k) {
        PlayCell &shown = cell(k);
        if (!kept.contains(k)) {
            shown.dropPicture();
        } else if (near.contains(k) && !shown.hasPicture()
                   && !shown.showPicture(QImage::fromData(m_pictureBytes[k - 1]))) {
            m_pictureBytes.clear();
            giveUp(unreadablePicture(shown.code));
            return;
        }
    }
}

void StripPlayScreen::panelClosed()
{
    // Box 1 takes the caret even when it is solved and locked.
    if (cellCount() > 0)
        cell(1).txtTitle->setFocus(Qt::OtherFocusReason);
    PlayScreen::panelClosed();
}

bool StripPlayScreen::eventFilter(QObject *watched, QEvent *event)
{
    // A key or a click of the player's finds the whole strip made, however soon it comes.
    const QEvent::Type type = event->type();
    if ((type == QEvent::KeyPress || type == QEvent::MouseButtonPress) && cellCount() < m_lines.size()
        && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == this)
        addFarCells();
    if (type == QEvent::FocusIn && watched->parent() == picHost) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            reveal(watched);
    }
    return PlayScreen::eventFilter(watched, event);
}

void StripPlayScreen::reveal(QObject *box)
{
    for (int k = 1; k <= cellCount(); ++k) {
        if (cell(k).txtTitle == box) {
            hsMain->setValue(StripMath::revealValue(hsMain->value(), k, int(m_lines.size())));
            return;
        }
    }
}

BonusPlayScreen::BonusPlayScreen(Profile &profile, int category, QWidget *parent)
    : StripPlayScreen({"frmPlayBonus", Game::Bonus, tr("Bonus: %1"), instructions()}, profile, category,
                      parent)
{ }

PuzzlePlayScreen::PuzzlePlayScreen(Profile &profile, int category, QWidget *parent)
    : StripPlayScreen({"frmPlayPuzzle", Game::Puzzle, tr("Puzzle: %1"), instructions()}, profile, category,
                      parent)
{ }
