#include "shell/RecordForm.h"

#include "profile/RecordValue.h"

namespace RecordForm {

QString escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QStringLiteral("&amp;");
            break;
        case '<':
            out += QStringLiteral("&lt;");
            break;
        case '>':
            out += QStringLiteral("&gt;");
            break;
        case '\'':
            out += QStringLiteral("&#39;");
            break;
        case '"':
            out += QStringLiteral("&quot;");
            break;
        default:
            if (c.unicode() < 128)
                out += c;
            else
                out += QStringLiteral("&#%1;").arg(c.unicode());
        }
    }
    return out;
}

QByteArray page(const QUrl &action, const QString &name, const std::array<qint32, 4> &times)
{
    const QStringList lines = {
        QStringLiteral("<FORM ACTION='%1' NAME='record' METHOD='POST'>").arg(escaped(action.toString())),
        QStringLiteral("  <input type=hidden name=usr value='%1'>").arg(escaped(name)),
        QStringLiteral("  <input type=hidden name=val value='%1'>").arg(escaped(RecordValue::make(times))),
        QStringLiteral("</FORM>"),
        QStringLiteral("       "),
        QStringLiteral("<script language='vbscript'>"),
        QStringLiteral("  record.submit"),
        QStringLiteral("</script>"),
    };
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

} // namespace RecordForm
