#pragma once

#include "base/GameTypes.h"

#include <QRect>
#include <QSize>

// Where the selection screens lay a category's solved count over its thumbnail, in the
// thumbnail's pixels: the thumbnail packs keep that place free of their own drawing. Laid out in
// twips, fifteen to a pixel, as the screens are.
namespace ThumbnailLayout {

inline constexpr QSize SizeTwips(3000, 1500);
inline constexpr QSize Size(SizeTwips.width() / Game::TwipsPerPixel,
                            SizeTwips.height() / Game::TwipsPerPixel);

// The count's place on the thumbnail of `category`: Classic categories have a narrower count than
// the themed ones.
inline QRect countPlace(int category)
{
    const bool genre = category >= 1 && category <= 9;
    const QPoint offset = genre ? QPoint(2040, 1200) : QPoint(1800, 1200);
    const QSize size = genre ? QSize(855, 255) : QSize(1095, 255);
    return QRect(offset / Game::TwipsPerPixel, size / Game::TwipsPerPixel);
}

} // namespace ThumbnailLayout
