#include "profile/Unlock.h"

namespace Unlock {

namespace {
struct Stage {
    const char *pattern;
    const char *categories; // nullptr: categories stay
    const char *groups;     // nullptr: game types stay
};

// Each pattern is the previous stage's result with all of that stage's open categories won.
constexpr Stage Stages[] = {
    {"2|0|0|0|2|0|2|2|0|0|0|0|0|0|0|0|0|0|0|0", "2|1|1|0|2|0|2|2|0|0|0|0|0|1|0|1|0|0|0|0", "1|1|0|0"},
    {"2|2|2|0|2|0|2|2|0|0|0|0|0|2|0|2|0|0|0|0", "2|2|2|0|2|0|2|2|1|0|0|0|1|2|0|2|1|0|0|0", nullptr},
    {"2|2|2|0|2|0|2|2|2|0|0|0|2|2|0|2|2|0|0|0", "2|2|2|0|2|1|2|2|2|1|0|0|2|2|1|2|2|1|0|0", "1|1|0|1"},
    {"2|2|2|0|2|2|2|2|2|2|0|0|2|2|2|2|2|2|0|0", "2|2|2|1|2|2|2|2|2|2|1|1|2|2|2|2|2|2|0|1", nullptr},
    {"2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|0|2", nullptr, "2|2|1|1"},
    {"2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2|2", nullptr, "2|2|2|2"},
};
} // namespace

States nextStage(const States &current)
{
    for (const Stage &stage : Stages) {
        if (current.categories != stage.pattern)
            continue;
        States next = current;
        if (stage.categories)
            next.categories = stage.categories;
        if (stage.groups)
            next.groups = stage.groups;
        return next;
    }
    return current;
}

namespace {
QVector<int> openedSlots(const QByteArray &before, const QByteArray &after)
{
    const QList<QByteArray> was = before.split('|');
    const QList<QByteArray> now = after.split('|');
    QVector<int> numbers;
    for (int i = 0; i < now.size(); ++i) {
        if (now[i] != "0" && was.value(i, "0") == "0")
            numbers.append(i + 1);
    }
    return numbers;
}
} // namespace

Opened opened(const States &before, const States &after)
{
    return {openedSlots(before.groups, after.groups), openedSlots(before.categories, after.categories)};
}

} // namespace Unlock
