#pragma once

#include <QString>

namespace HtmlText {

// Text made safe for an HTML page, both between tags and inside a quoted attribute: the markup
// characters & < > " ' become entities and every character beyond ASCII a numeric character
// reference, so the page reads the same whatever encoding a browser assumes.
QString escaped(const QString &text);

} // namespace HtmlText
