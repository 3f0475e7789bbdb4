// Starts a program under X and reports how long it took until its first top-level window was
// mapped, and its resident memory once it has come to rest. Plain Xlib, so that the timer
// itself loads no toolkit. Usage: launch_timer <program> [arguments...]
// Prints one line: "<seconds to visible> <VmRSS in kB at rest> <RssAnon in kB at rest>", the
// last being the memory private to the process that no file backs.
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {
double now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// User plus system CPU ticks of the process so far, -1 when it cannot be read.
long cpuTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t end = line.rfind(')');
    if (end == std::string::npos)
        return -1;
    // After the command name come the fields from 3 (state) on; utime and stime are 14 and 15.
    std::istringstream fields(line.substr(end + 2));
    std::string field;
    long ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14)
            ticks += std::strtol(field.c_str(), nullptr, 10);
    }
    return ticks;
}

long statusKb(pid_t pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::strtol(line.c_str() + field.size(), nullptr, 10);
    }
    return -1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program> [arguments...]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double start = now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        std::perror("exec");
        _exit(127);
    }
    double mapped = -1;
    const int fd = ConnectionNumber(display);
    while (mapped < 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == root &&
                !event.xmap.override_redirect && mapped < 0)
                mapped = now() - start;
        }
        if (mapped >= 0)
            break;
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "the program ended before showing a window\n");
            return 1;
        }
        if (now() - start > 30) {
            std::fprintf(stderr, "no window within 30 s\n");
            kill(pid, SIGKILL);
            return 1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{0, 1000};
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }

    // At rest: no CPU time used over a quarter of a second.
    long last = cpuTicks(pid);
    for (int round = 0; round < 40; ++round) {
        usleep(250000);
        const long ticks = cpuTicks(pid);
        if (ticks == last)
            break;
        last = ticks;
    }
    const long rss = statusKb(pid, "VmRSS:");
    const long anon = statusKb(pid, "RssAnon:");
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    std::printf("%.4f %ld %ld\n", mapped, rss, anon);
    return 0;
}
