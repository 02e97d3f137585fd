#include "play/CategoryPlay.h"

#include "base/Messages.h"
#include "base/mdlConst.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "content/mdlGeneral.h"
#include "play/PageMath.h"
#include "play/TitleMatch.h"
#include "profile/clsUser.h"

const QString CategoryPlay::WinMessage
    = QStringLiteral("Complimenti, hai vinto questa categoria; controlla se sono disponibili nuove opzioni. "
                     "Potrai consultare questa categoria in qualsiasi momento.");

namespace {
const QString CannotSaveSolve = QStringLiteral(
    "Impossibile salvare la soluzione nel file utente: controlla che la cartella User esista e "
    "che si possa scrivere. L'immagine resta da indovinare.");
const QString CannotSaveWin = QStringLiteral(
    "Impossibile salvare la vittoria della categoria nel file utente: controlla che la cartella "
    "User esista e che si possa scrivere.");
} // namespace

bool PreparePage(clsUser &user, QString *error)
{
    const qint16 base = GetItemBase(user.curcat);
    if (base < 0) {
        if (error)
            *error = ContentFiles::damagedMessage(ContentFiles::CountsIndex,
                                                  QStringLiteral("i numeri delle immagini non tornano"));
        return false;
    }
    // One opening of the profile for all of the category's flags.
    user.curPage = ContentFiles::isGenre(user.curcat)
                       ? FindOpenPage(user.Items(base + 1, mdlGeneral::GetCatCount(user.curcat)))
                       : qint16(0);
    return ExtractPage(user.curcat, user.curPage, base, error);
}

CategoryPlay::CategoryPlay(clsUser &user, int category, int gameType)
    : m_user(user)
    , m_category(category)
    , m_clock(user, gameType)
{ }

CategoryPlay::Panel CategoryPlay::open()
{
    m_panel = isComplete() ? Panel::Hidden : Panel::Instructions;
    return m_panel;
}

void CategoryPlay::panelClicked()
{
    m_panel = Panel::Hidden;
    if (m_user.Categorie(m_category) == mdlConst::CategoryState::Open)
        m_clock.start();
}

CategoryPlay::Typed CategoryPlay::typed(int picture, const QString &typed, const QString &title)
{
    if (!m_ready || !TitleMatches(typed, title))
        return Typed::NoMatch;
    // The profile first: a picture shows solved only once the solve is on disk.
    if (!m_user.setItem(picture, 1)) {
        Messages::warn(CannotSaveSolve);
        return Typed::NotSaved;
    }
    return isComplete() ? win() : Typed::Solved;
}

CategoryPlay::Typed CategoryPlay::win()
{
    m_clock.stop();
    if (!m_user.setCategorie(m_category, mdlConst::CategoryState::Won)) {
        Messages::warn(CannotSaveWin);
        return Typed::Solved;
    }
    m_panel = Panel::Won;
    m_user.CheckUnlock();
    return Typed::Won;
}

bool CategoryPlay::isComplete() const
{
    return solved() >= count();
}

qint16 CategoryPlay::solved() const
{
    return m_user.Risolti(m_category);
}

qint16 CategoryPlay::count() const
{
    return mdlGeneral::GetCatCount(m_category);
}

QString CategoryPlay::solvedText() const
{
    return PageMath::solvedText(solved(), count());
}
