#include "play/PlayClock.h"

#include "profile/Profile.h"

namespace {
const char *const CannotSaveTime = QT_TRANSLATE_NOOP(
    "PlayClock", "Impossibile salvare il tempo di gioco nel file utente: controlla che la cartella User "
                 "esista e che si possa scrivere. Il tempo non viene più contato.");
} // namespace

PlayClock::PlayClock(Profile &profile, int gameType)
    : m_profile(profile)
    , m_gameType(gameType)
{ }

qint32 PlayClock::total() const
{
    return m_profile.playTime(m_gameType);
}

Result<> PlayClock::restartFromZero()
{
    if (m_profile.setPlayTime(m_gameType, 0)) {
        start();
        return {};
    }
    stop();
    return fail(tr(CannotSaveTime));
}

Result<qint32> PlayClock::tick()
{
    if (!isRunning())
        return total();
    const qint32 next = qMin(total() + 1, Profile::MaxSeconds);
    if (m_profile.setPlayTime(m_gameType, next))
        return next;
    stop();
    return fail(tr(CannotSaveTime));
}
