// Starts a program and watches the X display until one of its top-level windows of a given size
// is mapped and viewable, then reports how long that took from the exec and, after a settling
// time, the program's resident memory. It ends the program (SIGTERM) before it returns.
// bench/startup-process runs it; it talks to the X server directly so that it adds nothing
// to the start it measures.
//
//   bench_window_watch <width> <height> <settle ms> <program> [arguments...]
//
// prints one line: "<ms from exec to viewable window> <resident KiB after settling>".

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <poll.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

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

// True when the window belongs to the process (its _NET_WM_PID), is viewable (it and all its
// ancestors are mapped) and has the size. The window manager's frames belong to no program.
bool shownWindow(xcb_connection_t *c, xcb_window_t w, xcb_atom_t pidAtom, pid_t pid, int width, int height)
{
    Reply<xcb_get_property_reply_t> owner(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr), &std::free);
    if (!owner || xcb_get_property_value_length(owner.get()) != 4
        || *static_cast<uint32_t *>(xcb_get_property_value(owner.get())) != uint32_t(pid))
        return false;
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr), &std::free);
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return false;
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr), &std::free);
    return geometry && geometry->width == width && geometry->height == height;
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

    std::set<xcb_window_t> created;
    const uint32_t windowMask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    double shown = -1;
    const double deadline = start + 30000;
    while (shown < 0) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before showing its window\n", argv[4]);
            return 1;
        }
        if (nowMs() > deadline) {
            std::fprintf(stderr, "%s showed no %dx%d window within 30 s\n", argv[4], width, height);
            stop(pid);
            return 1;
        }
        pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&fd, 1, 100);
        while (xcb_generic_event_t *event = xcb_poll_for_event(c)) {
            const double at = nowMs();
            bool check = false;
            switch (event->response_type & 0x7F) {
            case XCB_CREATE_NOTIFY: {
                const auto *e = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (e->parent == root) {
                    created.insert(e->window);
                    xcb_change_window_attributes(c, e->window, XCB_CW_EVENT_MASK, &windowMask);
                    check = true; // it may have been mapped before it was watched
                }
                break;
            }
            case XCB_MAP_NOTIFY:
            case XCB_REPARENT_NOTIFY:
                check = true;
                break;
            default:
                break;
            }
            std::free(event);
            if (!check || shown >= 0)
                continue;
            for (xcb_window_t w : created) {
                if (shownWindow(c, w, pidAtom, pid, width, height)) {
                    shown = at;
                    break;
                }
            }
        }
        if (xcb_connection_has_error(c)) {
            std::fprintf(stderr, "lost the X display\n");
            stop(pid);
            return 1;
        }
    }

    usleep(useconds_t(settleMs) * 1000);
    const long kib = residentKiB(pid);
    stop(pid);
    xcb_disconnect(c);
    std::printf("%.2f %ld\n", shown - start, kib);
    return 0;
}
