// Starts a program and measures how long it takes until a window of its own
// is viewable on the X display (mapped by the window manager, frame and all),
// then reads the program's resident memory one second later and ends it.
//   window_map_watch PROGRAM [ARGS...]
// prints "<milliseconds> <KiB> <CPU milliseconds>" on success, the last being
// the CPU time all the program's threads had used when the window came (less
// at the mercy of other load on the machine than the first); exits 1 when no
// window came.
// It listens for the map events of the root window rather than polling, so
// it costs the program under test nothing while it starts.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kMapLimit = 20s;
constexpr auto kMemoryDelay = 1s;

// A window may vanish between the event that names it and the look at it.
int ignore_x_error(Display*, XErrorEvent*)
{
    return 0;
}

long window_pid(Display* display, Window window, Atom pid_atom)
{
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after, &data)
            != Success
        || data == nullptr)
        return -1;
    long pid = -1;
    if (format == 32 && items == 1)
        std::memcpy(&pid, data, sizeof pid); // 32-bit items come as longs
    XFree(data);
    return pid;
}

// The window of the process under `window`, itself included: the program's
// window sits inside the frame that the window manager maps on the root.
Window find_window_of(Display* display, Window window, pid_t pid, Atom pid_atom, int depth)
{
    if (window_pid(display, window, pid_atom) == pid)
        return window;
    if (depth == 0)
        return None;
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) == 0)
        return None;
    Window found = None;
    for (unsigned i = 0; i < count && found == None; ++i)
        found = find_window_of(display, children[i], pid, pid_atom, depth - 1);
    if (children != nullptr)
        XFree(children);
    return found;
}

bool viewable(Display* display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

long resident_kib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// The first field of a thread's schedstat: nanoseconds it ran on a CPU.
double cpu_ms(pid_t pid)
{
    double nanoseconds = 0;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double ran = 0;
        if (schedstat >> ran)
            nanoseconds += ran;
    }
    return nanoseconds / 1e6;
}

void end_process(pid_t pid)
{
    kill(pid, SIGTERM);
    const auto deadline = Clock::now() + 2s;
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return;
        }
        std::this_thread::sleep_for(10ms);
    }
}

// Waits for the map events on the root until one brings a viewable window of
// `pid`. None when the program ended or the time ran out.
Window wait_for_window(Display* display, pid_t pid, Clock::time_point deadline)
{
    const Atom pid_atom = XInternAtom(display, "_NET_WM_PID", False);
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    Window candidate = None; // found, but not yet viewable
    while (Clock::now() < deadline) {
        while (XPending(display) > 0) {
            XEvent event{};
            XNextEvent(display, &event);
            if (event.type == MapNotify && candidate == None)
                candidate = find_window_of(display, event.xmap.window, pid, pid_atom, 3);
        }
        if (candidate != None && viewable(display, candidate))
            return candidate;
        if (waitpid(pid, nullptr, WNOHANG) != 0)
            return None;
        poll(&connection, 1, candidate != None ? 1 : 50);
    }
    return None;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_map_watch PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "window_map_watch: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignore_x_error);
    fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    const Window window = wait_for_window(display, pid, start + kMapLimit);
    const auto mapped = Clock::now();
    const double cpu_to_map_ms = cpu_ms(pid);
    if (window == None) {
        std::fprintf(stderr, "window_map_watch: %s showed no window\n", argv[1]);
        end_process(pid);
        XCloseDisplay(display);
        return 1;
    }
    std::this_thread::sleep_for(kMemoryDelay);
    const long kib = resident_kib(pid);
    end_process(pid);
    XCloseDisplay(display);

    std::printf("%.1f %ld %.1f\n", std::chrono::duration<double, std::milli>(mapped - start).count(), kib, cpu_to_map_ms);
    return 0;
}
