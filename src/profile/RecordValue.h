#pragma once

#include <QString>

#include <array>
#include <optional>

// The record value a player's times travel in: the four play times in game-type order (Classic,
// Bonus, Alpha, Puzzle), each as zero-padded decimal digits, concatenated without separators.
// Times up to 999999 s take six digits each, 24 in all. When a time needs more digits, all four
// are written at the width of the widest, so a longer value splits into four equal fields.
namespace RecordValue {

using Times = std::array<qint32, 4>;

// The digits for four times; a negative time is written as 0.
QString make(const Times &times);

// The four times of a value: 24 digits, or more when its length is a multiple of four, in four
// fields of equal width of at most ten digits, each at most 2147483647. Nothing else is read,
// since any other split would be a guess.
std::optional<Times> parse(const QString &value);

} // namespace RecordValue
