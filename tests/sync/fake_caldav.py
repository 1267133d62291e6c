#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A small CalDAV server for the tests, Python standard library only.

Start:  python3 fake_caldav.py [--user anna] [--password s3cret] [--tls CERT KEY]
With --tls it speaks HTTPS with that certificate (a self-signed one, for certificate errors).
It listens on 127.0.0.1 on a free port and prints that port as the first line of its output.
It runs until stdin is closed or it is killed.

Every request must carry "Authorization: Basic" with the user and password (401 otherwise).
The first path segment chooses how the server behaves, so that one server serves every case;
the rest of the path is the resource, e.g. http://127.0.0.1:PORT/ok/tasks/ is a collection:

  /ok/...            A working calendar collection kept in memory (one per collection path,
                     created on first use, empty): PROPFIND Depth 0 gives the collection's
                     properties (calendar, VTODO, displayname "Tasks", getctag, sync-token),
                     PROPFIND Depth 1 the members with their getetag, REPORT sync-collection the
                     changes since a token (a token it never gave: 403 valid-sync-token), GET,
                     PUT and DELETE of members. PUT needs If-Match with the current ETag, or
                     If-None-Match: * for a new member (412 otherwise, 428 without either);
                     DELETE with If-Match checks it (412).
  /vevent/...        Like /ok/, but the collection takes VEVENT only and is no calendar's.
  /malformed/...     Any request: 207 with a body that is not well-formed XML.
  /notdav/...        Any request: 207 with well-formed XML whose root is not DAV:multistatus.
  /huge/...          Any request: 200 with 50 MB of "x", Content-Length given, streamed.
  /hugestream/...    The same without Content-Length: the answer ends when the connection does.
  /longsummary/...   GET: 200 with a VTODO whose SUMMARY has 100,000 characters; else as /ok/.
  /status/NNN/...    Any request: status NNN (401, 404, 412, 503, ...) with a short text body.
  /slow/...          Waits 5 seconds, then answers as /ok/.
  /drop/...          Sends the headers and only some of the promised body, then closes the connection.
  /redirect/...      301 to the same path under /ok/.
  /badtoken/...      REPORT: 403 with a DAV:error body naming DAV:valid-sync-token; else as /ok/.
