#include "base/SiteAddress.h"

#include <QStringList>

#ifndef LUMIVO_DEFAULT_SITE
#define LUMIVO_DEFAULT_SITE "http://127.0.0.1:8642/"
#endif

namespace SiteAddress {

namespace {
QUrl &root()
{
    static QUrl site(QStringLiteral(LUMIVO_DEFAULT_SITE));
    return site;
}

QUrl onSite(const QString &path)
{
    QUrl url = root();
    url.setPath(path);
    return url;
}

bool isWebAddress(const QUrl &url)
{
    return url.isValid() && !url.host().isEmpty()
           && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}
} // namespace

QUrl base()
{
    return root();
}

void setBase(const QUrl &site)
{
    root() = site;
}

bool configure(const QStringList &arguments)
{
    QString given = qEnvironmentVariable("LUMIVO_SITE");
    const int option = int(arguments.indexOf(QStringLiteral("--site")));
    if (option >= 0 && option + 1 < arguments.size())
        given = arguments.at(option + 1);
    if (given.isEmpty())
        return true;
    const QUrl url = QUrl::fromUserInput(given);
    if (!isWebAddress(url))
        return false;
    setBase(url);
    return true;
}

QUrl dataFile(const QString &name)
{
    return onSite(QStringLiteral("/LumivoPro/Data/") + name);
}

QUrl recordPage()
{
    return onSite(QStringLiteral("/LumivoPro/record.asp"));
}

QUrl forumPage()
{
    return onSite(QStringLiteral("/forum/index.php"));
}

QUrl rankingPage()
{
    return onSite(QStringLiteral("/LumivoPro/ranking"));
}

} // namespace SiteAddress
