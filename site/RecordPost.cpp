#include "RecordPost.h"

#include "content/Ansi.h"
#include "profile/LoginRules.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <iterator>

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Names that look like another player's. Blanks have no use in a name beyond one plain space
// between words, so a name with others (at its ends or doubled, no-break or zero-width ones,
// soft hyphens, direction marks, controls) is refused outright. The typographic marks a player
// may well mean are kept, and fold into look() instead: a name is refused only when its look is
// another player's.
bool looksLikeAnother(const QString &name)
{
    if (name.startsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char(' '))
        || name.contains(QLatin1String("  ")))
        return true;
    for (const QChar c : name) {
        switch (c.category()) {
        case QChar::Separator_Space:
            if (c != QLatin1Char(' '))
                return true;
            break;
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_NotAssigned:
        case QChar::Other_PrivateUse:
        case QChar::Mark_NonSpacing:
        case QChar::Mark_Enclosing:
            return true;
        default:
            break;
        }
    }
    return false;
}

// Marks of Windows-1252 drawn like a plainer one, and that one.
struct Lookalike {
    char16_t mark;
    char16_t plain;
};
constexpr Lookalike lookalikes[] = {
    {u'\u2019', u'\''},     // right single quote
    {u'\u2018', u'\''},     // left single quote
    {u'\u00B4', u'\''},     // acute accent
    {u'`', u'\''},          // grave accent
    {u'\u201C', u'"'},      // left double quote
    {u'\u201D', u'"'},      // right double quote
    {u'\u201E', u'"'},      // low double quote
    {u'\u2013', u'-'},      // en dash
    {u'\u2014', u'-'},      // em dash
    {u'\u02DC', u'~'},      // small tilde
    {u'\u02C6', u'^'},      // circumflex
    {u'\u201A', u','},      // low single quote
    {u'\u00BA', u'\u00B0'}, // masculine ordinal, as the degree sign
    {u'\u00B7', u'.'},      // middle dot
};

} // namespace

bool RecordPost::decodeField(QByteArray raw, QString *text)
{
    for (qsizetype k = 0; k < raw.size(); ++k) {
        if (raw[k] == '%' && (k + 2 >= raw.size() || !isHexDigit(raw[k + 1]) || !isHexDigit(raw[k + 2])))
            return false;
    }
    // A browser writes blanks as "+"; a literal "+" arrives as "%2B".
    raw.replace('+', ' ');
    const QByteArray bytes = QByteArray::fromPercentEncoding(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = utf8(bytes);
    if (utf8.hasError())
        *text = Ansi::decode(bytes);
    return true;
}

QString RecordPost::look(const QString &name)
{
    QString folded;
    folded.reserve(name.size() + 2);
    for (const QChar c : name) {
        if (c == QChar(0x2026)) { // ellipsis
            folded += QLatin1String("...");
            continue;
        }
        const auto *hit = std::find_if(std::begin(lookalikes), std::end(lookalikes),
                                       [c](const Lookalike &l) { return l.mark == c.unicode(); });
        folded += hit == std::end(lookalikes) ? c : QChar(hit->plain);
    }
    return folded;
}

RecordPost RecordPost::fromForm(const QByteArray &body)
{
    RecordPost post;
    bool haveName = false;
    bool haveValue = false;
    QString value;
    for (const QByteArray &pair : body.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        QString key;
        QString field;
        if (!decodeField(eq < 0 ? pair : pair.left(eq), &key) || !decodeField(pair.mid(eq + 1), &field)) {
            post.problem = QStringLiteral("Il modulo contiene un segno % non seguito da due cifre "
                                          "esadecimali: invia di nuovo i tempi dal gioco.");
            return post;
        }
        if (eq < 0)
            field.clear();
        bool *seen = key == QLatin1String("usr")   ? &haveName
                     : key == QLatin1String("val") ? &haveValue
                                                   : nullptr;
        if (!seen)
            continue;
        if (*seen) {
            post.problem = QStringLiteral("Il campo %1 compare più di una volta.").arg(key);
            return post;
        }
        *seen = true;
        (seen == &haveName ? post.name : value) = field;
    }
    if (!haveName || post.name.isEmpty()) {
        post.problem = QStringLiteral("Manca il nome del giocatore (campo usr).");
        return post;
    }
    if (!haveValue || value.isEmpty()) {
        post.problem = QStringLiteral("Mancano i tempi di gioco (campo val).");
        return post;
    }
    const QString nameProblem = LoginRules::problemWith(post.name, QString());
    if (!nameProblem.isEmpty()) {
        post.problem = nameProblem;
        return post;
    }
    if (looksLikeAnother(post.name)) {
        post.problem
            = QStringLiteral("Il nome contiene spazi in testa o in coda, spazi doppi, spazi speciali o "
                             "caratteri invisibili, e sembrerebbe il nome di un altro: usa lettere, "
                             "cifre, segni comuni e un solo spazio tra le parole.");
        return post;
    }
    const auto times = RecordValue::parse(value);
    if (!times) {
        post.problem
            = QStringLiteral("I tempi (campo val) non sono validi: servono i quattro tempi di Classic, "
                             "Bonus, Alpha e Puzzle in secondi, ciascuno di almeno sei cifre, scritti "
                             "di seguito (24 cifre).");
        return post;
    }
    post.times = *times;
    return post;
}