"""

import argparse
import base64
import ssl
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import quote, unquote
from xml.sax.saxutils import escape

NS = 'xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav" xmlns:cs="http://calendarserver.org/ns/"'
LOCK = threading.Lock()
COLLECTIONS = {}


class Collection:
    def __init__(self, path):
        self.path = path
        self.members = {}  # name -> (etag, body)
        self.revision = 0
        self.log = []  # (revision, name)

    def token(self, revision=None):
        return "http://127.0.0.1/sync/%s/%d" % (quote(self.path, safe=""), self.revision if revision is None else revision)

    def change(self, name, etag_body):
        self.revision += 1
        if etag_body is None:
            self.members.pop(name, None)
        else:
            self.members[name] = etag_body
        self.log.append((self.revision, name))


def collection(path):
    with LOCK:
        return COLLECTIONS.setdefault(path, Collection(path))


def multistatus(responses, token=None):
    tail = "<d:sync-token>%s</d:sync-token>" % escape(token) if token is not None else ""
    return ('<?xml version="1.0" encoding="utf-8"?>\n<d:multistatus %s>%s%s</d:multistatus>'
            % (NS, "".join(responses), tail)).encode()


def propstat(href, props):
    return ("<d:response><d:href>%s</d:href><d:propstat><d:prop>%s</d:prop>"
            "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>" % (escape(href), props))


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    user = password = ""

    def log_message(self, *args):
        pass

    def answer(self, status, body=b"", content_type="text/plain; charset=utf-8", headers=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def handle_any(self):
        length = int(self.headers.get("Content-Length") or 0)
        self.body = self.rfile.read(length) if length else b""
        expected = "Basic " + base64.b64encode(("%s:%s" % (self.user, self.password)).encode()).decode()
        if self.headers.get("Authorization") != expected:
            return self.answer(401, b"Who are you?", headers=[("WWW-Authenticate", 'Basic realm="fake"')])
        segments = self.path.split("/")
        mode, rest = segments[1], "/".join(segments[2:])
        if mode == "status":
            status, rest = segments[2], "/".join(segments[3:])
            return self.answer(int(status), b"As asked.")
        special = getattr(self, "mode_" + mode, None)
        if special is None and mode not in ("ok", "vevent"):
            return self.answer(404, b"No such mode.")
        if special is not None and special(rest) is not False:
            return
        self.serve_store(mode, unquote(self.path))

    def mode_malformed(self, rest):
        self.answer(207, b'<d:multistatus xmlns:d="DAV:"><d:response><d:href>/a</d:multistatus>',
                    "application/xml; charset=utf-8")

    def mode_notdav(self, rest):
        self.answer(207, b'<?xml version="1.0"?><html><body>Hello</body></html>', "application/xml")

    def mode_huge(self, rest, with_length=True):
        size, chunk = 50 * 1024 * 1024, b"x" * 65536
        self.send_response(200)
        if with_length:
            self.send_header("Content-Length", str(size))
        else:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        try:
            for _ in range(size // len(chunk)):
                self.wfile.write(chunk)
        except OSError:
            pass  # the client stopped reading, as it should

    def mode_hugestream(self, rest):
        self.mode_huge(rest, with_length=False)

    def mode_longsummary(self, rest):
        if self.command != "GET":
            return False
        body = ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//fake//EN\r\nBEGIN:VTODO\r\nUID:long\r\n"
                "SUMMARY:%s\r\nEND:VTODO\r\nEND:VCALENDAR\r\n" % ("y" * 100000)).encode()
        self.answer(200, body, "text/calendar; charset=utf-8", [("ETag", '"long"')])

    def mode_slow(self, rest):
        time.sleep(5)
        return False

    def mode_drop(self, rest):
        self.send_response(207)
        self.send_header("Content-Length", "10000")
        self.end_headers()
        self.wfile.write(b'<?xml version="1.0"?><d:multistatus xmlns:d="DAV:">')
        self.wfile.flush()
        self.close_connection = True

    def mode_redirect(self, rest):
        self.answer(301, b"Moved.", headers=[("Location", "/ok/" + rest)])

    def mode_badtoken(self, rest):
        if self.command != "REPORT":
            return False
        self.answer(403, b'<?xml version="1.0"?><d:error xmlns:d="DAV:"><d:valid-sync-token/></d:error>',
                    "application/xml; charset=utf-8")

    def serve_store(self, mode, path):
        if path.endswith("/"):
            return self.serve_collection(mode, collection(path))
        folder, name = path.rsplit("/", 1)
        store = collection(folder + "/")
        with LOCK:
            current = store.members.get(name)
            if self.command == "GET":
                if current is None:
                    return self.answer(404, b"Not here.")
                return self.answer(200, current[1], "text/calendar; charset=utf-8", [("ETag", current[0])])
            if self.command not in ("PUT", "DELETE"):
                return self.answer(405, b"Not on a member.")
            if_match, if_none = self.headers.get("If-Match"), self.headers.get("If-None-Match")
            if self.command == "PUT" and if_match is None and if_none != "*":
                return self.answer(428, b"Say If-Match or If-None-Match.")
            if (if_match is not None and (current is None or current[0] != if_match)) or \
                    (if_none == "*" and current is not None):
                return self.answer(412, b"Changed meanwhile.")
            if self.command == "DELETE":
                if current is None:
                    return self.answer(404, b"Not here.")
                store.change(name, None)
                return self.answer(204)
            etag = '"%d"' % (store.revision + 1)
            store.change(name, (etag, self.body))
            self.answer(201 if current is None else 204, headers=[("ETag", etag)])

    def serve_collection(self, mode, store):
        href = quote(unquote(self.path))
        with LOCK:
            members = [propstat(href + quote(name), "<d:getetag>%s</d:getetag>" % escape(etag))
                       for name, (etag, _) in sorted(store.members.items())]
            if self.command == "PROPFIND" and self.headers.get("Depth") == "0":
                comp = "VTODO" if mode == "ok" else "VEVENT"
                kind = "<c:calendar/>" if mode == "ok" else ""
                props = ('<d:resourcetype><d:collection/>%s</d:resourcetype><d:displayname>Tasks</d:displayname>'
                         '<c:supported-calendar-component-set><c:comp name="%s"/></c:supported-calendar-component-set>'
                         '<cs:getctag>"ctag-%d"</cs:getctag><d:sync-token>%s</d:sync-token>'
                         % (kind, comp, store.revision, escape(store.token())))
                return self.answer(207, multistatus([propstat(href, props)]), "application/xml; charset=utf-8")
            if self.command == "PROPFIND":
                own = propstat(href, "<d:resourcetype><d:collection/></d:resourcetype>")
                return self.answer(207, multistatus([own] + members), "application/xml; charset=utf-8")
            if self.command == "REPORT":
                return self.sync_collection(store, href, members)
        self.answer(405, b"Not on a collection.")

    def sync_collection(self, store, href, members):
        text = self.body.decode("utf-8", "replace")
        token = text.split("sync-token>", 1)[1].split("<", 1)[0] if "sync-token>" in text else ""
        if "sync-collection" not in text or "Depth" in self.headers and self.headers["Depth"] != "0":
            return self.answer(400, b"Not a sync-collection REPORT.")
        if not token:
            return self.answer(207, multistatus(members, store.token()), "application/xml; charset=utf-8")
        known = [store.token(r) for r in range(store.revision + 1)]
        if token not in known:
            return self.answer(403, b'<?xml version="1.0"?><d:error xmlns:d="DAV:"><d:valid-sync-token/></d:error>',
                               "application/xml; charset=utf-8")
        since = known.index(token)
        changed = sorted({name for revision, name in store.log if revision > since})
        responses = []
        for name in changed:
            if name in store.members:
                responses.append(propstat(href + quote(name), "<d:getetag>%s</d:getetag>"
                                          % escape(store.members[name][0])))
            else:
                responses.append("<d:response><d:href>%s</d:href><d:status>HTTP/1.1 404 Not Found</d:status>"
                                 "</d:response>" % escape(href + quote(name)))
        self.answer(207, multistatus(responses, store.token()), "application/xml; charset=utf-8")

    do_GET = do_PUT = do_DELETE = do_PROPFIND = do_REPORT = handle_any


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--user", default="anna")
    parser.add_argument("--password", default="s3cret")
    parser.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"))
    args = parser.parse_args()
    Handler.user, Handler.password = args.user, args.password
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    if args.tls:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(*args.tls)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    server.daemon_threads = True
    print(server.server_address[1], flush=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    sys.stdin.read()  # the test ends the server by closing stdin (or by killing it)


if __name__ == "__main__":
    main()
