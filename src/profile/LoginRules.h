#pragma once

#include <QString>

// What a name or password must be for the profile to hold it and for the name to be a safe
// file name on every system the profile may travel to.
namespace LoginRules {

// The message to show for a name or password the profile cannot take; empty when both are fine.
QString problemWith(const QString &name, const QString &password);

} // namespace LoginRules
