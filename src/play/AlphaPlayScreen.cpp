#include "play/AlphaPlayScreen.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "base/TimeText.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "content/SafeFile.h"
#include "play/AlphaDraw.h"
#include "play/CategoryPlay.h"
#include "profile/Profile.h"
#include "widgets/ClickableImage.h"
#include "widgets/InfoPanel.h"
#include "widgets/Messages.h"
#include "widgets/ShapeFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTimer>

QString AlphaPlayScreen::instructions()
{
    return tr(
        "Eccoti finalmente alla modalità Alpha; hai presente il gioco dei 15 in cui devi ordinare i "
        "tasselli? Bene, la modalità Alpha funziona allo stesso modo, ma dovrai ordinare i film in "
        "ordine \"alfabetico\" guardando 15 scene scelte casualmente dalla categoria Classic. Il gioco è "
        "piuttosto difficile, una volta ordinati i film sarà sbloccata l'ultima modalità della categoria "
        "Puzzle. Per giocare clicca sulle immagini per spostarle nella casella vuota; non appena i film "
        "saranno riordinati il tempo si fermerà e verrà visualizzato un messaggio. È molto importante "
        "riconoscere i film \"al volo\" per ottenere un buon tempo; le prime volte il gioco potrebbe "
        "risultare impossibile, ricorda che puoi sempre accedere alla modalità Classic e consultare il "
        "titolo dei film. In questa modalità la tua unica speranza è la tua memoria visiva ed una "
        "massiccia dose di pazienza.");
}

namespace {
// Pixels of the 688 x 368 client area.
const QSize ClientSize(688, 368);
constexpr std::array<int, 4> ColumnLeft = {8, 176, 344, 512};
constexpr std::array<int, 4> RowTop = {8, 96, 184, 272};
constexpr int CellWidth = 169;
constexpr int CellHeight = 89;
constexpr int LastRowHeight = 91;
// The panel waits beside the client area until the screen opens.
const QRect PanelPlace(ClientSize.width(), 8, 673, 356);
constexpr int PanelLeft = 8;

const QColor FrameColour(0, 0, 255);
const QColor EmptyColour(202, 202, 202);

// Seeded once for the run: boards opened within the same second still differ.
QRandomGenerator &drawGenerator()
{
    static QRandomGenerator generator(QRandomGenerator::system()->generate());
    return generator;
}

QByteArray padded(int number, int digits)
{
    return QByteArray::number(number).rightJustified(digits, '0');
}

int cellHeight(int k)
{
    return k > AlphaBoard::CellCount - 4 ? LastRowHeight : CellHeight;
}
} // namespace

AlphaPlayScreen::AlphaPlayScreen(Profile &profile, QWidget *parent)
    : GameScreen(QStringLiteral("frmPlayAlpha"), parent)
    , m_profile(profile)
    , m_clock(profile, Game::Alpha)
{
    setClosesOnEscape(true);
    setWindowTitle(tr("Alpha"));
    setFixedSize(ClientSize);
    setFocusPolicy(Qt::StrongFocus);

    // Cells row by row from the top left: 1 2 3 4 / 5 6 7 8 / 9 10 11 12 / 13 14 15 16.
    for (int k = 1; k <= CellCount; ++k) {
        const QRect place(ColumnLeft[(k - 1) % 4], RowTop[(k - 1) / 4], CellWidth, cellHeight(k));
        auto *image = new ClickableImage(this);
        image->setObjectName(QStringLiteral("imgImage_%1").arg(k));
        image->setGeometry(place);
        image->setScaledContents(true);
        connect(image, &ClickableImage::clicked, this, [this, k] { clickCell(k); });
        // The frame lies over its picture and lets the clicks through.
        auto *border = new ShapeFrame(this);
        border->setObjectName(QStringLiteral("shaBorder_%1").arg(k));
        border->setGeometry(place);
        border->setBorderColor(FrameColour);
        border->setFillColor(EmptyColour);
        m_images[size_t(k - 1)] = image;
        m_borders[size_t(k - 1)] = border;
    }
    showBoard();

    // The panel lies on a backdrop of the window's grey, as on the other screens: the frames of the
    // corner cells run right into its rounded corners and would square them off.
    m_panelBack = new QWidget(this);
    m_panelBack->setGeometry(PanelPlace);
    m_panelBack->setAutoFillBackground(true);
    fraInfo = new InfoPanel(m_panelBack);
    fraInfo->setGeometry(m_panelBack->rect());
    fraInfo->setMessage(instructions());
    connect(fraInfo, &InfoPanel::clicked, this, &AlphaPlayScreen::panelClicked);

    m_tmrTime = new QTimer(this);
    m_tmrTime->setObjectName(QStringLiteral("tmrTime"));
    m_tmrTime->setInterval(PlayClock::TickInterval);
    connect(m_tmrTime, &QTimer::timeout, this, &AlphaPlayScreen::tick);
}

