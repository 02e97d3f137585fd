#include "select/SelectionGrid.h"
#include "content/ContentFiles.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "profile/Profile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace SelectionGrid {

namespace {
const Variant ClassicVariant {QStringLiteral("frmClassic"),
                              QT_TRANSLATE_NOOP("SelectionGrid", "Classic"),
                              Game::Classic,
                              1,
                              9,
                              0,
                              3,
                              3,
                              QSize(9480, 4845),
                              {120, 3240, 6360},
                              {120, 1680, 3240},
                              false};
const Variant BonusVariant {QStringLiteral("frmBonus"),
                            QT_TRANSLATE_NOOP("SelectionGrid", "Bonus"),
                            Game::Bonus,
                            10,
                            17,
                            9,
                            2,
                            4,
                            QSize(6375, 6675),
                            {120, 3240},
                            {120, 1800, 3360, 5040},
                            false};
const Variant PuzzleVariant {QStringLiteral("frmPuzzle"),
                             QT_TRANSLATE_NOOP("SelectionGrid", "Puzzle"),
                             Game::Puzzle,
                             18,
                             20,
                             17,
                             3,
                             1,
                             QSize(9480, 1770),
                             {120, 3240, 6360},
                             {120},
                             true};

QSize toPixels(const QSize &twips)
{
    return QSize(pixels(twips.width()), pixels(twips.height()));
}
} // namespace

QSize Variant::clientSize() const
{
    return toPixels(clientTwips);
}

QRect Variant::thumbPlace(int index) const
{
    if (index < 1 || index > count())
        return QRect();
    const int column = (index - 1) % columns;
    const int row = (index - 1) / columns;
    return QRect(QPoint(pixels(columnLefts.value(column)), pixels(rowTops.value(row))), toPixels(ThumbTwips));
}

QRect Variant::labelPlace(int index) const
{
    const QRect thumb = thumbPlace(index);
    if (thumb.isNull())
        return QRect();
    return labelOnThumb().translated(thumb.topLeft());
}

QRect Variant::labelOnThumb() const
{
    return ThumbnailLayout::countPlace(firstCategory);
}

const Variant *variant(int gameType)
{
    switch (gameType) {
    case Game::Classic:
        return &ClassicVariant;
    case Game::Bonus:
        return &BonusVariant;
    case Game::Puzzle:
        return &PuzzleVariant;
    default:
        return nullptr;
    }
}

QString CategoryEntry::caption() const
{
    return QString::number(solved) + QLatin1Char('/') + QString::number(total);
}

CategoryEntry readCategory(const Profile &profile, int category)
{
    CategoryEntry entry;
    entry.category = category;
    entry.state = profile.categoryState(category);
    entry.solved = profile.solvedCount(category);
    entry.total = profile.categories().count(category);
    // A locked category is never offered, so its pack does not matter.
    if (entry.isOffered())
        entry.packPresent = QFileInfo(ContentFiles::packPath(category)).isFile();
    return entry;
}

QString missingFilesText()
{
    return QCoreApplication::translate(
        "SelectionGrid", "Alcune categorie, sebbene attivate, non possono essere giocate perché "
                         "non è presente il rispettivo file; per giocarle tornare alla finestra "
                         "precedente e cliccare la scritta Lumivo Pro (Aggiornamenti) e "
                         "scaricare il gruppo desiderato.");
}

QString missingFilesTitle()
{
    return QCoreApplication::translate("SelectionGrid", "File Mancanti");
}

QString caption(const Variant &variant)
{
    return QCoreApplication::translate("SelectionGrid", variant.caption);
}

} // namespace SelectionGrid
