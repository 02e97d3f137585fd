#include "play/frmPlayClassic.h"

#include "content/Extraction.h"
#include "content/PageList.h"
#include "content/mdlGeneral.h"
#include "play/InfoPanel.h"
#include "play/PageMath.h"
#include "play/PlaySession.h"
#include "play/TitleBox.h"
#include "profile/clsUser.h"
#include "shell/Artwork.h"
#include "shell/ClickableImage.h"
#include "shell/Messages.h"
#include "shell/Screens.h"
#include "shell/mdlConst.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

const QString frmPlayClassic::Instructions = QStringLiteral(
    "Clicca per iniziare il gioco; dovrai indovinare il titolo dei film guardando una scena a cui "
    "sono stati tolti i volti degli attori. Non avrai un tempo limite, tuttavia più sarai veloce e "
    "migliore sarà la tua posizione in classifica, usa i comandi ai lati della finestra per spostarti "
    "tra le pagine; ogni pagina comprende nove immagini, quando le avrai indovinate tutte avrai vinto "
    "questa categoria. Ricordati che premendo F1 potrai vedere il codice dell'immagine, utile per dare "
    "suggerimenti e per segnalare eventuali errori.");

namespace {
// Pixels of the 632 x 464 client area.
const QSize ClientSize(632, 464);
constexpr std::array<int, 3> ColumnLeft = {8, 216, 424};
constexpr std::array<int, 3> RowTop = {40, 184, 328};
const QSize ArrowSize(200, 25);
const QPoint BackPlace(8, 8);
const QPoint NextPlace(424, 8);
const QRect PosPlace(216, 8, 56, 25);
const QRect TimePlace(272, 8, 96, 25);
const QRect RisoltiPlace(368, 8, 56, 25);
const QRect PanelPlace(8, 8, 617, 451);
const QColor CounterColour(0, 0, 169);
const QColor Background(244, 244, 244);

QString packName(int category)
{
    return mdlConst::DataDir + QStringLiteral("%1").arg(category, 4, 10, QLatin1Char('0'))
           + mdlConst::PackExtension;
}

QString pictureFile(int line)
{
    return mdlConst::gamePath(mdlConst::TempDir
                              + QStringLiteral("%1.tmp").arg(line, 4, 10, QLatin1Char('0')));
}
} // namespace

frmPlayClassic::frmPlayClassic(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPlayClassic"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Classic:"));
    setFixedSize(ClientSize);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Background);
    setPalette(colours);
    setAutoFillBackground(true);

    imgBack = makeArrow("imgBack", QStringLiteral("arrow-back"), BackPlace);
    imgBack->setToolTip(QStringLiteral("Pagina precedente"));
    connect(imgBack, &ClickableImage::clicked, this, &frmPlayClassic::imgBack_Click);
    imgNext = makeArrow("imgNext", QStringLiteral("arrow-next"), NextPlace);
    imgNext->setToolTip(QStringLiteral("Pagina successiva"));
    connect(imgNext, &ClickableImage::clicked, this, &frmPlayClassic::imgNext_Click);
    imgBackMask = makeMask("imgBackMask", QStringLiteral("arrow-back-mask"), BackPlace);
    imgNextMask = makeMask("imgNextMask", QStringLiteral("arrow-next-mask"), NextPlace);

    lblPos = makeCounter("lblPos", QStringLiteral("0/0"), PosPlace);
    lblTime = makeCounter("lblTime", QStringLiteral("0:00:00"), TimePlace);
    lblRisolti = makeCounter("lblRisolti", QStringLiteral("000/000"), RisoltiPlace);

    // Cells row by row from the top left: 1 2 3 / 4 5 6 / 7 8 9.
    for (int i = 1; i <= CellCount; ++i)
        m_cells[i]
            = std::make_unique<PlayCell>(this, i, QPoint(ColumnLeft[(i - 1) % 3], RowTop[(i - 1) / 3]));
    // Box 9 comes first in the tab order, then 1 to 8.
    setTabOrder(cell(9).txtTitle, cell(1).txtTitle);
    for (int i = 1; i < CellCount - 1; ++i)
        setTabOrder(cell(i).txtTitle, cell(i + 1).txtTitle);

    fraInfo = new InfoPanel(this);
    fraInfo->setGeometry(PanelPlace);
    fraInfo->setMessage(Instructions);
    fraInfo->raise();

    m_session = new PlaySession(this, mdlConst::Classic, lblTime, lblRisolti, fraInfo);
    for (int i = 1; i <= CellCount; ++i)
        m_session->addCell(&cell(i));
    connect(fraInfo, &InfoPanel::clicked, m_session, &PlaySession::panelClicked);
}

frmPlayClassic::~frmPlayClassic() = default;

PlayCell &frmPlayClassic::cell(int i)
{
    Q_ASSERT(i >= 1 && i <= CellCount);
    return *m_cells[i];
}

bool frmPlayClassic::blnReady() const
{
    return m_session->isReady();
}

QTimer *frmPlayClassic::tmrTime() const
{
    return m_session->tmrTime();
}

QTimer *frmPlayClassic::tmrIndex() const
{
    return m_session->tmrIndex();
}

