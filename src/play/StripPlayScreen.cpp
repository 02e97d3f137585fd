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

#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QThread>
#include <algorithm>
#include <memory>

const QString BonusPlayScreen::Instructions = QStringLiteral(
    "A differenza della modalità Classic, dovrai indovinare il titolo dei film guardando una scena in "
    "cui i volti degli attori sono stati sostituiti da elementi di disturbo. Non avrai un tempo "
    "limite, tuttavia più sarai veloce e migliore sarà la tua posizione in classifica, usa i comandi "
    "ai lati della finestra per spostarti tra le pagine; ogni pagina comprende tre immagini, quando "
    "le avrai indovinate tutte avrai vinto questa categoria. Ricordati che premendo F1 potrai vedere "
    "il codice dell'immagine, utile per dare suggerimenti e per segnalare eventuali errori.");

const QString PuzzlePlayScreen::Instructions = QStringLiteral(
    "La categoria Puzzle comprende tre giochi completamente differenti; nella categoria Missing "
    "dovrai indicare l'elemento mancante scrivendolo senza articolo. Se stai giocando alla categoria "
    "Vestiti, dovrai indovinare il titolo del film, guardando i vestiti utilizzati dagli attori. La "
    "categoria Rebus richiede di indovinare il titolo del film (in inglese) ottenendolo combinando "
    "le scene proposte, è la categoria in assoluto più difficile di tutto il gioco.");

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
} // namespace

StripPlayScreen::StripPlayScreen(const Variant &variant, Profile &profile, int category, QWidget *parent)
    : PlayScreen(QLatin1String(variant.name), profile, variant.gameType, category, parent)
    , m_caption(variant.caption)
{
    setWindowTitle(m_caption.trimmed());
    setFixedSize(ClientSize);

    makeTopBar({BackPlace, NextPlace, PosPlace, TimePlace, RisoltiPlace,
                QStringLiteral("Immagini precedenti"), QStringLiteral("Immagini successive"),
                QStringLiteral("00 - 00")});

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
    setWindowTitle(m_caption + CategoryTable::name(category()));
    // Wider than this, the strip's geometry no longer fits its 16-bit coordinates.
    if (rules().count() > StripMath::MaxCells) {
        giveUp(QStringLiteral("La categoria ha %1 immagini, ma questa schermata ne può mostrare al "
                              "massimo %2.")
                   .arg(rules().count())
                   .arg(StripMath::MaxCells));
        return false;
    }
    return openCategory([this](qint16) { return loadStrip(); });
}

