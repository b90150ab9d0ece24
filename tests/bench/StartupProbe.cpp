// Measures a program's start from outside, for scripts/bench-startup.sh.
//
//   startup_probe window SETTLE_MS -- PROGRAM ARGS...
//     Starts the program on the X display of $DISPLAY and waits for the X server to
//     report a top-level window mapped (MapNotify on the root window). Prints the
//     time from the start to that event, and the program's peak resident memory
//     (VmHWM) SETTLE_MS after it, so that work deferred past the first paint is
//     counted too; then ends the program.
//   startup_probe exit -- PROGRAM ARGS...
//     Runs the program to its end; prints the time to its exit and its peak
//     resident memory.
//
// Output, one line: "<milliseconds> <peak kB>". Exit status 1 when the program
// ended or failed before it showed a window, or did not show one within 30 s.
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using TClock = std::chrono::steady_clock;

double MillisecondsSince(TClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

pid_t Launch(char **argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        // The program's own output is not part of the measurement's.
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return pid;
}

long PeakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

int RunToExit(char **argv)
{
    const auto start = TClock::now();
    const pid_t pid = Launch(argv);
    int status = 0;
    rusage usage {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        return 1;
    const double ms = MillisecondsSince(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "startup_probe: %s failed\n", argv[0]);
        return 1;
    }
    std::printf("%.1f %ld\n", ms, usage.ru_maxrss);  // ru_maxrss is in kB on Linux
    return 0;
}

int RunToWindow(int settleMs, char **argv)
{
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the server watches the root window before the program starts.
    free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    const auto start = TClock::now();
    const pid_t pid = Launch(argv);
    if (pid < 0)
        return 1;
    double mappedMs = -1;
    pollfd fd {xcb_get_file_descriptor(x), POLLIN, 0};
    while (mappedMs < 0 && MillisecondsSince(start) < 30000) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "startup_probe: %s ended before it showed a window\n", argv[0]);
            return 1;
        }
        poll(&fd, 1, 20);
        while (xcb_generic_event_t *event = xcb_poll_for_event(x)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY && mappedMs < 0)
                mappedMs = MillisecondsSince(start);
            free(event);
        }
    }
    xcb_disconnect(x);
    if (mappedMs < 0) {
        std::fprintf(stderr, "startup_probe: no window within 30 s\n");
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        return 1;
    }
    usleep(static_cast<useconds_t>(settleMs) * 1000);
    const long peakKb = PeakResidentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    std::printf("%.1f %ld\n", mappedMs, peakKb);
    return peakKb < 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char **argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "exit" && argc > 3 && std::strcmp(argv[2], "--") == 0)
        return RunToExit(argv + 3);
    if (mode == "window" && argc > 4 && std::strcmp(argv[3], "--") == 0)
        return RunToWindow(std::atoi(argv[2]), argv + 4);
    std::fprintf(stderr, "Usage: startup_probe window SETTLE_MS -- PROGRAM ARGS...\n"
                         "       startup_probe exit -- PROGRAM ARGS...\n");
    return 2;
}
