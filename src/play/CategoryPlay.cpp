#include "play/CategoryPlay.h"

#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "play/PageMath.h"
#include "play/TitleMatch.h"
#include "profile/Profile.h"

#include <QStringList>

QString CategoryPlay::winMessage()
{
    return tr("Complimenti, hai vinto questa categoria; controlla se sono disponibili nuove opzioni. "
              "Potrai consultare questa categoria in qualsiasi momento.");
}

namespace {
// Translated where they are used, in the player's language.
const char *const CannotSaveSolve
    = QT_TRANSLATE_NOOP("CategoryPlay", "Impossibile salvare la soluzione nel file utente: controlla che la "
                                        "cartella User esista e che si possa scrivere. L'immagine resta da "
                                        "indovinare.");
const char *const CannotSaveWin
    = QT_TRANSLATE_NOOP("CategoryPlay", "Impossibile salvare la vittoria della categoria nel file utente: "
                                        "controlla che la cartella User esista e che si possa scrivere.");
const char *const CannotSaveAlphaWin = QT_TRANSLATE_NOOP(
    "CategoryPlay", "Impossibile salvare la vittoria della modalità Alpha nel file utente: "
                    "controlla che la cartella User esista e che si possa scrivere.");

constexpr int RebusCategory = 19;

QString gameTypeName(int gameType)
{
    switch (gameType) {
    case Game::Classic:
        return QStringLiteral("Classic");
    case Game::Bonus:
        return QStringLiteral("Bonus");
    case Game::Alpha:
        return QStringLiteral("Alpha");
    default:
        return QStringLiteral("Puzzle");
    }
}

// "A", "A e B", "A, B e C".
QString listed(const QStringList &names)
{
    if (names.size() < 2)
        return names.join(QString());
    return CategoryPlay::tr("%1 e %2").arg(
        QStringList(names.mid(0, names.size() - 1)).join(QStringLiteral(", ")), names.last());
}

// `one` or `many` ("la categoria %1", "le categorie %1") with the names listed in place of %1.
QString named(const QVector<int> &numbers, const QString &one, const QString &many, QString (*nameOf)(int))
{
    if (numbers.isEmpty())
        return QString();
    QStringList names;
    for (int n : numbers)
        names.append(nameOf(n));
    return (numbers.size() == 1 ? one : many).arg(listed(names));
}
} // namespace

Result<qint16> preparePage(const Profile &profile, int category)
{
    const CategoryTable &table = profile.categories();
    const qint16 base = table.itemBase(category);
    if (base < 0)
        return fail(ContentFiles::damagedMessage(ContentFiles::CountsIndex, ContentFiles::countsMismatch()));
    // One opening of the profile for all of the category's flags.
    const qint16 page = ContentFiles::isGenre(category)
                            ? findOpenPage(profile.solvedFlags(base + 1, table.count(category)))
                            : qint16(0);
    if (Result<> extracted = extractPage(table, category, page); !extracted)
        return extracted.failure();
    return page;
}

QString openedText(const Unlock::Opened &opened)
{
    QStringList parts;
    parts << named(opened.gameTypes, CategoryPlay::tr("la modalità %1"), CategoryPlay::tr("le modalità %1"),
                   gameTypeName)
          << named(opened.categories, CategoryPlay::tr("la categoria %1"),
                   CategoryPlay::tr("le categorie %1"), CategoryTable::name);
    parts.removeAll(QString());
    if (parts.isEmpty())
        return QString();
    return CategoryPlay::tr("Hai sbloccato %1.").arg(listed(parts));
}

Result<QString> winAlpha(Profile &profile)
{
    bool saved = profile.setGameTypeState(Game::Alpha, Game::GameTypeState::Completed);
    Unlock::Opened opened;
    // A Rebus already won is not opened again.
    const Game::CategoryState rebus = profile.categoryState(RebusCategory);
    if (rebus == Game::CategoryState::Locked)
        opened.categories.append(RebusCategory);
    if (rebus != Game::CategoryState::Won)
        saved = profile.setCategoryState(RebusCategory, Game::CategoryState::Open) && saved;
    if (!saved)
        return fail(CategoryPlay::tr(CannotSaveAlphaWin));
    return openedText(opened);
}

CategoryPlay::CategoryPlay(Profile &profile, int category, int gameType)
    : m_profile(profile)
    , m_category(category)
    , m_clock(profile, gameType)
{ }

CategoryPlay::Panel CategoryPlay::open()
{
    m_panel = isComplete() ? Panel::Hidden : Panel::Instructions;
    return m_panel;
}

void CategoryPlay::panelClicked()
{
    m_panel = Panel::Hidden;
    if (m_profile.categoryState(m_category) == Game::CategoryState::Open)
        m_clock.start();
}

Result<CategoryPlay::Typed> CategoryPlay::typed(int picture, const QString &typed, const QString &title)
{
    if (!m_ready || !TitleMatches(typed, title))
        return Typed::NoMatch;
    // The profile first: a picture shows solved only once the solve is on disk.
    if (!m_profile.setSolvedFlag(picture, 1))
        return fail(tr(CannotSaveSolve));
    return isComplete() ? Typed::CategoryComplete : Typed::Solved;
}

Result<QString> CategoryPlay::win()
{
    m_clock.stop();
    if (!m_profile.setCategoryState(m_category, Game::CategoryState::Won))
        return fail(tr(CannotSaveWin));
    m_panel = Panel::Won;
    const Result<Unlock::Opened> opened = m_profile.checkUnlock();
    if (!opened)
        return opened.failure();
    return openedText(*opened);
}

bool CategoryPlay::isComplete() const
{
    return solved() >= count();
}

qint16 CategoryPlay::solved() const
{
    return m_profile.solvedCount(m_category);
}

qint16 CategoryPlay::count() const
{
    return m_profile.categories().count(m_category);
}

QString CategoryPlay::solvedText() const
{
    return PageMath::solvedText(solved(), count());
}
