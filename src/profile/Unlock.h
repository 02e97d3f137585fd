#pragma once

#include <QByteArray>

// The fixed stages in which categories and game types open.
namespace Unlock {

struct States {
    QByteArray categories; // the Categorie record, "1|0|…" with 20 slots
    QByteArray groups;     // the Group record, 4 slots
};

// The states after the first stage whose pattern equals the categories exactly; unchanged
// when none does.
States nextStage(const States &current);

} // namespace Unlock
