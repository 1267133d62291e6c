// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/network/CalDavClient.h"
#include "platform/network/Multistatus.h"

#include <QAuthenticator>
#include <QHostAddress>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSet>
#include <QSslError>
#include <QTimer>

namespace {

using Kind = DavError::Kind;

const QByteArray probeBody = R"(<?xml version="1.0" encoding="utf-8"?>
<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav" xmlns:CS="http://calendarserver.org/ns/">
<D:prop><D:resourcetype/><D:displayname/><C:supported-calendar-component-set/><CS:getctag/><D:sync-token/></D:prop>
</D:propfind>)";

const QByteArray etagsBody = R"(<?xml version="1.0" encoding="utf-8"?>
<D:propfind xmlns:D="DAV:"><D:prop><D:getetag/></D:prop></D:propfind>)";

QByteArray syncCollectionBody(const QString &token)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>
<D:sync-collection xmlns:D="DAV:"><D:sync-token>)"
           + token.toHtmlEscaped().toUtf8()
           + "</D:sync-token><D:sync-level>1</D:sync-level><D:prop><D:getetag/></D:prop></D:sync-collection>";
}

enum class Method { Propfind, Report, Get, Put, Delete };

// What the server answered with a status below 300, everything else being a DavError.
struct Answer
{
    QByteArray body;
    QString etag;
};

// What a reply collected on its way: the body up to the limit, and why it went wrong if it did.
struct Transfer
{
    QByteArray body;
    bool tooLarge = false;
    QString certificateProblem;
};

QString withoutFinalStop(QString text)
{
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString seconds(int ms)
{
    const int n = qMax(1, (ms + 500) / 1000);
    return n == 1 ? QStringLiteral("1 second") : QStringLiteral("%1 seconds").arg(n);
}

} // namespace

struct CalDavClient::Private
{
    CalDavClient *q;
    Settings settings;
    QNetworkAccessManager *manager;
    QSet<QNetworkReply *> replies;
    int posted = 0;         // callbacks waiting in the event queue
    quint64 generation = 0; // bumped by abortAll, so that queued callbacks know they are void

    QString where() const { return settings.collection.toDisplayString(QUrl::RemoveUserInfo); }
    DavError malformed() const
    {
        return {Kind::Malformed, 0,
                QStringLiteral("The server at %1 did not answer with a WebDAV listing.").arg(where())};
    }
    using Finish = std::function<void(std::variant<Answer, DavError>)>;
    // A failure found before anything is sent, answered on the event loop's next turn.
    void post(const Finish &finish, const DavError &error)
    {
        ++posted;
        QTimer::singleShot(0, q, [this, finish, error, generation = generation] {
            if (generation == this->generation) {
                --posted;
                finish(error);
            }
        });
    }

    void send(Method method, const QString &href, const QByteArray &body, const QByteArray &depth,
              const QByteArray &condition, const QByteArray &conditionValue, Finish finish);
    std::variant<Answer, DavError> outcome(QNetworkReply *reply, const Transfer &transfer, Method method) const;
    DavError statusError(int status, const QByteArray &reason, const QByteArray &body, Method method,
                         const QUrl &location) const;
};

QString CalDavClient::refusal(const QUrl &url)
{
    const QString shown = url.toDisplayString(QUrl::RemoveUserInfo);
    if (!url.isValid() || url.host().isEmpty())
        return QStringLiteral("“%1” is not a complete server address.").arg(shown);
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return {};
    const QString host = url.host().toLower();
    if (scheme == QLatin1String("http") && (host == QLatin1String("localhost") || QHostAddress(host).isLoopback()))
        return {};
    return QStringLiteral("The password is sent only over https (or over http to this computer), not to %1.")
        .arg(shown);
}

CalDavClient::CalDavClient(Settings settings, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>(Private{this, std::move(settings), new QNetworkAccessManager(this), {}}))
{
    // No second try with other credentials: the Authorization header goes with every request,
    // and a 401 is the answer to it.
    connect(d->manager, &QNetworkAccessManager::authenticationRequired, this, [] {});
}

CalDavClient::~CalDavClient()
{
    abortAll();
}

