// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The WebDAV multistatus answers of PROPFIND and REPORT, read into the client's own structures.
// Elements are told apart by their namespace and local name, never by the prefix a server chose.

#include "platform/network/CalDavClient.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace Multistatus {

// An href as a path on the collection's server, percent-decoded where that is safe to read
// ("%20" becomes a space, "%2F" and "%25" stay) so that it can be sent back as it is.
QString hrefPath(const QString &href, const QUrl &collection);

// The members a Depth 1 PROPFIND or a sync-collection REPORT lists, with the answer's sync token.
// The collection's own entry is left out. Nothing when the answer is not a DAV:multistatus.
std::optional<CalDavClient::Listing> listing(const QByteArray &xml, const QUrl &collection);

// The collection's properties from a Depth 0 PROPFIND.
std::optional<CalDavClient::CollectionInfo> collectionInfo(const QByteArray &xml);

// Whether an error answer's DAV:error body names the precondition DAV:<name>.
bool namesPrecondition(const QByteArray &xml, const QString &name);

} // namespace Multistatus