AlphaPlayScreen::~AlphaPlayScreen() = default;

ClickableImage *AlphaPlayScreen::imgImage(int k) const
{
    Q_ASSERT(k >= 1 && k <= CellCount);
    return m_images[size_t(k - 1)];
}

ShapeFrame *AlphaPlayScreen::shaBorder(int k) const
{
    Q_ASSERT(k >= 1 && k <= CellCount);
    return m_borders[size_t(k - 1)];
}

bool AlphaPlayScreen::open()
{
    setWindowTitle(tr("Alpha"));
    // Prepared before the screen shows, so a board that cannot be dealt never flashes an empty
    // screen behind its message.
    Result<> ready = drawBoard();
    if (ready)
        ready = loadBoard();
    if (!ready) {
        giveUp(ready.problem());
        return false;
    }
    showBoard();
    m_panelBack->move(PanelLeft, m_panelBack->y());
    fraInfo->setMessage(instructions());
    showPanel(true);
    GameScreen::open();
    setFocus(Qt::OtherFocusReason);
    return true;
}

Result<> AlphaPlayScreen::drawBoard()
{
    const CategoryTable &table = m_profile.categories();
    // The Classic pictures actually installed: the categories whose pack is present.
    QVector<int> candidates;
    for (int c = 1; c <= ContentFiles::LastGenreCategory; ++c) {
        if (!QFile::exists(ContentFiles::packPath(c)))
            continue;
        const int base = table.itemBase(c);
        const int count = table.count(c);
        if (base < 0 || count < 0)
            return fail(
                ContentFiles::damagedMessage(ContentFiles::CountsIndex, ContentFiles::countsMismatch()));
        for (int p = 1; p <= count; ++p)
            candidates.append(base + p);
    }

    // A title that cannot be read stops the draw: the index is damaged, and says so.
    QString titleProblem;
    const auto titleOf = [this, &titleProblem](int n) {
        if (!titleProblem.isEmpty())
            return QByteArray();
        Result<QByteArray> title = readTitle(n);
        if (!title) {
            titleProblem = title.problem();
            return QByteArray();
        }
        return *title;
    };
    const auto drawn = AlphaDraw::draw(candidates, titleOf, drawGenerator());
    if (!titleProblem.isEmpty())
        return fail(titleProblem);
    if (!drawn) {
        return fail(candidates.size() < AlphaBoard::TileCount
                        ? tr("Per giocare ad Alpha servono 15 immagini Classic con titoli diversi, ma "
                             "le categorie Classic installate ne hanno %1 e non bastano. Scarica le "
                             "categorie Classic che mancano e riprova.")
                              .arg(candidates.size())
                        : tr("Per giocare ad Alpha servono 15 immagini Classic con titoli diversi, ma "
                             "tra le %1 installate non se ne trovano abbastanza. Scarica altre "
                             "categorie Classic e riprova.")
                              .arg(candidates.size()));
    }

    // The pictures first and the list last: a list on disk always has all its pictures.
    QByteArray list;
    for (int i = 1; i <= drawn->size(); ++i) {
        const AlphaTile &tile = drawn->at(i - 1);
        if (Result<> extracted = extractPicture(i, tile.picture); !extracted) {
            removeTempPictures();
            return extracted;
        }
        list += padded(i, 2) + ':' + padded(tile.picture, 3) + ':' + tile.title + "\r\n";
    }
    if (Result<> written = writeTempFile(ContentFiles::PageList, list); !written) {
        removeTempPictures();
        return written;
    }
    return {};
}

