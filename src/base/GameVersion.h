#pragma once

#include <QString>

// "Versione 1.9.2" from the program's own version numbers.
QString versionText();
