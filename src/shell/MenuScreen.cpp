#include "shell/MenuScreen.h"

#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "profile/Profile.h"
#include "widgets/ClickableImage.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/Messages.h"
#include "widgets/Zoom.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <array>
#include <map>

namespace {
// The corner radius of the menu's pictures (assets/menu-*.svg), which the focus frame follows.
constexpr int PictureCorner = 10;

QRect twips(int left, int top, int width, int height)
{
    using Game::TwipsPerPixel;
    return QRect(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel);
}

const QSize ClientSize = twips(0, 0, 6420, 7245).size();
const QRect LogoPlace = twips(1455, 0, 3600, 1125);
const QRect RecordPlace = twips(1680, 840, 855, 255);
// The ranking link takes the record label's place once the times are sent: the same middle, a
// little wider for its longer word.
const QRect RankingPlace = twips(1590, 840, 1035, 255);
const QRect UpdatePlace = twips(3600, 840, 1455, 255);
const QRect ClassicPlace = twips(120, 1200, 3060, 2325);
const QRect PuzzlePlace = twips(3240, 1200, 3060, 2325);
const QRect AlphaPlace = twips(120, 3600, 3060, 2325);
const QRect BonusPlace = twips(3240, 3600, 3060, 2325);
const QRect BannerPlace = twips(120, 6000, 6180, 1125);
const QRect InfoPlace = twips(120, 1200, 6180, 4725);

// The web site the panel sends the player to.
const QString SiteName = QStringLiteral("Lumivo Pro Online");

// The download links use shorter names for two categories.
QString groupCaption(int group)
{
    if (group == 5)
        return QStringLiteral("Demenziale");
    if (group == 9)
        return QStringLiteral("Thriller & Horror");
    return CategoryTable::name(group);
}
} // namespace

const QColor MenuScreen::RecordBlue(0, 0, 255);
const QColor MenuScreen::RecordRed(255, 0, 0);

MenuScreen::MenuScreen(const Profile &profile, int focusedGameType, QWidget *parent)
    : GameScreen(QStringLiteral("frmMain"), parent)
    , m_profile(profile)
    , m_focusedGameType(focusedGameType)
{
    setWindowTitle(tr("Selezione tipo di gioco"));
    setFixedSize(ClientSize);
    setFont(QFont(QStringLiteral("Verdana"), 8));
    buildControls();
    connect(this, &GameScreen::gameTypeChosen, this, [this](int gameType) { m_focusedGameType = gameType; });
    auto *keyboard = new KeyboardFocus(this);
    keyboard->setArrowRule([this](QWidget *from, int key) { return arrowTarget(from, key); });
}

ClickableImage *MenuScreen::makeImage(const QString &name, const QRect &place, const QString &artwork,
                                      QWidget *parent)
{
    auto *image = new ClickableImage(parent);
    image->setObjectName(name);
    image->setGeometry(place);
    Zoom::setArtwork(image, artwork);
    image->setFocusPolicy(Qt::TabFocus);
    image->setFocusRadius(PictureCorner);
    return image;
}

QLabel *MenuScreen::makeMask(const QString &name, const QRect &place)
{
    // A mask lies over its picture: a click there reaches the mask, which does nothing with it.
    auto *mask = new QLabel(this);
    mask->setObjectName(name);
    mask->setGeometry(place);
    Zoom::setArtwork(mask, QStringLiteral("menu-mask"));
    mask->setToolTip(tr("Ancora bloccato: vinci altre categorie per aprirlo"));
    mask->hide();
    return mask;
}

ClickableImage *MenuScreen::makeLink(const QString &name, const QString &text, const QRect &place,
                                     QWidget *parent)
{
    auto *link = new ClickableImage(parent);
    link->setObjectName(name);
    link->setText(text);
    link->setGeometry(place);
    link->setTextFormat(Qt::PlainText);
    QPalette colours = link->palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    link->setPalette(colours);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    link->setFocusPolicy(Qt::TabFocus);
    return link;
}

