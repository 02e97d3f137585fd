#include "play/frmPlayStrip.h"
#include "content/ContentFiles.h"

#include "base/mdlConst.h"
#include "content/Extraction.h"
#include "content/PageList.h"
#include "content/mdlGeneral.h"
#include "play/StripMath.h"
#include "play/TitleBox.h"
#include "profile/clsUser.h"
#include "widgets/ClickableImage.h"
#include "widgets/InfoPanel.h"

#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

const QString frmPlayBonus::Instructions = QStringLiteral(
    "A differenza della modalità Classic, dovrai indovinare il titolo dei film guardando una scena in "
    "cui i volti degli attori sono stati sostituiti da elementi di disturbo. Non avrai un tempo "
    "limite, tuttavia più sarai veloce e migliore sarà la tua posizione in classifica, usa i comandi "
    "ai lati della finestra per spostarti tra le pagine; ogni pagina comprende tre immagini, quando "
    "le avrai indovinate tutte avrai vinto questa categoria. Ricordati che premendo F1 potrai vedere "
    "il codice dell'immagine, utile per dare suggerimenti e per segnalare eventuali errori.");

const QString frmPlayPuzzle::Instructions = QStringLiteral(
    "La categoria Puzzle comprende tre giochi completamente differenti; nella categoria Missing "
    "dovrai indicare l'elemento mancante scrivendolo senza articolo. Se stai giocando alla categori "
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

frmPlayStrip::frmPlayStrip(const Variant &variant, QWidget *parent)
    : PlayScreen(QLatin1String(variant.name), variant.gameType, parent)
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
    connect(hsMain, &QScrollBar::valueChanged, this, &frmPlayStrip::hsMain_Change);

    makePanel(PanelPlace, variant.instructions);
}

bool frmPlayStrip::load()
{
    setWindowTitle(m_caption + mdlGeneral::GetCatName(objUser.curcat));
    // Wider than this, the strip's geometry no longer fits its 16-bit coordinates.
    if (rules().count() > StripMath::MaxCells) {
        giveUp(QStringLiteral("La categoria ha %1 immagini, ma questa schermata ne può mostrare al "
                              "massimo %2.")
                   .arg(rules().count())
                   .arg(StripMath::MaxCells));
        return false;
    }
    return openCategory([this] { return LoadStrip(); });
}

bool frmPlayStrip::LoadStrip()
{
    Q_ASSERT(cellCount() == 0);
    QVector<PageLine> lines;
    QString problem;
    if (!ReadPageList(&lines, &problem) || lines.isEmpty() || lines.size() > StripMath::MaxCells) {
        if (problem.isEmpty())
            problem = QStringLiteral("La lista delle immagini %1 ha %2 righe, ma la striscia ne mostra "
                                     "da 1 a %3.")
                          .arg(mdlConst::TempDir + ContentFiles::PageList)
                          .arg(lines.size())
                          .arg(StripMath::MaxCells);
        RemoveTempPictures();
        giveUp(problem);
        return false;
    }
    // The solved flags in one reading of the profile.
    const auto [first, last]
        = std::minmax_element(lines.begin(), lines.end(),
                              [](const PageLine &a, const PageLine &b) { return a.picture < b.picture; });
    const QVector<qint16> solved = objUser.Items(first->picture, last->picture - first->picture + 1);
    // The cells are made while the pictures decode.
    QVector<QImage> pictures = readPictures(lines, [&] {
        for (int k = 1; k <= lines.size(); ++k)
            AddStripCell(k);
    });
    for (int k = 1; k <= lines.size(); ++k) {
        const PageLine &line = lines[k - 1];
        if (!fillCell(k, line, std::move(pictures[k - 1]),
                      solved.value(line.picture - first->picture) == 1)) {
            RemoveTempPictures();
            giveUp(unreadablePicture(line.code()));
            return false;
        }
    }
    // A picture lives on only in its cell.
    RemoveTempPictures();
    picHost->show();
    showSolvedCount();
    return true;
}

void frmPlayStrip::AddStripCell(int k)
{
    Q_ASSERT(k == cellCount() + 1);
    addCell(picHost, QPoint(StripMath::cellLeft(k), 0));
    picHost->setGeometry(0, StripTop, StripMath::stripWidth(k), StripHeight);
    hsMain->setRange(StripMath::ScrollMin, StripMath::scrollMax(k));
}

void frmPlayStrip::UpdateArrows()
{
    const StripMath::ArrowMasks masks = StripMath::arrowMasks(hsMain->value(), hsMain->maximum());
    imgBackMask->setVisible(masks.back);
    imgNextMask->setVisible(masks.next);
    lblPos->setText(StripMath::posText(hsMain->value(), cellCount()));
}

void frmPlayStrip::imgBack_Click()
{
    hsMain->setValue(StripMath::backValue(hsMain->value()));
    UpdateArrows();
}

void frmPlayStrip::imgNext_Click()
{
    hsMain->setValue(StripMath::nextValue(hsMain->value(), hsMain->maximum()));
    UpdateArrows();
}

void frmPlayStrip::hsMain_Change(int value)
{
    picHost->move(-value, StripTop);
    UpdateArrows();
}

void frmPlayStrip::panelClosed()
{
    // Box 1 takes the caret even when it is solved and locked.
    if (cellCount() > 0)
        cell(1).txtTitle->setFocus(Qt::OtherFocusReason);
    PlayScreen::panelClosed();
}

bool frmPlayStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && watched->parent() == picHost)
        reveal(watched, static_cast<QFocusEvent *>(event)->reason());
    return PlayScreen::eventFilter(watched, event);
}

void frmPlayStrip::reveal(QObject *box, Qt::FocusReason reason)
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

frmPlayBonus::frmPlayBonus(QWidget *parent)
    : frmPlayStrip({"frmPlayBonus", mdlConst::Bonus, QStringLiteral("Bonus: "), Instructions}, parent)
{ }

frmPlayPuzzle::frmPlayPuzzle(QWidget *parent)
    : frmPlayStrip({"frmPlayPuzzle", mdlConst::Puzzle, QStringLiteral("Puzzle: "), Instructions}, parent)
{ }
