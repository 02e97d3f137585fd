#pragma once

#include "base/Result.h"

#include <QString>
#include <QVector>

// One line of the page list Temp/~temp.tmp: "cc:pp:kkkk:nnn:title".
struct PageLine {
    QString category; // two digits
    QString page;     // two digits
    QString line;     // four digits: also the number of the picture file kkkk.tmp
    int picture = 0;  // global picture number
    QString title;    // plain title

    // Category, page and line written together: the picture code shown with F1.
    QString code() const { return category + page + line; }
    // Temp/kkkk.tmp
    QString picturePath() const;
};

// Reads the page list; fails with a message for the player when it is missing or a line lacks its
// five fields or a number.
Result<QVector<PageLine>> readPageList();
