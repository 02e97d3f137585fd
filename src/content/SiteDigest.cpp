#include "content/SiteDigest.h"

#include <QCoreApplication>

#include <algorithm>

namespace SiteDigest {

namespace {
constexpr int DigestSize = 32;
constexpr int HexSize = 2 * DigestSize;

QString notAList()
{
    return QCoreApplication::translate("SiteDigest", "non è un elenco di impronte nella forma sha-256=:…:");
}

bool isKeyStart(char c)
{
    return (c >= 'a' && c <= 'z') || c == '*';
}

bool isKeyChar(char c)
{
    return isKeyStart(c) || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.';
}

bool isBase64Char(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/'
           || c == '=';
}

// A walk through a structured-field dictionary: `key[=item](;key[=item])*, …`. Only byte
// sequences are kept; the other items (strings, tokens, numbers) are stepped over so that a
// member of another kind does not spoil the list.
class DictionaryReader
{
public:
    explicit DictionaryReader(const QByteArray &text)
        : m_text(text)
    { }

    bool atEnd() const { return m_at >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text.at(m_at); }
    bool take(char c)
    {
        if (peek() != c)
            return false;
        ++m_at;
        return true;
    }
    void skipBlanks()
    {
        while (peek() == ' ' || peek() == '\t')
            ++m_at;
    }

    std::optional<QByteArray> key()
    {
        if (!isKeyStart(peek()))
            return std::nullopt;
        const qsizetype from = m_at;
        while (isKeyChar(peek()))
            ++m_at;
        return m_text.mid(from, m_at - from);
    }

    // An item after "="; `bytes` gets a byte sequence's content, still in base64.
    bool item(std::optional<QByteArray> *bytes)
    {
        if (take(':')) {
            const qsizetype from = m_at;
            while (isBase64Char(peek()))
                ++m_at;
            *bytes = m_text.mid(from, m_at - from);
            return take(':');
        }
        if (take('"')) {
            while (!atEnd() && peek() != '"') {
                if (take('\\') && atEnd())
                    return false;
                ++m_at;
            }
            return take('"');
        }
        const qsizetype from = m_at;
        while (!atEnd() && peek() != ';' && peek() != ',' && peek() != ' ' && peek() != '\t')
            ++m_at;
        return m_at > from;
    }

private:
    const QByteArray &m_text;
    qsizetype m_at = 0;
};
} // namespace

Result<std::optional<QByteArray>> fromField(const QByteArray &field)
{
    DictionaryReader reader(field);
    std::optional<QByteArray> sha256;
    bool named = false;
    reader.skipBlanks();
    while (true) {
        const std::optional<QByteArray> key = reader.key();
        if (!key)
            return fail(notAList());
        std::optional<QByteArray> bytes;
        if (reader.take('=') && !reader.item(&bytes))
            return fail(notAList());
        while (reader.take(';')) {
            reader.skipBlanks();
            std::optional<QByteArray> ignored;
            if (!reader.key() || (reader.take('=') && !reader.item(&ignored)))
                return fail(notAList());
        }
        if (*key == "sha-256") {
            named = true;
            sha256 = bytes ? QByteArray::fromBase64Encoding(*bytes, QByteArray::AbortOnBase64DecodingErrors)
                                 .decoded
                           : QByteArray();
        }
        reader.skipBlanks();
        if (reader.atEnd())
            break;
        if (!reader.take(','))
            return fail(notAList());
        reader.skipBlanks();
    }
    if (!named)
        return std::optional<QByteArray>();
    if (sha256->size() != DigestSize)
        return fail(
            QCoreApplication::translate("SiteDigest", "l'impronta sha-256 non è di 32 byte in base64"));
    return sha256;
}

Result<QHash<QString, QByteArray>> fromList(const QByteArray &text)
{
    const auto isHex = [](const QByteArray &field) {
        return field.size() == HexSize && std::all_of(field.begin(), field.end(), [](char c) {
                   return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
               });
    };
    QHash<QString, QByteArray> digests;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray line = QByteArray(lines[n]).replace('\t', ' ').trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype firstGap = line.indexOf(' ');
        const qsizetype lastGap = line.lastIndexOf(' ');
        QByteArray hex;
        QByteArray name;
        if (firstGap > 0 && isHex(line.left(firstGap))) {
            hex = line.left(firstGap);
            name = line.mid(firstGap).trimmed();
            if (name.startsWith('*')) // sha256sum's mark of a file read as binary
                name.remove(0, 1);
        } else if (lastGap > 0 && isHex(line.mid(lastGap + 1))) {
            hex = line.mid(lastGap + 1);
            name = line.left(lastGap).trimmed();
        }
        name = name.mid(name.lastIndexOf('/') + 1);
        if (hex.isEmpty() || name.isEmpty())
            return fail(QCoreApplication::translate(
                            "SiteDigest", "la riga %1 non è un'impronta di 64 cifre esadecimali con il nome "
                                          "di un file")
                            .arg(n + 1));
        const QString file = QString::fromUtf8(name);
        const QByteArray digest = QByteArray::fromHex(hex);
        if (digests.contains(file) && digests.value(file) != digest)
            return fail(QCoreApplication::translate("SiteDigest",
                                                    "la riga %1 dà un'altra impronta a un file già elencato")
                            .arg(n + 1));
        digests.insert(file, digest);
    }
    return digests;
}

} // namespace SiteDigest
