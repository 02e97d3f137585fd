#pragma once

#include "base/GameTypes.h"
#include "base/Result.h"

#include <QCoreApplication>
#include <QString>
#include <array>

// The twenty categories: their fixed names, and the picture counts of Data/index.lvs, which
// also number the pictures across categories.
class CategoryTable
{
    Q_DECLARE_TR_FUNCTIONS(CategoryTable)

public:
    // The name of category 1 to 20; empty for any other number.
    static QString name(int category);
    // "La categoria 23 non esiste.", for a number that names no category.
    static QString noSuchCategory(int category);

    // Reads the picture counts from Data/index.lvs, opened read-only. Fails with a message for the
    // player when the Data folder is missing or index.lvs cannot be read (a folder, a pipe, a
    // device); a missing index.lvs is created empty where it can be, and every count reads 0.
    Result<> load();

    // Pictures in category 1 to 20; 0 for any other number.
    qint16 count(int category) const;

    // Pictures in all categories before `category`; 0 for category 1 or less, -1 when the counts
    // cannot be summed (a negative count, or more pictures than the profile can number).
    qint16 itemBase(int category) const;
    // Pictures in all twenty categories; -1 as above.
    qint16 totalPictures() const { return itemBase(Game::CategoryCount + 1); }

    // The Classic category that holds global picture n; 0 when none does.
    int genreCategoryOf(int picture) const;

private:
    std::array<qint16, Game::CategoryCount + 1> m_counts {}; // element 0 unused
};
