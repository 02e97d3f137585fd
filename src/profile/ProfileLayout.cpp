#include "profile/ProfileLayout.h"

#include <QRegularExpression>

namespace ProfileLayout {

ListShape listShape(int record)
{
    switch (record) {
    case GroupRecord:
        return {4, 1, 7};
    case CategoryRecord:
        return {20, 1, 39};
    default:
        return {4, 6, 27};
    }
}

bool isWellFormedList(int record, const QByteArray &text)
{
    static const QRegularExpression groupPattern(QStringLiteral("^[012](\\|[012]){3}$"));
    static const QRegularExpression categoryPattern(QStringLiteral("^[012](\\|[012]){19}$"));
    static const QRegularExpression timePattern(QStringLiteral("^[0-9]{6}(\\|[0-9]{6}){3}$"));
    const QString latin = QString::fromLatin1(text);
    switch (record) {
    case GroupRecord:
        return groupPattern.match(latin).hasMatch();
    case CategoryRecord:
        return categoryPattern.match(latin).hasMatch();
    case TimeRecord:
        return timePattern.match(latin).hasMatch();
    default:
        return false;
    }
}

} // namespace ProfileLayout
