#include "play/PlayClock.h"

#include "base/Messages.h"
#include "profile/clsUser.h"

namespace {
const QString CannotSaveTime = QStringLiteral(
    "Impossibile salvare il tempo di gioco nel file utente: controlla che la cartella User esista "
    "e che si possa scrivere. Il tempo non viene più contato.");
} // namespace

PlayClock::PlayClock(clsUser &user, int gameType)
    : m_user(user)
    , m_gameType(gameType)
{ }

qint32 PlayClock::total() const
{
    return m_user.Time(m_gameType);
}

bool PlayClock::restartFromZero()
{
    if (m_user.setTime(m_gameType, 0)) {
        start();
        return true;
    }
    stop();
    Messages::warn(CannotSaveTime);
    return false;
}

qint32 PlayClock::tick()
{
    if (!isRunning())
        return total();
    const qint32 next = qMin(total() + 1, clsUser::MaxSeconds);
    if (m_user.setTime(m_gameType, next))
        return next;
    stop();
    Messages::warn(CannotSaveTime);
    return -1;
}