void MenuScreen::buildControls()
{
    imgLogo = makeImage(QStringLiteral("imgLogo"), LogoPlace, QStringLiteral("menu-logo"), this);
    imgLogo->setToolTip(tr("Informazioni e aggiornamenti"));
    // "Aggiornamenti" beside it opens the same panel: the keyboard goes there.
    imgLogo->setFocusPolicy(Qt::NoFocus);
    connect(imgLogo, &ClickableImage::clicked, this, &MenuScreen::openInfoPanel);

    imgClassic = makeImage(QStringLiteral("imgClassic"), ClassicPlace, QStringLiteral("menu-classic"), this);
    imgPuzzle = makeImage(QStringLiteral("imgPuzzle"), PuzzlePlace, QStringLiteral("menu-puzzle"), this);
    imgAlpha = makeImage(QStringLiteral("ImgAlpha"), AlphaPlace, QStringLiteral("menu-alpha"), this);
    imgBonus = makeImage(QStringLiteral("ImgBonus"), BonusPlace, QStringLiteral("menu-bonus"), this);
    connect(imgClassic, &ClickableImage::clicked, this, [this] { emit gameTypeChosen(Game::Classic); });
    connect(imgPuzzle, &ClickableImage::clicked, this, [this] { emit gameTypeChosen(Game::Puzzle); });
    connect(imgBonus, &ClickableImage::clicked, this, [this] { emit gameTypeChosen(Game::Bonus); });
    connect(imgAlpha, &ClickableImage::clicked, this, [this] { emit gameTypeChosen(Game::Alpha); });

    imgPzMask = makeMask(QStringLiteral("imgPzMask"), PuzzlePlace);
    imgAlMask = makeMask(QStringLiteral("imgAlMask"), AlphaPlace);
    imgBnMask = makeMask(QStringLiteral("ImgBnMask"), BonusPlace);

    imgIncontri = makeImage(QStringLiteral("imgIncontri"), BannerPlace, QStringLiteral("menu-forum"), this);
    imgIncontri->setToolTip(tr("Il forum dei giocatori"));
    connect(imgIncontri, &ClickableImage::clicked, this, [this] { emit webPageChosen(WebPage::Forum); });
    imgCustom = makeImage(QStringLiteral("imgCustom"), BannerPlace, QStringLiteral("menu-custom"), this);
    imgCustom->hide();
    connect(imgCustom, &ClickableImage::clicked, this, &MenuScreen::showCustomNotice);

    // The two links lie on the logo's lower edge.
    lblRecord = makeLink(QStringLiteral("lblRecord"), tr("Record!"), RecordPlace, this);
    lblRecord->setAlignment(Qt::AlignCenter);
    QFont bold = lblRecord->font();
    bold.setBold(true);
    bold.setUnderline(false);
    lblRecord->setFont(bold);
    lblRecord->hide();
    connect(lblRecord, &ClickableImage::clicked, this, &MenuScreen::askRecord);

    lblClassifica = makeLink(QStringLiteral("lblClassifica"), tr("Classifica"), RankingPlace, this);
    lblClassifica->setAlignment(Qt::AlignCenter);
    lblClassifica->setToolTip(tr("La classifica dei giocatori sul sito"));
    lblClassifica->hide();
    connect(lblClassifica, &ClickableImage::clicked, this, [this] { emit webPageChosen(WebPage::Ranking); });

    lblUpdate = makeLink(QStringLiteral("lblUpdate"), tr("Aggiornamenti"), UpdatePlace, this);
    lblUpdate->setAlignment(Qt::AlignCenter);
    connect(lblUpdate, &ClickableImage::clicked, this, &MenuScreen::openInfoPanel);

    tmrRecord = new QTimer(this);
    tmrRecord->setObjectName(QStringLiteral("tmrRecord"));
    tmrRecord->setInterval(500);
    connect(tmrRecord, &QTimer::timeout, this, &MenuScreen::recordTick);

    buildInfoPanel();
}