Result<QByteArray> AlphaPlayScreen::readTitle(int n) const
{
    QFile titles;
    if (Result<> opened = ContentFiles::openData(titles, ContentFiles::TitlesIndex); !opened)
        return opened.failure();
    std::optional<QByteArray> title;
    if (n >= 1 && titles.seek(qint64(n - 1) * ContentFiles::TitleRecordSize))
        title = ContentFiles::titleFromRecord(titles.read(ContentFiles::TitleRecordSize));
    if (!title)
        return fail(
            ContentFiles::damagedMessage(ContentFiles::TitlesIndex, ContentFiles::unreadableTitle(n)));
    return *title;
}

Result<> AlphaPlayScreen::extractPicture(int slot, int n) const
{
    const CategoryTable &table = m_profile.categories();
    const int c = table.genreCategoryOf(n);
    const int base = table.itemBase(c);
    if (c == 0 || base < 0)
        return fail(ContentFiles::damagedMessage(ContentFiles::CountsIndex, ContentFiles::countsMismatch()));
    // One positioned read of the picture itself, placed by the lengths before it.
    const Result<ContentFiles::Run> run
        = ContentFiles::readRun(ContentFiles::packFile(c), ContentFiles::LengthsIndex, base + 1, n, 1, false);
    if (!run)
        return run.failure();
    return writeTempFile(tempPictureName(slot), run->pictures.first());
}

Result<> AlphaPlayScreen::loadBoard()
{
    const QString listName = GameFolder::TempDir + ContentFiles::PageList;
    QVector<AlphaTile> tiles;
    QHash<int, QPixmap> pictures;
    bool loaded = false;
    QFile list;
    if (SafeFile::open(list, GameFolder::path(listName), QIODevice::ReadOnly, false)
        == SafeFile::Status::Ok) {
        const QByteArray text = list.read(64 * 1024);
        list.close();
        loaded = true;
        for (QByteArray line : text.split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (line.isEmpty())
                continue;
            // "ii:nnn:title"; the title holds no ":" but is read to the end of the line anyway.
            const int first = line.indexOf(':');
            const int second = first < 0 ? -1 : line.indexOf(':', first + 1);
            bool slotOk = false, numberOk = false;
            const int slot = line.left(first).toInt(&slotOk);
            const int n = line.mid(first + 1, second - first - 1).toInt(&numberOk);
            if (second < 0 || !slotOk || !numberOk || slot != tiles.size() + 1
                || slot > AlphaBoard::TileCount) {
                loaded = false;
                break;
            }
            // The bytes are read afresh: every board uses the same file names, and a picture
            // loaded by name could come back from the pixmap cache as an earlier board's.
            QFile file;
            QPixmap picture;
            if (SafeFile::open(file, tempPath(tempPictureName(slot)), QIODevice::ReadOnly, false)
                    != SafeFile::Status::Ok
                || !picture.loadFromData(file.readAll())) {
                const int c = m_profile.categories().genreCategoryOf(n);
                removeTempPictures();
                return fail(tr("L'immagine n. %1 non si può leggere: il file %2 è danneggiato.")
                                .arg(n)
                                .arg(c > 0 ? ContentFiles::packFile(c)
                                           : GameFolder::TempDir + tempPictureName(slot)));
            }
            tiles.append(AlphaTile {n, line.mid(second + 1)});
            pictures.insert(n, picture);
        }
    }
    // The pictures live on only on the board.
    removeTempPictures();
    if (!loaded || tiles.size() != AlphaBoard::TileCount)
        return fail(tr("La lista delle immagini %1 manca o è danneggiata.").arg(listName));
    m_board = AlphaBoard(tiles);
    m_pictures = pictures;
    return {};
}

bool AlphaPlayScreen::setBoard(const AlphaBoard &board)
{
    for (int k = 1; k <= CellCount; ++k) {
        const int n = board.cell(k).picture;
        if (n != 0 && !m_pictures.contains(n))
            return false;
    }
    m_board = board;
    showBoard();
    return true;
}

