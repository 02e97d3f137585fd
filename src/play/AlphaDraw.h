#pragma once

#include "play/AlphaBoard.h"

#include <QByteArray>
#include <QVector>

#include <functional>
#include <optional>

class QRandomGenerator;

// The random choice of the fifteen pictures of an Alpha board.
namespace AlphaDraw {

// The title of a global picture number, Windows-1252 bytes.
using TitleLookup = std::function<QByteArray(int)>;

// Fifteen distinct pictures from the candidates, in slot order, arranged so that the board can be
// solved. A title that is empty, occurs inside a title drawn earlier or compares equal to one
// (AlphaBoard::compareTitles) is refused. Every candidate is tried at most once; nothing when
// fewer than fifteen can be drawn.
std::optional<QVector<AlphaTile>> draw(const QVector<int> &candidates, const TitleLookup &titleOf,
                                       QRandomGenerator &random);

} // namespace AlphaDraw
