#pragma once

#include <QByteArray>
#include <QVector>

// The fixed stages in which categories and game types open.
namespace Unlock {

struct States {
    QByteArray categories; // the Categorie record, "1|0|…" with 20 slots
    QByteArray groups;     // the Group record, 4 slots
};

// The states after the first stage whose pattern equals the categories exactly; unchanged
// when none does.
States nextStage(const States &current);

// What a change of states opened: the game types and the categories whose slot went from locked
// (0) to anything else, in slot order.
struct Opened {
    QVector<int> gameTypes;
    QVector<int> categories;
    bool isEmpty() const { return gameTypes.isEmpty() && categories.isEmpty(); }
};
Opened opened(const States &before, const States &after);

} // namespace Unlock
