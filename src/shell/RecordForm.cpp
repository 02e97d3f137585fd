#include "shell/RecordForm.h"

#include "base/HtmlText.h"
#include "profile/RecordValue.h"

namespace RecordForm {

QByteArray page(const QUrl &action, const QString &name, const std::array<qint32, 4> &times)
{
    const QStringList lines = {
        QStringLiteral("<FORM ACTION='%1' NAME='record' METHOD='POST'>")
            .arg(HtmlText::escaped(action.toString())),
        QStringLiteral("  <input type=hidden name=usr value='%1'>").arg(HtmlText::escaped(name)),
        QStringLiteral("  <input type=hidden name=val value='%1'>")
            .arg(HtmlText::escaped(RecordValue::make(times))),
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