void MenuScreen::buildInfoPanel()
{
    fraInfo = new QFrame(this);
    fraInfo->setObjectName(QStringLiteral("fraInfo"));
    fraInfo->setGeometry(InfoPlace);
    fraInfo->setFrameShape(QFrame::Box);
    fraInfo->setAutoFillBackground(true);
    QPalette colours = fraInfo->palette();
    colours.setColor(QPalette::Window, QColor(255, 255, 255));
    colours.setColor(QPalette::WindowText, QColor(64, 64, 64));
    fraInfo->setPalette(colours);
    const int width = InfoPlace.width();

    auto *Label2 = new QLabel(tr("Aggiornamenti"), fraInfo);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(10, 8, 300, 20);
    QFont heading(QStringLiteral("Verdana"), 11, QFont::Bold);
    Label2->setFont(heading);

    auto *imgClose = makeImage(QStringLiteral("imgClose"), QRect(width - 28, 6, 22, 22),
                               QStringLiteral("menu-panel-close"), fraInfo);
    imgClose->setToolTip(tr("Chiudi"));
    // Escape closes the panel from the keyboard.
    imgClose->setFocusPolicy(Qt::NoFocus);
    connect(imgClose, &ClickableImage::clicked, this, &MenuScreen::closeInfoPanel);

    auto *notice
        = new QLabel(tr("Prima di proseguire, assicurarsi di essere connessi ad internet e di avere i "
                        "permessi per scaricare file. In caso di problemi ripetere l'aggiornamento o "
                        "consultare il forum di %1")
                         .arg(SiteName),
                     fraInfo);
    notice->setObjectName(QStringLiteral("Label3"));
    notice->setGeometry(10, 34, width - 20, 58);
    notice->setWordWrap(true);

    // The twenty download links, five to a column, in category order.
    constexpr int Rows = 5;
    const int columnWidth = (width - 20) / 4;
    for (int k = 1; k <= Game::CategoryCount; ++k) {
        const int column = (k - 1) / Rows;
        const int row = (k - 1) % Rows;
        auto *link = makeLink(QStringLiteral("lblGruppo_%1").arg(k), groupCaption(k),
                              QRect(10 + column * columnWidth, 100 + row * 20, columnWidth - 4, 18), fraInfo);
        link->setToolTip(tr("Scarica la categoria %1").arg(CategoryTable::name(k)));
        connect(link, &ClickableImage::clicked, this, [this, k] { emit downloadChosen(k); });
    }

    auto *lblForum = makeLink(QStringLiteral("lblForum"), tr("Iscriviti al forum di %1!").arg(SiteName),
                              QRect(10, 212, width - 20, 18), fraInfo);
    QFont forumFont = lblForum->font();
    forumFont.setBold(true);
    lblForum->setFont(forumFont);
    connect(lblForum, &ClickableImage::clicked, this, [this] { emit webPageChosen(WebPage::Forum); });

    auto *Label16 = new QLabel(tr("(per ricevere aiuto ed assistenza sul gioco)"), fraInfo);
    Label16->setObjectName(QStringLiteral("Label16"));
    Label16->setGeometry(10, 232, width - 20, 18);

    auto *credits
        = new QLabel(tr("Fotogrammi dei film raccolti e ordinati dalla redazione di Lumivo Pro"), fraInfo);
    credits->setObjectName(QStringLiteral("Label3"));
    credits->setGeometry(10, InfoPlace.height() - 34, width - 20, 24);
    QFont small(QStringLiteral("Verdana"), 7);
    small.setItalic(true);
    credits->setFont(small);

    fraInfo->hide();
}

bool MenuScreen::open()
{
    GameScreen::open();
    refresh();
    if (!fraInfo->isVisible())
        focusGameType(m_focusedGameType);
    return true;
}

void MenuScreen::refresh()
{
    using Game::GameTypeState;
    imgBnMask->setVisible(m_profile.gameTypeState(Game::Bonus) == GameTypeState::Locked);
    imgAlMask->setVisible(m_profile.gameTypeState(Game::Alpha) == GameTypeState::Locked);
    imgPzMask->setVisible(m_profile.gameTypeState(Game::Puzzle) == GameTypeState::Locked);
    for (QLabel *mask : {imgBnMask, imgAlMask, imgPzMask})
        mask->raise();

    const bool everythingCompleted = m_profile.gameTypeState(Game::Puzzle) == GameTypeState::Completed;
    imgCustom->setVisible(everythingCompleted);
    imgCustom->raise();
    const bool timesSent = m_profile.timesSent();
    const bool offerRecord = everythingCompleted && !timesSent;
    lblRecord->setVisible(offerRecord);
    lblRecord->raise();
    if (offerRecord)
        tmrRecord->start();
    else
        tmrRecord->stop();
    lblClassifica->setVisible(timesSent);
    fraInfo->raise();
}

