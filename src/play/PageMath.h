#pragma once

#include "content/ContentFiles.h"

#include <QString>

// The page arithmetic of the Classic screen: nine pictures to a page, pages counted from 1.
namespace PageMath {

constexpr int PageSize = ContentFiles::PageSize;

// The number of pages as the counter shows it, the picture count / 9 as a real number:
// "5" for 45 pictures, "2,33333333333333" for 21.
QString pagesText(int pictureCount);

// "2/5": the page on show and the number of pages.
QString positionText(int page, int pictureCount);

// "12/45": solved pictures and picture count.
QString solvedText(int solved, int pictureCount);

// The last page that holds pictures; a short last page counts as one.
int lastPage(int pictureCount);

// Which arrows are covered by their masks: back on the first page, next on the last, both
// when the first page is also the last.
struct ArrowMasks {
    bool back = false;
    bool next = false;
};
ArrowMasks arrowMasks(int page, int pictureCount);

} // namespace PageMath