QLabel *frmPlayClassic::makeCounter(const char *name, const QString &text, const QRect &place)
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

ClickableImage *frmPlayClassic::makeArrow(const char *name, const QString &artwork, const QPoint &place)
{
    auto *arrow = new ClickableImage(this);
    arrow->setObjectName(QLatin1String(name));
    arrow->setGeometry(QRect(place, ArrowSize));
    arrow->setPixmap(Artwork::pixmap(artwork, ArrowSize));
    return arrow;
}

QLabel *frmPlayClassic::makeMask(const char *name, const QString &artwork, const QPoint &place)
{
    // Lies over its arrow and swallows the clicks meant for it.
    auto *mask = new QLabel(this);
    mask->setObjectName(QLatin1String(name));
    mask->setGeometry(QRect(place, ArrowSize));
    mask->setPixmap(Artwork::pixmap(artwork, ArrowSize));
    mask->hide();
    return mask;
}

void frmPlayClassic::load()
{
    setWindowTitle(QStringLiteral("Classic: ") + mdlGeneral::GetCatName(objUser.curcat));

    // The page is loaded before the screen shows, so a page that cannot be shown never
    // flashes an empty screen behind its message.
    QString problem;
    if (!PreparePage(objUser, &problem)) {
        giveUp(problem);
        return;
    }
    if (!LoadPage())
        return;
    show();
    raise();
    activateWindow();
    UpdateArrows();
    m_session->setReady(true);
    m_session->openPanel(Instructions);
    m_session->showTime();
    // The activation may have come before the cells were filled.
    if (isActiveWindow())
        FocusFirstTitle();
}

bool frmPlayClassic::LoadPage()
{
    QVector<PageLine> lines;
    QString problem;
    if (!ReadPageList(&lines, &problem)) {
        RemoveTempPictures();
        giveUp(problem);
        return false;
    }
    if (lines.size() > CellCount) {
        RemoveTempPictures();
        giveUp(QStringLiteral("La lista delle immagini %1 ha %2 righe, ma una pagina ne mostra %3.")
                   .arg(mdlConst::TempDir + mdlConst::PageList)
                   .arg(lines.size())
                   .arg(CellCount));
        return false;
    }

    const int category = objUser.curcat;
    for (int i = 1; i <= CellCount; ++i) {
        if (i > lines.size()) {
            cell(i).clear();
            continue;
        }
        const PageLine &line = lines[i - 1];
        if (!cell(i).fill(line, pictureFile(i), objUser.Item(line.picture) == 1)) {
            RemoveTempPictures();
            giveUp(QStringLiteral("L'immagine %1 non si può leggere: il file %2 è danneggiato.")
                       .arg(line.code(), packName(category)));
            return false;
        }
    }
    // A picture lives on only in its cell.
    RemoveTempPictures();

    const int count = mdlGeneral::GetCatCount(category);
    lblPos->setText(PageMath::positionText(objUser.curPage, count));
    m_session->showSolvedCount();
    return true;
}

void frmPlayClassic::UpdateArrows()
{
    const PageMath::ArrowMasks masks
        = PageMath::arrowMasks(objUser.curPage, mdlGeneral::GetCatCount(objUser.curcat));
    imgBackMask->setVisible(masks.back);
    imgNextMask->setVisible(masks.next);
    imgBackMask->raise();
    imgNextMask->raise();
    if (fraInfo->isVisible())
        fraInfo->raise();
}

void frmPlayClassic::FocusFirstTitle()
{
    for (int i = 1; i <= CellCount; ++i) {
        TitleBox *box = cell(i).txtTitle;
        if (!box->isReadOnly() && box->isEnabled()) {
            box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void frmPlayClassic::tick()
{
    m_session->tick();
}

void frmPlayClassic::imgBack_Click()
{
    changePage(-1);
}

void frmPlayClassic::imgNext_Click()
{
    changePage(+1);
}

void frmPlayClassic::changePage(int step)
{
    m_session->setReady(false);
    const qint16 base = GetItemBase(objUser.curcat);
    objUser.curPage = qint16(objUser.curPage + step);
    QString problem;
    if (!ExtractPage(objUser, base, &problem)) {
        objUser.curPage = qint16(objUser.curPage - step);
        giveUp(problem);
        return;
    }
    if (!LoadPage())
        return;
    UpdateArrows();
    m_session->setReady(true);
    FocusFirstTitle();
}

void frmPlayClassic::giveUp(const QString &problem)
{
    m_session->setReady(false);
    m_session->stopClock();
    Messages::warn(QStringLiteral("Impossibile mostrare le immagini della categoria %1.\n\n%2\n\n"
                                  "Si torna alla scelta della categoria.")
                       .arg(mdlGeneral::GetCatName(objUser.curcat), problem));
    close();
}

bool frmPlayClassic::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && m_session->isReady())
        FocusFirstTitle();
    return QWidget::event(event);
}

void frmPlayClassic::closeEvent(QCloseEvent *event)
{
    m_session->setReady(false);
    m_session->stopClock();
    tmrIndex()->stop();
    QWidget::closeEvent(event);
    if (!m_closing) {
        m_closing = true;
        Screens::returnFromPlay(mdlConst::Classic);
    }
}