void AlphaPlayScreen::clickCell(int k)
{
    // The panel covers the board: a click there is the panel's.
    if (fraInfo->isVisible())
        return;
    const int empty = m_board.intEmpty();
    if (!m_board.move(k))
        return;
    showCell(empty);
    showCell(k);
    showMovable();
    checkOrder();
}

void AlphaPlayScreen::checkOrder()
{
    if (!m_board.isOrdered())
        return;
    m_tmrTime->stop();
    m_clock.stop();
    const Result<QString> opened = winAlpha(m_profile);
    fraInfo->setMessage(opened.ok() && !opened->isEmpty()
                            ? CategoryPlay::winMessage() + QStringLiteral("\n\n") + *opened
                            : CategoryPlay::winMessage());
    showPanel(true);
    if (!opened)
        Messages::warn(opened.problem());
}

void AlphaPlayScreen::panelClicked()
{
    // The second click of a double click that opened the screen is not the player's wish to
    // close the instructions unread.
    if (isOpeningClick())
        return;
    showPanel(false);
    // Every attempt counts from zero; once Alpha is completed the board is played untimed.
    if (m_profile.gameTypeState(Game::Alpha) != Game::GameTypeState::Open)
        return;
    if (const Result<> restarted = m_clock.restartFromZero(); !restarted) {
        Messages::warn(restarted.problem());
        return;
    }
    m_tmrTime->start();
}

void AlphaPlayScreen::tick()
{
    if (!m_clock.isRunning()) {
        m_tmrTime->stop();
        return;
    }
    const Result<qint32> total = m_clock.tick();
    if (!total) {
        m_tmrTime->stop();
        Messages::warn(total.problem());
        return;
    }
    setWindowTitle(tr("Alpha: %1").arg(FormatTime(*total)));
}

void AlphaPlayScreen::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    // Enter or Space closes the panel as a click does, as on the other play screens; a held key
    // closes none unread.
    if (fraInfo->isVisible() && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
        && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        if (!event->isAutoRepeat())
            panelClicked();
        event->accept();
        return;
    }
    AlphaBoard::Direction direction;
    switch (key) {
    case Qt::Key_Left:
        direction = AlphaBoard::Direction::Left;
        break;
    case Qt::Key_Right:
        direction = AlphaBoard::Direction::Right;
        break;
    case Qt::Key_Up:
        direction = AlphaBoard::Direction::Up;
        break;
    case Qt::Key_Down:
        direction = AlphaBoard::Direction::Down;
        break;
    default:
        GameScreen::keyPressEvent(event);
        return;
    }
    // An arrow slides the tile on its far side of the empty cell, as a click on it would.
    if (const int k = m_board.cellForKey(direction))
        clickCell(k);
    event->accept();
}

void AlphaPlayScreen::closeEvent(QCloseEvent *event)
{
    m_clock.stop();
    m_tmrTime->stop();
    GameScreen::closeEvent(event);
}

void AlphaPlayScreen::showCell(int k)
{
    const AlphaTile &tile = m_board.cell(k);
    ClickableImage *image = imgImage(k);
    ShapeFrame *border = shaBorder(k);
    if (tile.picture == 0) {
        // The empty cell: no picture, a grey rectangle in its frame.
        image->clear();
        image->hide();
        border->setFillStyle(ShapeFrame::FillStyle::Solid);
    } else {
        image->setPixmap(m_pictures.value(tile.picture));
        image->show();
        border->setFillStyle(ShapeFrame::FillStyle::Transparent);
    }
}

void AlphaPlayScreen::showPanel(bool shown)
{
    m_panelBack->setVisible(shown);
    if (shown)
        m_panelBack->raise();
}

void AlphaPlayScreen::showBoard()
{
    for (int k = 1; k <= CellCount; ++k)
        showCell(k);
    showMovable();
}

void AlphaPlayScreen::showMovable()
{
    // The hand only over the pictures that can slide.
    for (int k = 1; k <= CellCount; ++k)
        imgImage(k)->setCursor(m_board.canMove(k) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void AlphaPlayScreen::giveUp(const QString &problem)
{
    m_clock.stop();
    m_tmrTime->stop();
    Messages::warn(tr("Impossibile preparare la partita Alpha.\n\n%1\n\nSi torna al menu.").arg(problem));
    close();
}
