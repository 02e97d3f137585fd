#include "base/SiteAddress.h"

#include "base/SitePaths.h"

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

// `path` under the site's root, which may itself be a path (a mirror under /mirror/lumivo/).
QUrl onSite(const QString &path)
{
    QUrl url = root().adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    QString prefix = url.path(QUrl::FullyEncoded);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    // The site's own paths begin with "/": below a mirror's path they go on from it.
    url.setPath(prefix + path.mid(path.startsWith(QLatin1Char('/')) ? 1 : 0), QUrl::TolerantMode);
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

bool configure(const QString &given)
{
    const QUrl url = QUrl::fromUserInput(given);
    if (!isWebAddress(url))
        return false;
    setBase(url);
    return true;
}

QUrl dataFile(const QString &name)
{
    return onSite(QLatin1String(SitePaths::DataPrefix) + name);
}

QUrl recordPage()
{
    return onSite(QLatin1String(SitePaths::Record));
}

QUrl forumPage()
{
    return onSite(QLatin1String(SitePaths::Forum));
}

QUrl rankingPage()
{
    return onSite(QLatin1String(SitePaths::Ranking));
}

} // namespace SiteAddress
