// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and watches the X display until one of its top-level windows of a given size
// is mapped and viewable, and then until the program first draws into that window, and reports
// how long each took from the exec and, after a settling time, the program's resident memory.
// It ends the program (SIGTERM) before it returns. bench/startup-process runs it; it talks to
// the X server directly so that it adds nothing to the start it measures.
//
//   bench_window_watch <width> <height> <settle ms> <program> [arguments...]
//
// prints one line: "<ms from exec to viewable window> <ms from exec to first content>
// <resident KiB after settling>".
//
// A mapped window shows nothing until its program has drawn into it: the first content is the
// first drawing the X server reports (DAMAGE extension) for the window while it is viewable.

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <map>
#include <memory>
#include <poll.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

long residentKiB(pid_t pid)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", int(pid));
    FILE *status = std::fopen(path, "r");
    if (!status)
        return -1;
    char line[256];
    long kib = -1;
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kib = std::strtol(line + 6, nullptr, 10);
            break;
        }
    }
    std::fclose(status);
    return kib;
}

template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// True when the window belongs to the process (its _NET_WM_PID). The window manager's frames
// belong to no program.
bool ownedBy(xcb_connection_t *c, xcb_window_t w, xcb_atom_t pidAtom, pid_t pid)
{
    Reply<xcb_get_property_reply_t> owner(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr), &std::free);
    return owner && xcb_get_property_value_length(owner.get()) == 4
           && *static_cast<uint32_t *>(xcb_get_property_value(owner.get())) == uint32_t(pid);
}

