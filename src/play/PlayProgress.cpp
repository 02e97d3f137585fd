#include "play/PlayProgress.h"

#include "content/mdlGeneral.h"
#include "profile/clsUser.h"

namespace PlayProgress {

qint32 countSecond(clsUser &user, int gameType)
{
    const qint32 total = qMin(user.Time(gameType) + 1, clsUser::MaxSeconds);
    if (!user.setTime(gameType, total))
        return -1;
    return total;
}

bool isComplete(const clsUser &user, int category)
{
    return user.Risolti(category) >= mdlGeneral::GetCatCount(category);
}

} // namespace PlayProgress
