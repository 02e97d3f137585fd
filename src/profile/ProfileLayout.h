#pragma once

#include <QByteArray>
#include <QString>

// Where each value lives in a profile file and what a new profile holds.
namespace ProfileLayout {

constexpr int UserRecord = 1;
constexpr int PasswordRecord = 2;
constexpr int GroupRecord = 3;
constexpr int CategoryRecord = 4;
constexpr int TimeRecord = 5;
constexpr int SentRecord = 6;
constexpr int FirstItemRecord = 101; // picture k lives in record k + 100

inline const QByteArray NewGroup = "1|0|0|0";
inline const QByteArray NewCategories = "1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|0|0|0|0|0";
inline const QByteArray NewTime = "000000|000000|000000|000000";

struct ListShape {
    int slotCount;
    int slotWidth; // digits of one slot
    int length;    // characters of the whole record
};

ListShape listShape(int record);

// True when a list record has exactly its slotCount, each of its digits (state slots 0 to 2).
bool isWellFormedList(int record, const QByteArray &text);

} // namespace ProfileLayout
