#include "base/HtmlText.h"

namespace HtmlText {

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype k = 0; k < text.size(); ++k) {
        const char16_t c = text[k].unicode();
        switch (c) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        case '\'':
            out += QLatin1String("&#39;");
            break;
        default:
            if (c < 0x80) {
                out += QChar(c);
            } else {
                char32_t code = c;
                // A surrogate pair is one character and one reference; a lone half becomes U+FFFD.
                if (QChar::isHighSurrogate(c) && k + 1 < text.size() && text[k + 1].isLowSurrogate())
                    code = QChar::surrogateToUcs4(c, text[++k].unicode());
                else if (QChar::isSurrogate(c))
                    code = 0xFFFD;
                out += QLatin1String("&#") + QString::number(uint(code)) + QLatin1Char(';');
            }
        }
    }
    return out;
}

} // namespace HtmlText
