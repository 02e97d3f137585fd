#include "play/PageMath.h"

#include <QLocale>

namespace PageMath {

QString pagesText(int pictureCount)
{
    // Fifteen significant digits and the player's decimal comma, as the game always wrote it.
    QLocale italian(QLocale::Italian, QLocale::Italy);
    italian.setNumberOptions(QLocale::OmitGroupSeparator);
    return italian.toString(double(pictureCount) / PageSize, 'g', 15);
}

QString positionText(int page, int pictureCount)
{
    return QString::number(page) + QLatin1Char('/') + pagesText(pictureCount);
}

QString solvedText(int solved, int pictureCount)
{
    return QString::number(solved) + QLatin1Char('/') + QString::number(pictureCount);
}

int lastPage(int pictureCount)
{
    return pictureCount <= 0 ? 0 : (pictureCount + PageSize - 1) / PageSize;
}

ArrowMasks arrowMasks(int page, int pictureCount)
{
    ArrowMasks masks;
    masks.back = page <= 1;
    masks.next = page >= lastPage(pictureCount);
    return masks;
}

} // namespace PageMath
