#pragma once

#include <QString>
#include <optional>

// The language the player reads. Italian is the game's own, whatever the system's locale; English
// is there for whoever asks for it with --lang en or LUMIVO_LANG=en. The texts are written in
// Italian and translated through Qt's translation system; film titles and category names are
// content and stay as they are.
namespace Language {

enum class Choice { Italian, English };

// The language of a code as --lang and LUMIVO_LANG take it: "it" or "en" (also "en_GB", "en-US",
// "it_IT", in any letter case); nothing for a language the game does not have.
std::optional<Choice> fromCode(const QString &code);

// Puts the running application in `choice`: in English with the program's own catalogue
// (":/i18n/<program>_en.qm", built into the program) and Qt's texts as Qt writes them; in Italian
// with Qt's Italian texts ("Sì", "No"). Replaces what an earlier call installed. A catalogue that
// cannot be loaded leaves the program in Italian.
void install(Choice choice, const QString &program);

// What install() put in place last; Italian before any call.
Choice current();

// "it" or "en", as --lang takes it.
QString code(Choice choice);

} // namespace Language
