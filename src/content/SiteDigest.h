#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

// The SHA-256 digests a site gives for the files of its Data folder, so a download can be held to
// the site's own bytes: in a Repr-Digest field of the answer (RFC 9530, e.g.
// `sha-256=:X48E9qOokqqrvdts8nOJRJN3OWDUoyWxBf7kbu9DBPE=:`) and in Data/index.sha256, which lists
// them as sha256sum writes them. Problems come as lower-case phrases for the caller's sentence.
namespace SiteDigest {

inline const QString ListFile = QStringLiteral("Data/index.sha256");
// More is no list of twenty-odd files.
constexpr int MaxListSize = 64 * 1024;

// The 32-byte sha-256 member of a Repr-Digest field; nothing when the field names only other
// algorithms. A field that is not a list of digests, or whose sha-256 is not 32 bytes of base64,
// fails.
Result<std::optional<QByteArray>> fromField(const QByteArray &field);

// File name -> 32-byte digest, from lines "HEX  NAME" (or "NAME  HEX"; the field of 64 hex digits
// is the digest); blank lines are skipped, a folder before the name is dropped. A line that is
// neither, or a name listed twice with two digests, fails.
Result<QHash<QString, QByteArray>> fromList(const QByteArray &text);

} // namespace SiteDigest
