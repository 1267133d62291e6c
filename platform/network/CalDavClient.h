// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One CalDAV collection on a server, reached over HTTPS (or plain HTTP to this computer only).
// Every call is asynchronous: it returns at once and its answer comes back later through the
// callback, on the thread that made the call, so the window's event loop never waits on the
// network. An answer larger than the limit is cut off and fails; a server that does not answer
// within the time limit fails too. The password goes out only in the Authorization header and
// never appears in a message.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <variant>

class QNetworkAccessManager;

struct DavError
{
    enum class Kind {
        Refused,      // not sent: an address the program does not send a password to
        Offline,      // no connection: host not found, connection refused or lost
        Timeout,      // no answer within the time limit
        Certificate,  // the server's certificate or host name did not check out
        Unauthorized, // 401 or 403 on the collection: wrong user name or password
        NotFound,     // 404 or 410
        Conflict,     // 412: the resource changed on the server (If-Match / If-None-Match)
        InvalidToken, // the server no longer knows the sync token (403/409 valid-sync-token)
        NotSupported, // the server does not offer what was asked (501, or 403/405 for a REPORT)
        Server,       // any other status of 400 and above, 5xx among them
        Malformed,    // an answer that is not the WebDAV XML it should be
        TooLarge,     // an answer past the size limit
        Redirected,   // a 3xx: the collection lives elsewhere
    };
    Kind kind = Kind::Server;
    int status = 0; // the HTTP status, 0 when there was none
    // In plain words for the user, naming the address (never the password): "The server
    // https://dav.example.org/ answered 503 Service Unavailable."
    QString message;
};

template<typename T> using DavResult = std::variant<T, DavError>;

class CalDavClient : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        QUrl collection; // the calendar collection, ending in "/"
        QString user;
        QString password;
        int timeoutMs = 30000;
        qint64 answerLimit = 4 * 1024 * 1024;
    };

    // Why the program will not send a password to that address: a scheme other than https, or
    // http to anything but a loopback address (127.0.0.0/8, ::1, "localhost"). Empty when fine.
    static QString refusal(const QUrl &url);

    explicit CalDavClient(Settings settings, QObject *parent = nullptr);
    ~CalDavClient() override;

    struct CollectionInfo
    {
        bool isCalendar = false;  // resourcetype holds C:calendar
        bool acceptsTodo = false; // supported-calendar-component-set names VTODO, or is absent
        QString displayName;
        QString ctag;      // CS:getctag, empty when the server has none
        QString syncToken; // D:sync-token, empty when the server has none
    };
    // PROPFIND Depth 0 on the collection.
    void probe(std::function<void(DavResult<CollectionInfo>)> done);

    struct Member
    {
        QString href; // as the server gave it, path only ("/user/tasks/abc.ics")
        QString etag; // empty for a removed member
        bool removed = false;
    };
    struct Listing
    {
        QList<Member> members;
        QString syncToken;     // the token to ask with next time; empty from a PROPFIND listing
        bool complete = false; // every member is listed (and unlisted ones are gone)
    };
    // REPORT sync-collection (RFC 6578) with Depth 1 asking for getetag; an empty token asks
    // for every member (complete = true). InvalidToken or NotSupported when the server refuses.
    void changesSince(const QString &syncToken, std::function<void(DavResult<Listing>)> done);
    // PROPFIND Depth 1 asking for getetag: every member, for servers without sync-collection.
    void listMembers(std::function<void(DavResult<Listing>)> done);

    struct Resource
    {
        QString href;
        QString etag;
        QByteArray body;
    };
    void get(const QString &href, std::function<void(DavResult<Resource>)> done);
    // PUT of a text/calendar body: with If-Match when etag is given, else with
    // If-None-Match: * (create only). Gives the new ETag, empty when the server sent none.
    void put(const QString &href, const QByteArray &body, const QString &etag,
             std::function<void(DavResult<QString>)> done);
    // DELETE with If-Match when etag is given.
    void remove(const QString &href, const QString &etag, std::function<void(DavResult<bool>)> done);

    // The href of a new member of the collection with that file name (name is made safe).
    QString memberHref(const QString &fileName) const;

    // Ends every request in flight; their callbacks are never called.
    void abortAll();
    int requestsInFlight() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