void MenuScreen::focusGameType(int gameType)
{
    const std::map<int, QWidget *> pictures = {{Game::Classic, imgClassic},
                                               {Game::Bonus, imgBonus},
                                               {Game::Alpha, imgAlpha},
                                               {Game::Puzzle, imgPuzzle}};
    const auto picture = pictures.find(gameType);
    if (picture != pictures.end() && KeyboardFocus::reachable(this).contains(picture->second))
        picture->second->setFocus(Qt::OtherFocusReason);
    else
        imgClassic->setFocus(Qt::OtherFocusReason);
}

QWidget *MenuScreen::arrowTarget(QWidget *from, int key)
{
    const QList<QWidget *> reachable = KeyboardFocus::reachable(this);
    const auto open
        = [&reachable](QWidget *control) { return reachable.contains(control) ? control : nullptr; };
    // The game types as they stand on the screen: Classic and Puzzle above, Alpha and Bonus below.
    const std::array<std::array<QWidget *, 2>, 2> grid = {{{imgClassic, imgPuzzle}, {imgAlpha, imgBonus}}};
    QWidget *banner = open(imgCustom) ? imgCustom : open(imgIncontri);
    QList<QWidget *> links;
    for (QWidget *link : reachable) {
        if (link == lblRecord || link == lblClassifica || link == lblUpdate)
            links.append(link);
    }
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            if (grid[row][column] != from)
                continue;
            if (key == Qt::Key_Left || key == Qt::Key_Right) {
                const int to = key == Qt::Key_Left ? 0 : 1;
                return to != column && open(grid[row][to]) ? grid[row][to] : from;
            }
            if (key == Qt::Key_Up)
                return row == 1 && open(grid[0][column]) ? grid[0][column] : from;
            // Down: the game type below, else on past the game types to the banner.
            if (row == 0 && open(grid[1][column]))
                return grid[1][column];
            return banner ? banner : from;
        }
    }
    // Below the banner the way goes round to the links at the top, as Tab does.
    if (from == banner) {
        if (key == Qt::Key_Down)
            return links.isEmpty() ? from : links.first();
        return key == Qt::Key_Up ? nullptr : from;
    }
    const qsizetype link = links.indexOf(from);
    if (link < 0)
        return nullptr;
    if (key == Qt::Key_Left)
        return link > 0 ? links.at(link - 1) : from;
    if (key == Qt::Key_Right)
        return link + 1 < links.size() ? links.at(link + 1) : from;
    return key == Qt::Key_Up ? from : nullptr;
}

void MenuScreen::openInfoPanel()
{
    if (!fraInfo->isVisible())
        m_focusBeforePanel = focusWidget();
    fraInfo->show();
    fraInfo->raise();
    KeyboardFocus::focusFirst(fraInfo);
}

void MenuScreen::closeInfoPanel()
{
    fraInfo->hide();
    if (m_focusBeforePanel && KeyboardFocus::reachable(this).contains(m_focusBeforePanel))
        m_focusBeforePanel->setFocus(Qt::OtherFocusReason);
    else
        imgClassic->setFocus(Qt::OtherFocusReason);
}

void MenuScreen::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && fraInfo->isVisible()) {
        closeInfoPanel();
        return;
    }
    GameScreen::keyPressEvent(event);
}

void MenuScreen::recordTick()
{
    QPalette colours = lblRecord->palette();
    const bool blue = colours.color(QPalette::WindowText) == RecordBlue;
    colours.setColor(QPalette::WindowText, blue ? RecordRed : RecordBlue);
    lblRecord->setPalette(colours);
}

void MenuScreen::askRecord()
{
    if (!Messages::ask(
            tr("Desideri inviare il tuo punteggio sul web?\n(Dovrai essere già connesso ad internet)"),
            tr("Record")))
        return;
    tmrRecord->stop();
    lblRecord->hide();
    focusGameType(m_focusedGameType);
    // The times count as sent only once the site has them: until then the menu offers them again.
    emit webPageChosen(WebPage::Record);
}

void MenuScreen::showCustomNotice()
{
    Messages::notify(tr("Funzionalità in fase di sviluppo, conserva il file del salvataggio ;)"));
}