void CalDavClient::Private::send(Method method, const QString &href, const QByteArray &body, const QByteArray &depth,
                                 const QByteArray &condition, const QByteArray &conditionValue, Finish finish)
{
    QUrl url = settings.collection.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveQuery | QUrl::RemoveFragment);
    if (!href.isEmpty())
        url.setPath(href, QUrl::TolerantMode);
    if (const QString why = refusal(url); !why.isEmpty()) {
        return post(finish, {Kind::Refused, 0, why});
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(settings.timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    const QString credentials = settings.user + QLatin1Char(':') + settings.password;
    request.setRawHeader("Authorization", "Basic " + credentials.toUtf8().toBase64());
    if (!depth.isEmpty())
        request.setRawHeader("Depth", depth);
    if (!condition.isEmpty())
        request.setRawHeader(condition, conditionValue);
    QNetworkReply *reply = nullptr;
    switch (method) {
    case Method::Propfind:
    case Method::Report:
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/xml; charset=utf-8"));
        reply = manager->sendCustomRequest(request, method == Method::Report ? "REPORT" : "PROPFIND", body);
        break;
    case Method::Get:
        reply = manager->get(request);
        break;
    case Method::Put:
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/calendar; charset=utf-8"));
        reply = manager->put(request, body);
        break;
    case Method::Delete:
        reply = manager->deleteResource(request);
        break;
    }
    replies.insert(reply);
    // The reply keeps only a small buffer; what arrives is moved into the transfer at once and
    // counted, so that an endless answer is cut off at the limit instead of filling the memory.
    reply->setReadBufferSize(64 * 1024);
    auto transfer = std::make_shared<Transfer>();
    auto cutOff = [reply, transfer] {
        transfer->tooLarge = true;
        transfer->body.clear();
        reply->abort();
    };
    auto drain = [this, reply, transfer, cutOff] {
        if (transfer->tooLarge || !reply->isReadable())
            return;
        transfer->body += reply->read(settings.answerLimit + 1 - transfer->body.size());
        if (transfer->body.size() > settings.answerLimit)
            cutOff();
    };
    connect(reply, &QNetworkReply::metaDataChanged, q, [this, reply, transfer, cutOff] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (!transfer->tooLarge && length.isValid() && length.toLongLong() > settings.answerLimit)
            cutOff();
    });
    connect(reply, &QNetworkReply::readyRead, q, drain);
    connect(reply, &QNetworkReply::sslErrors, q, [transfer](const QList<QSslError> &errors) {
        transfer->certificateProblem = errors.isEmpty() ? QString() : errors.first().errorString();
    });
    connect(reply, &QNetworkReply::finished, q, [this, reply, transfer, drain, method, finish] {
        drain();
        replies.remove(reply);
        reply->deleteLater();
        finish(outcome(reply, *transfer, method));
    });
}

std::variant<Answer, DavError> CalDavClient::Private::outcome(QNetworkReply *reply, const Transfer &transfer,
                                                              Method method) const
{
    const QString host = settings.collection.host();
    if (transfer.tooLarge)
        return DavError(Kind::TooLarge, 0,
                        QStringLiteral("The answer of the server at %1 was larger than %2 and was cut off.")
                            .arg(where(), QLocale::c().formattedDataSize(settings.answerLimit, 0,
                                                                         QLocale::DataSizeTraditionalFormat)));
    // Errors below 100 are those of the connection itself: no complete answer arrived.
    const QNetworkReply::NetworkError error = reply->error();
    if ((error > 0 && error < 100) || (error > 100 && error < 200)) {
        if (error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError)
            return DavError(
                Kind::Timeout, 0,
                QStringLiteral("The server at %1 did not answer within %2.").arg(where(), seconds(settings.timeoutMs)));
        if (error == QNetworkReply::SslHandshakeFailedError)
            return DavError(
                Kind::Certificate, 0,
                QStringLiteral("The certificate of %1 was not accepted: %2.")
                    .arg(host, withoutFinalStop(transfer.certificateProblem.isEmpty() ? reply->errorString()
                                                                                      : transfer.certificateProblem)));
        return DavError(Kind::Offline, 0,
                        QStringLiteral("Cannot reach %1: %2.").arg(host, withoutFinalStop(reply->errorString())));
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 300) {
        const QUrl location = reply->url().resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
        return statusError(status, reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray(),
                           transfer.body, method, location);
    }
    if (error != QNetworkReply::NoError || status < 200)
        return DavError(Kind::Offline, status,
                        QStringLiteral("Cannot reach %1: %2.").arg(host, withoutFinalStop(reply->errorString())));
    return Answer{transfer.body, QString::fromUtf8(reply->rawHeader("ETag"))};
}

DavError CalDavClient::Private::statusError(int status, const QByteArray &reason, const QByteArray &body, Method method,
                                            const QUrl &location) const
{
    const QString answered =
        QStringLiteral("The server at %1 answered %2 %3.").arg(where()).arg(status).arg(QString::fromUtf8(reason));
    if (status < 400)
        return DavError(Kind::Redirected, status,
                        QStringLiteral("The collection at %1 has moved to %2.")
                            .arg(where(), location.toDisplayString(QUrl::RemoveUserInfo)));
    const bool report = method == Method::Report;
    if (report && (status == 403 || status == 409)
        && Multistatus::namesPrecondition(body, QStringLiteral("valid-sync-token")))
        return DavError(Kind::InvalidToken, status,
                        QStringLiteral("The server at %1 no longer knows the last sync state.").arg(where()));
    if (status == 501 || (report && (status == 403 || status == 405)))
        return DavError(Kind::NotSupported, status, answered);
    if (status == 401 || status == 403)
        return DavError(Kind::Unauthorized, status,
                        QStringLiteral("The user name or password was not accepted by %1.").arg(where()));
    if (status == 404 || status == 410)
        return DavError(Kind::NotFound, status, answered);
    if (status == 412)
        return DavError(Kind::Conflict, status,
                        QStringLiteral("The entry was changed on the server at %1 in the meantime.").arg(where()));
    return DavError(Kind::Server, status, answered);
}

