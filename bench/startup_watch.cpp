// SPDX-License-Identifier: MIT
// Starts a program and watches the X server from outside it: reports the
// milliseconds from exec to its first top-level window being mapped and to
// that window being painted (a pixel near its lower left corner no longer
// shows the black root behind it), and, a while later, its resident memory.
// Usage: startup_watch SECONDS_BEFORE_MEMORY PROGRAM [ARGUMENTS...]
// Needs an X server with a black root window (Xvfb -br) and no window manager.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_window_t waitForMap(xcb_connection_t* connection)
{
    while (xcb_generic_event_t* event = xcb_wait_for_event(connection)) {
        const ReplyPtr<xcb_generic_event_t> owned(event, &std::free);
        if ((event->response_type & 0x7F) != XCB_MAP_NOTIFY)
            continue;
        const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (map->override_redirect == 0)
            return map->window;
    }
    return XCB_WINDOW_NONE;
}

bool painted(xcb_connection_t* connection, xcb_window_t window, int16_t x, int16_t y)
{
    const ReplyPtr<xcb_get_image_reply_t> image(
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, x, y, 1, 1, ~0U),
                            nullptr),
        &std::free);
    if (!image)
        return false;
    const uint8_t* pixel = xcb_get_image_data(image.get());
    return (pixel[0] | pixel[1] | pixel[2]) != 0;
}

// VmRSS and VmHWM of a process, in kiB.
std::string memoryOf(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    std::string rss = "0";
    std::string hwm = "0";
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            rss = std::to_string(std::atol(line.c_str() + 6));
        if (line.rfind("VmHWM:", 0) == 0)
            hwm = std::to_string(std::atol(line.c_str() + 6));
    }
    return rss + " " + hwm;
}

// A busy X server sometimes refuses a connection right after the last
// client went away; it accepts one a moment later.
xcb_connection_t* connectToX()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection) == 0)
            return connection;
        xcb_disconnect(connection);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fputs("usage: startup_watch SECONDS_BEFORE_MEMORY PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    const double memoryDelay = std::atof(argv[1]);
    xcb_connection_t* connection = connectToX();
    if (connection == nullptr) {
        std::fputs("startup_watch: cannot connect to the X server\n", stderr);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        std::_Exit(127);
    }

    const xcb_window_t window = waitForMap(connection);
    const double mapped = millisecondsSince(start);
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr), &std::free);
    const auto x = static_cast<int16_t>(4);
    const auto y = static_cast<int16_t>(geometry ? geometry->height - 4 : 4);
    while (!painted(connection, window, x, y))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const double shown = millisecondsSince(start);

    std::this_thread::sleep_for(std::chrono::duration<double>(memoryDelay));
    std::printf("%.2f %.2f %s\n", mapped, shown, memoryOf(pid).c_str());

    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
    return 0;
}
