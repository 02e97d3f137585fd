#pragma once

#include <QString>

// How a typed title is compared with the stored one. Both sides lose their "," ";" ":" "." and
// are lower-cased; blanks, apostrophes, hyphens, digits and accents must be typed as stored.

// The text without , ; : . in lower case; nothing is trimmed.
QString NormaliseTitle(const QString &text);

// True when the typed text names the stored title.
bool TitleMatches(const QString &typed, const QString &stored);
