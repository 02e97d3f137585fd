#include "RecordPost.h"

#include "content/Ansi.h"
#include "profile/LoginRules.h"

#include <QList>
#include <QStringDecoder>

namespace {

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A name that would look like another in the ranking: blanks at its ends or two in a row, blanks
// other than the plain one, characters that show nothing (soft hyphen, zero-width and direction
// marks, controls).
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