void CalDavClient::probe(std::function<void(DavResult<CollectionInfo>)> done)
{
    d->send(Method::Propfind, {}, probeBody, "0", {}, {}, [this, done](std::variant<Answer, DavError> answer) {
        if (auto *error = std::get_if<DavError>(&answer))
            return done(*error);
        if (auto info = Multistatus::collectionInfo(std::get<Answer>(answer).body))
            return done(*info);
        done(d->malformed());
    });
}

namespace {
// A listing from a multistatus answer, or Malformed.
DavResult<CalDavClient::Listing> listingOf(const std::variant<Answer, DavError> &answer, const QUrl &collection,
                                           const DavError &malformed)
{
    if (auto *error = std::get_if<DavError>(&answer))
        return *error;
    if (auto listing = Multistatus::listing(std::get<Answer>(answer).body, collection))
        return *listing;
    return malformed;
}
} // namespace

void CalDavClient::changesSince(const QString &syncToken, std::function<void(DavResult<Listing>)> done)
{
    d->send(Method::Report, {}, syncCollectionBody(syncToken), {}, {}, {},
            [this, done, initial = syncToken.isEmpty()](std::variant<Answer, DavError> answer) {
                DavResult<Listing> result = listingOf(answer, d->settings.collection, d->malformed());
                if (auto *listing = std::get_if<Listing>(&result))
                    listing->complete = initial;
                done(result);
            });
}

void CalDavClient::listMembers(std::function<void(DavResult<Listing>)> done)
{
    d->send(Method::Propfind, {}, etagsBody, "1", {}, {}, [this, done](std::variant<Answer, DavError> answer) {
        DavResult<Listing> result = listingOf(answer, d->settings.collection, d->malformed());
        if (auto *listing = std::get_if<Listing>(&result)) {
            listing->syncToken.clear();
            listing->complete = true;
        }
        done(result);
    });
}

void CalDavClient::get(const QString &href, std::function<void(DavResult<Resource>)> done)
{
    d->send(Method::Get, href, {}, {}, {}, {}, [href, done](std::variant<Answer, DavError> answer) {
        if (auto *error = std::get_if<DavError>(&answer))
            return done(*error);
        done(Resource{href, std::get<Answer>(answer).etag, std::get<Answer>(answer).body});
    });
}

void CalDavClient::put(const QString &href, const QByteArray &body, const QString &etag,
                       std::function<void(DavResult<QString>)> done)
{
    const QByteArray condition = etag.isEmpty() ? "If-None-Match" : "If-Match";
    const QByteArray value = etag.isEmpty() ? "*" : etag.toUtf8();
    d->send(Method::Put, href, body, {}, condition, value, [done](std::variant<Answer, DavError> answer) {
        if (auto *error = std::get_if<DavError>(&answer))
            return done(*error);
        done(std::get<Answer>(answer).etag);
    });
}

void CalDavClient::remove(const QString &href, const QString &etag, std::function<void(DavResult<bool>)> done)
{
    d->send(Method::Delete, href, {}, {}, etag.isEmpty() ? QByteArray() : "If-Match", etag.toUtf8(),
            [done](std::variant<Answer, DavError> answer) {
                if (auto *error = std::get_if<DavError>(&answer))
                    return done(*error);
                done(true);
            });
}

QString CalDavClient::memberHref(const QString &fileName) const
{
    // Letters, digits, "-", "_" and "." only, so that the name reads the same encoded or not and
    // matches the hrefs of a listing; no leading dot, so never "." or "..".
    QString safe;
    for (const QChar c : fileName)
        safe += (c.isLetterOrNumber() && c.unicode() < 128) || c == u'-' || c == u'_' || c == u'.' ? c : u'-';
    while (safe.startsWith(QLatin1Char('.')))
        safe.remove(0, 1);
    if (safe.isEmpty())
        safe = QStringLiteral("entry.ics");
    QString path = d->settings.collection.path(QUrl::PrettyDecoded);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path + QString::fromLatin1(QUrl::toPercentEncoding(safe));
}

void CalDavClient::abortAll()
{
    ++d->generation;
    d->posted = 0;
    const QSet<QNetworkReply *> replies = std::exchange(d->replies, {});
    for (QNetworkReply *reply : replies) {
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        reply->deleteLater();
    }
}

int CalDavClient::requestsInFlight() const
{
    return int(d->replies.size()) + d->posted;
}
