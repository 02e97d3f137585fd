#pragma once

#include <QString>
#include <QtGlobal>

// The time of a still in a film, in microseconds from the film's start.
namespace GrabTime {

// "HH:MM:SS.mmm", "MM:SS.mmm" or seconds ("1872.5"); −1 for anything else.
qint64 parse(const QString &text);
// "01:02:03.500"
QString format(qint64 microseconds);

} // namespace GrabTime
