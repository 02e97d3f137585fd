#include "play/ClassicPlayScreen.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "content/PageList.h"
#include "play/PageMath.h"
#include "play/TitleBox.h"
#include "profile/Profile.h"
#include "widgets/InfoPanel.h"

#include <QEvent>
#include <QLabel>

QString ClassicPlayScreen::instructions()
{
    return tr(
        "Clicca per iniziare il gioco; dovrai indovinare il titolo dei film guardando una scena a cui "
        "sono stati tolti i volti degli attori. Non avrai un tempo limite, tuttavia più sarai veloce e "
        "migliore sarà la tua posizione in classifica, usa i comandi ai lati della finestra per spostarti "
        "tra le pagine; ogni pagina comprende nove immagini, quando le avrai indovinate tutte avrai vinto "
        "questa categoria. Ricordati che premendo F1 potrai vedere il codice dell'immagine, utile per dare "
        "suggerimenti e per segnalare eventuali errori.");
}

namespace {
// Pixels of the 632 x 464 client area.
const QSize ClientSize(632, 464);
constexpr std::array<int, 3> ColumnLeft = {8, 216, 424};
constexpr std::array<int, 3> RowTop = {40, 184, 328};
const QPoint BackPlace(8, 8);
const QPoint NextPlace(424, 8);
const QRect PosPlace(216, 8, 56, 25);
const QRect TimePlace(272, 8, 96, 25);
const QRect RisoltiPlace(368, 8, 56, 25);
const QRect PanelPlace(8, 8, 617, 451);
} // namespace

ClassicPlayScreen::ClassicPlayScreen(Profile &profile, int category, QWidget *parent)
    : PlayScreen(QStringLiteral("frmPlayClassic"), profile, Game::Classic, category, parent)
{
    setWindowTitle(tr("Classic:"));
    setFixedSize(ClientSize);

    makeTopBar({BackPlace, NextPlace, PosPlace, TimePlace, RisoltiPlace, tr("Pagina precedente"),
                tr("Pagina successiva"), QStringLiteral("0/0")});

    // Cells row by row from the top left: 1 2 3 / 4 5 6 / 7 8 9.
    for (int i = 1; i <= CellCount; ++i)
        addCell(this, QPoint(ColumnLeft[(i - 1) % 3], RowTop[(i - 1) / 3]));
    // Box 9 comes first in the tab order, then 1 to 8.
    setTabOrder(cell(9).txtTitle, cell(1).txtTitle);
    for (int i = 1; i < CellCount - 1; ++i)
        setTabOrder(cell(i).txtTitle, cell(i + 1).txtTitle);

    makePanel(PanelPlace, instructions());
}

bool ClassicPlayScreen::open()
{
    setWindowTitle(tr("Classic: %1").arg(CategoryTable::name(category())));
    const bool opened = openCategory([this](qint16 page) {
        m_page = page;
        return loadPage();
    });
    if (!opened)
        return false;
    // The activation may have come before the cells were filled.
    if (isActiveWindow())
        focusFirstTitle();
    return true;
}

bool ClassicPlayScreen::loadPage()
{
    const Result<QVector<PageLine>> list = readPageList();
    if (!list || list->size() > CellCount) {
        removeTempPictures();
        giveUp(!list ? list.problem()
                     : tr("La lista delle immagini %1 ha %2 righe, ma una pagina ne mostra %3.")
                           .arg(GameFolder::TempDir + ContentFiles::PageList)
                           .arg(list->size())
                           .arg(CellCount));
        return false;
    }
    const QVector<PageLine> &lines = *list;
    for (int i = 1; i <= CellCount; ++i) {
        if (i > lines.size()) {
            cell(i).clear();
        } else if (!fillCell(i, lines[i - 1])) {
            removeTempPictures();
            giveUp(unreadablePicture(lines[i - 1].code()));
            return false;
        }
    }
    // A picture lives on only in its cell.
    removeTempPictures();
    lblPos->setText(PageMath::positionText(m_page, rules().count()));
    showSolvedCount();
    return true;
}

void ClassicPlayScreen::updateArrows()
{
    const PageMath::ArrowMasks masks = PageMath::arrowMasks(m_page, rules().count());
    imgBackMask->setVisible(masks.back);
    imgNextMask->setVisible(masks.next);
    imgBackMask->raise();
    imgNextMask->raise();
    if (fraInfo->isVisible())
        fraInfo->raise();
}

void ClassicPlayScreen::focusFirstTitle()
{
    for (int i = 1; i <= CellCount; ++i) {
        TitleBox *box = cell(i).txtTitle;
        if (!box->isReadOnly() && box->isEnabled()) {
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void ClassicPlayScreen::goBack()
{
    changePage(-1);
}

void ClassicPlayScreen::goNext()
{
    changePage(+1);
}

void ClassicPlayScreen::changePage(int step)
{
    rules().setReady(false);
    const qint16 page = qint16(m_page + step);
    if (const Result<> extracted = extractPage(profile().categories(), category(), page); !extracted) {
        giveUp(extracted.problem());
        return;
    }
    m_page = page;
    if (!loadPage())
        return;
    updateArrows();
    rules().setReady(true);
    focusFirstTitle();
}

bool ClassicPlayScreen::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && rules().isReady())
        focusFirstTitle();
    return PlayScreen::event(event);
}
