#pragma once

#include <QString>
#include <QUrl>

// Where the game's web site is: the pack downloads, the record page and the forum. The build
// names a default (a lumivo-site beside the game); `--site URL` or the LUMIVO_SITE environment
// variable point an installed game at a public site.
namespace SiteAddress {

// The site's root, e.g. http://127.0.0.1:8642/ or a mirror's folder, http://host/mirror/lumivo/:
// every page below lies under it.
QUrl base();
void setBase(const QUrl &root);
// Takes the address the player gave (--site URL or LUMIVO_SITE). False, with the site unchanged,
// when it is not an http(s) address with a host.
bool configure(const QString &given);

// "LumivoPro/Data/<name>" under the root.
QUrl dataFile(const QString &name);
// "LumivoPro/record.asp", where the record form posts.
QUrl recordPage();
// "forum/index.php".
QUrl forumPage();
// "/LumivoPro/ranking", the players' times.
QUrl rankingPage();

} // namespace SiteAddress
