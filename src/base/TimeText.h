#pragma once

#include <QString>

// Seconds as "h:mm:ss", hours without leading zeros and as many digits as they need;
// "0:00:00" for 0 or less.
QString FormatTime(qint32 lngTime);