bool StripPlayScreen::loadStrip()
{
    Q_ASSERT(cellCount() == 0);
    const Result<QVector<PageLine>> list = readPageList();
    if (!list || list->isEmpty() || list->size() > StripMath::MaxCells) {
        removeTempPictures();
        giveUp(!list ? list.problem()
                     : QStringLiteral("La lista delle immagini %1 ha %2 righe, ma la striscia ne mostra "
                                      "da 1 a %3.")
                           .arg(GameFolder::TempDir + ContentFiles::PageList)
                           .arg(list->size())
                           .arg(StripMath::MaxCells));
        return false;
    }
    const QVector<PageLine> &lines = *list;
    // The solved flags in one reading of the profile.
    const auto [first, last]
        = std::minmax_element(lines.begin(), lines.end(),
                              [](const PageLine &a, const PageLine &b) { return a.picture < b.picture; });
    const QVector<qint16> solved = profile().solvedFlags(first->picture, last->picture - first->picture + 1);

    // Another thread reads every picture's bytes, decodes those near the strip's start and empties
    // Temp/ while this one builds the cells; the other pictures are decoded as they come near the
    // view (decoding all of them first made a long strip slow to open).
    const StripMath::CellRange near = StripMath::nearCells(StripMath::ScrollMin, int(lines.size()));
    QVector<QByteArray> bytes(lines.size());
    QVector<QImage> nearPictures(near.last);
    bool read = false;
    const auto readPictures = [&] {
        for (int i = 0; i < lines.size(); ++i)
            bytes[i] = pictureBytes(lines[i]);
        for (int k = near.first; k <= near.last; ++k)
            nearPictures[k - 1] = QImage::fromData(bytes[k - 1]);
        // A picture lives on only in the screen.
        removeTempPictures();
        read = true;
    };
    const std::unique_ptr<QThread> reader(QThread::create(readPictures));
    reader->start();
    for (int k = 1; k <= lines.size(); ++k) {
        addStripCell(k);
        const PageLine &line = lines[k - 1];
        cell(k).fillLine(line, solved.value(line.picture - first->picture) == 1);
    }
    reader->wait();
    // A thread that could not start leaves the work to this one.
    if (!read)
        readPictures();
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

void StripPlayScreen::addStripCell(int k)
{
    Q_ASSERT(k == cellCount() + 1);
    addCell(picHost, QPoint(StripMath::cellLeft(k), 0));
    picHost->setGeometry(0, StripTop, StripMath::stripWidth(k), StripHeight);
    hsMain->setRange(StripMath::ScrollMin, StripMath::scrollMax(k));
}

void StripPlayScreen::updateArrows()
{
    const StripMath::ArrowMasks masks = StripMath::arrowMasks(hsMain->value(), hsMain->maximum());
    imgBackMask->setVisible(masks.back);
    imgNextMask->setVisible(masks.next);
    lblPos->setText(StripMath::posText(hsMain->value(), cellCount()));
}

void StripPlayScreen::goBack()
{
    hsMain->setValue(StripMath::backValue(hsMain->value()));
    updateArrows();
    focusInView();
}

void StripPlayScreen::goNext()
{
    hsMain->setValue(StripMath::nextValue(hsMain->value(), hsMain->maximum()));
    updateArrows();
    focusInView();
}

void StripPlayScreen::focusInView()
{
    const int first = StripMath::firstCell(hsMain->value()) + 1;
    const int last = qMin(first + 2, cellCount());
    for (int k = first; k <= last; ++k) {
        if (!cell(k).txtTitle->isSolved()) {
            cell(k).txtTitle->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (first <= last)
        cell(first).txtTitle->setFocus(Qt::OtherFocusReason);
}

void StripPlayScreen::followScroll(int value)
{
    picHost->move(-value, StripTop);
    updateArrows();
    showPicturesNear(value);
}

void StripPlayScreen::showPicturesNear(int value)
{
    // Nothing while the strip is built, nor once a picture could not be shown.
    if (m_pictureBytes.size() != cellCount())
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
    if (event->type() == QEvent::FocusIn && watched->parent() == picHost)
        reveal(watched, static_cast<QFocusEvent *>(event)->reason());
    return PlayScreen::eventFilter(watched, event);
}

void StripPlayScreen::reveal(QObject *box, Qt::FocusReason reason)
{
    for (int k = 1; k <= cellCount(); ++k) {
        TitleBox *title = cell(k).txtTitle;
        if (title != box)
            continue;
        // The keyboard walks into any box; otherwise only a box that takes typing is worth the
        // move (a window coming back keeps the strip where the arrows left it).
        const bool keyboard = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (keyboard || (reason == Qt::OtherFocusReason && !title->isSolved()))
            hsMain->setValue(StripMath::revealValue(hsMain->value(), k, cellCount()));
        return;
    }
}

BonusPlayScreen::BonusPlayScreen(Profile &profile, int category, QWidget *parent)
    : StripPlayScreen({"frmPlayBonus", Game::Bonus, QStringLiteral("Bonus: "), Instructions}, profile,
                      category, parent)
{ }

PuzzlePlayScreen::PuzzlePlayScreen(Profile &profile, int category, QWidget *parent)
    : StripPlayScreen({"frmPlayPuzzle", Game::Puzzle, QStringLiteral("Puzzle: "), Instructions}, profile,
                      category, parent)
{ }
