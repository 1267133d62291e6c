// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/network/Multistatus.h"

#include <QXmlStreamReader>

#include <vector>

namespace {

const QString dav = QStringLiteral("DAV:");
const QString caldav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
const QString calendarServer = QStringLiteral("http://calendarserver.org/ns/");

// Deeper than any answer we ask for; a deeper one is refused rather than read recursively.
constexpr int maxDepth = 32;

struct Element
{
    QString ns;
    QString name;
    QString text;
    QString compName; // the name attribute, which is all C:comp carries
    std::vector<Element> children;

    bool is(const QString &n, const QString &local) const { return ns == n && name == local; }
    const Element *child(const QString &n, const QString &local) const
    {
        for (const Element &c : children)
            if (c.is(n, local))
                return &c;
        return nullptr;
    }
    QString childText(const QString &n, const QString &local) const
    {
        const Element *c = child(n, local);
        return c ? c->text.trimmed() : QString();
    }
};

bool readElement(QXmlStreamReader &reader, Element &element, int depth)
{
    if (depth > maxDepth)
        return false;
    element.ns = reader.namespaceUri().toString();
    element.name = reader.name().toString();
    element.compName = reader.attributes().value(QLatin1String("name")).toString();
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            element.children.emplace_back();
            if (!readElement(reader, element.children.back(), depth + 1))
                return false;
            break;
        case QXmlStreamReader::Characters:
            element.text += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            return true;
        default:
            break;
        }
    }
    return false;
}

// The whole document, or nothing when it is not well-formed.
std::optional<Element> parse(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    Element root;
    if (!reader.readNextStartElement() || !readElement(reader, root, 0))
        return std::nullopt;
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError())
        return std::nullopt;
    return root;
}

std::optional<Element> parseMultistatus(const QByteArray &xml)
{
    std::optional<Element> root = parse(xml);
    if (!root || !root->is(dav, QStringLiteral("multistatus")))
        return std::nullopt;
    return root;
}

// "HTTP/1.1 200 OK" gives 200.
int statusCode(const Element &parent)
{
    return parent.childText(dav, QStringLiteral("status")).section(QLatin1Char(' '), 1, 1).toInt();
}

// The properties of every propstat that the server answered with 200.
std::vector<const Element *> foundProps(const Element &response)
{
    std::vector<const Element *> props;
    for (const Element &propstat : response.children) {
        const Element *prop = propstat.child(dav, QStringLiteral("prop"));
        if (propstat.is(dav, QStringLiteral("propstat")) && prop && statusCode(propstat) / 100 == 2)
            props.push_back(prop);
    }
    return props;
}

QString withoutTrailingSlash(QString path)
{
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

namespace Multistatus {

QString hrefPath(const QString &href, const QUrl &collection)
{
    return collection.resolved(QUrl(href)).path(QUrl::PrettyDecoded);
}

std::optional<CalDavClient::Listing> listing(const QByteArray &xml, const QUrl &collection)
{
    std::optional<Element> root = parseMultistatus(xml);
    if (!root)
        return std::nullopt;
    const QString own = withoutTrailingSlash(collection.path(QUrl::PrettyDecoded));
    CalDavClient::Listing result;
    result.syncToken = root->childText(dav, QStringLiteral("sync-token"));
    for (const Element &response : root->children) {
        const QString href = response.childText(dav, QStringLiteral("href"));
        if (!response.is(dav, QStringLiteral("response")) || href.isEmpty())
            continue;
        CalDavClient::Member member;
        member.href = hrefPath(href, collection);
        if (withoutTrailingSlash(member.href) == own)
            continue;
        member.removed = statusCode(response) == 404;
        for (const Element *prop : foundProps(response))
            if (const Element *etag = prop->child(dav, QStringLiteral("getetag")))
                member.etag = etag->text.trimmed();
        result.members.append(member);
    }
    return result;
}

std::optional<CalDavClient::CollectionInfo> collectionInfo(const QByteArray &xml)
{
    std::optional<Element> root = parseMultistatus(xml);
    if (!root)
        return std::nullopt;
    CalDavClient::CollectionInfo info;
    info.acceptsTodo = true;
    const Element *response = root->child(dav, QStringLiteral("response"));
    for (const Element *prop : response ? foundProps(*response) : std::vector<const Element *>()) {
        if (const Element *type = prop->child(dav, QStringLiteral("resourcetype")))
            info.isCalendar = type->child(caldav, QStringLiteral("calendar")) != nullptr;
        if (const Element *set = prop->child(caldav, QStringLiteral("supported-calendar-component-set"))) {
            info.acceptsTodo = false;
            for (const Element &comp : set->children)
                if (comp.is(caldav, QStringLiteral("comp")) && comp.compName.compare("VTODO", Qt::CaseInsensitive) == 0)
                    info.acceptsTodo = true;
        }
        if (prop->child(dav, QStringLiteral("displayname")))
            info.displayName = prop->childText(dav, QStringLiteral("displayname"));
        if (prop->child(calendarServer, QStringLiteral("getctag")))
            info.ctag = prop->childText(calendarServer, QStringLiteral("getctag"));
        if (prop->child(dav, QStringLiteral("sync-token")))
            info.syncToken = prop->childText(dav, QStringLiteral("sync-token"));
    }
    return info;
}

bool namesPrecondition(const QByteArray &xml, const QString &name)
{
    std::optional<Element> root = parse(xml);
    return root && root->is(dav, QStringLiteral("error")) && root->child(dav, name);
}

} // namespace Multistatus