// True when the window is viewable (it and all its ancestors are mapped) and has the size. Both
// questions go out before either answer is awaited: one round trip.
bool shownWithSize(xcb_connection_t *c, xcb_window_t w, int width, int height)
{
    const xcb_get_window_attributes_cookie_t attributesAsked = xcb_get_window_attributes(c, w);
    const xcb_get_geometry_cookie_t geometryAsked = xcb_get_geometry(c, w);
    Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(c, attributesAsked, nullptr),
                                                        &std::free);
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, geometryAsked, nullptr), &std::free);
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && geometry && geometry->width == width
           && geometry->height == height;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <width> <height> <settle ms> <program> [arguments...]\n", argv[0]);
        return 2;
    }
    const int width = std::atoi(argv[1]);
    const int height = std::atoi(argv[2]);
    const int settleMs = std::atoi(argv[3]);

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "cannot connect to the X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    // Top-level windows are created as children of the root; window-manager frames are mapped there.
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t selected = xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &rootMask);
    if (xcb_generic_error_t *error = xcb_request_check(c, selected)) {
        std::fprintf(stderr, "cannot watch the root window\n");
        std::free(error);
        return 1;
    }

    // The server takes no DAMAGE request before the client has told it which version it speaks.
    const xcb_query_extension_reply_t *damageExtension = xcb_get_extension_data(c, &xcb_damage_id);
    Reply<xcb_damage_query_version_reply_t> damageVersion(nullptr, &std::free);
    if (damageExtension && damageExtension->present)
        damageVersion.reset(xcb_damage_query_version_reply(
            c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), nullptr));
    if (!damageVersion) {
        std::fprintf(stderr, "the X display has no DAMAGE extension\n");
        return 1;
    }
    const uint8_t damageNotify = uint8_t(damageExtension->first_event + XCB_DAMAGE_NOTIFY);

    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");

    const double start = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        return 1;
    if (pid == 0) {
        execv(argv[4], argv + 4);
        std::fprintf(stderr, "cannot start %s: %s\n", argv[4], std::strerror(errno));
        _exit(127);
    }

    // Every top-level window; of the program's, the damage object that reports its drawing. The
    // damage objects are made as soon as a window is known to be the program's, before it is
    // mapped, so that no drawing after the map can go unseen.
    std::set<xcb_window_t> created;
    std::map<xcb_window_t, xcb_damage_damage_t> damages;
    const auto adoptIfProgram = [&](xcb_window_t w) {
        if (damages.count(w) || !ownedBy(c, w, pidAtom, pid))
            return;
        const xcb_damage_damage_t damage = xcb_generate_id(c);
        xcb_damage_create(c, damage, w, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        damages.emplace(w, damage);
    };

    // Events are timed when they are read from the connection. Waiting for an answer reads the
    // events that came before it into the connection's queue, where the descriptor no longer
    // shows them: they are taken from there after every event handled, timed as they are taken.
    std::deque<std::pair<double, xcb_generic_event_t *>> pending;
    double lastMapRead = -1; // when the latest MapNotify was read
    const auto take = [&](xcb_generic_event_t *(*next)(xcb_connection_t *)) {
        while (xcb_generic_event_t *event = next(c)) {
            const double at = nowMs();
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY)
                lastMapRead = at;
            pending.emplace_back(at, event);
        }
    };

    const uint32_t windowMask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_window_t window = XCB_NONE; // the program's window once it is viewable with the size
    double shown = -1;
    double drawn = -1;
    const double deadline = start + 30000;
    const double drawingWaitMs = 5000;
    while (drawn < 0) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before %s\n", argv[4],
                         shown < 0 ? "showing its window" : "drawing into its window");
            return 1;
        }
        if (shown < 0 && nowMs() > deadline) {
            std::fprintf(stderr, "%s showed no %dx%d window within 30 s\n", argv[4], width, height);
            stop(pid);
            return 1;
        }
        if (shown >= 0 && nowMs() > shown + drawingWaitMs) {
            std::fprintf(stderr, "%s drew nothing into its %dx%d window within %.0f s\n", argv[4], width, height,
                         drawingWaitMs / 1000);
            stop(pid);
            return 1;
        }
        take(xcb_poll_for_queued_event);
        if (pending.empty()) {
            pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
            poll(&fd, 1, 100);
            take(xcb_poll_for_event);
        }
        while (!pending.empty() && drawn < 0) {
            const auto [at, event] = pending.front();
            pending.pop_front();
            bool check = false;
            const uint8_t type = event->response_type & 0x7F;
            if (type == damageNotify) {
                const auto *e = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                // With the report level non-empty the server says nothing more of a window until
                // its damage is taken away again.
                xcb_damage_subtract(c, e->damage, XCB_NONE, XCB_NONE);
                if (shown >= 0) {
                    if (e->drawable == window) {
                        drawn = at;
                        // Drawing is reported only where it can be seen. Should a map of some
                        // other window, read later, have been taken for the one that made this
                        // window viewable, the drawing tells the earlier time.
                        shown = std::min(shown, drawn);
                    }
                } else if (damages.count(e->drawable) && shownWithSize(c, e->drawable, width, height)) {
                    // Viewable by now, though no map seen so far told it: the drawing counts, and
                    // the window was viewable when it was read.
                    window = e->drawable;
                    shown = drawn = at;
                }
            } else {
                switch (type) {
                case XCB_CREATE_NOTIFY: {
                    const auto *e = reinterpret_cast<xcb_create_notify_event_t *>(event);
                    if (e->parent == root) {
                        created.insert(e->window);
                        xcb_change_window_attributes(c, e->window, XCB_CW_EVENT_MASK, &windowMask);
                        // Its owner may have been named, and it may have been mapped, before it was watched.
                        adoptIfProgram(e->window);
                        check = true;
                    }
                    break;
                }
                case XCB_PROPERTY_NOTIFY: {
                    const auto *e = reinterpret_cast<xcb_property_notify_event_t *>(event);
                    if (e->atom == pidAtom && created.count(e->window)) {
                        adoptIfProgram(e->window);
                        check = true;
                    }
                    break;
                }
                case XCB_DESTROY_NOTIFY: {
                    // The server frees a window's damage object with the window.
                    const auto *e = reinterpret_cast<xcb_destroy_notify_event_t *>(event);
                    created.erase(e->window);
                    damages.erase(e->window);
                    break;
                }
                case XCB_MAP_NOTIFY:
                case XCB_REPARENT_NOTIFY:
                    check = true;
                    break;
                default:
                    break;
                }
            }
            std::free(event);
            if (check && shown < 0) {
                for (const auto &program : damages) {
                    if (shownWithSize(c, program.first, width, height)) {
                        window = program.first;
                        // A window turns viewable only by a map, of itself or of the frame around
                        // it, which are children of the root: its MapNotify came before the answer.
                        take(xcb_poll_for_queued_event);
                        shown = lastMapRead >= 0 ? lastMapRead : at;
                        break;
                    }
                }
            }
            take(xcb_poll_for_queued_event);
        }
        xcb_flush(c);
        if (xcb_connection_has_error(c)) {
            std::fprintf(stderr, "lost the X display\n");
            stop(pid);
            return 1;
        }
    }
    for (const auto &left : pending)
        std::free(left.second);

    usleep(useconds_t(settleMs) * 1000);
    const long kib = residentKiB(pid);
    stop(pid);
    xcb_disconnect(c);
    std::printf("%.2f %.2f %ld\n", shown - start, drawn - start, kib);
    return 0;
}
