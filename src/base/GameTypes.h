#pragma once

#include <QString>

// Names, numbers and states the whole game shares.
namespace Game {

inline const QString ProductTitle = QStringLiteral("Lumivo Pro");

constexpr int CategoryCount = 20;
// The number the Alpha board plays under where a category number is expected.
constexpr int AlphaCategory = 21;

// Game-type numbers: slot order of the profile's game-type and time lists, so they index them.
enum GameType { Classic = 1, Bonus = 2, Alpha = 3, Puzzle = 4 };

// A category's state and a game type's state, with the digits the profile stores for them.
enum class CategoryState : qint16 { Locked = 0, Open = 1, Won = 2 };
enum class GameTypeState : qint16 { Locked = 0, Open = 1, Completed = 2 };

inline bool isCategory(int category)
{
    return category >= 1 && category <= CategoryCount;
}

// The screens are laid out in twips, fifteen to a pixel.
constexpr int TwipsPerPixel = 15;

} // namespace Game
