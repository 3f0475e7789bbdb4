#include "ChildGuard.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// SIGPIPE: the window went away; nobody is left to take the output.
constexpr int Stopping[] = {SIGTERM, SIGINT, SIGHUP, SIGPIPE};

volatile sig_atomic_t s_child = 0;
// A handler may call no allocator; the path waits in a buffer of its own.
char s_file[PATH_MAX];
volatile sig_atomic_t s_hasFile = 0;

extern "C" void killChildAndDie(int signal)
{
    const pid_t child = s_child;
    if (child > 0) {
        ::kill(child, SIGKILL);
        // Dead, it can no longer create or write the file removed next.
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    if (s_hasFile)
        ::unlink(s_file);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

} // namespace

void ChildGuard::installSignalHandlers()
{
    struct sigaction action = {};
    action.sa_handler = killChildAndDie;
    sigemptyset(&action.sa_mask);
    for (const int signal : Stopping)
        ::sigaction(signal, &action, nullptr);
}

sigset_t ChildGuard::stoppingSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : Stopping)
        sigaddset(&signals, signal);
    return signals;
}

void ChildGuard::watch(pid_t child)
{
    s_child = static_cast<sig_atomic_t>(child);
}

void ChildGuard::watchFile(const char* path)
{
    // A handler must never see the buffer half written.
    const sigset_t stopping = stoppingSignals();
    sigset_t previous;
    ::sigprocmask(SIG_BLOCK, &stopping, &previous);
    const std::size_t length = std::strlen(path);
    s_hasFile = length > 0 && length < sizeof s_file;
    if (s_hasFile)
        std::memcpy(s_file, path, length + 1);
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
}

void ChildGuard::bindToParent(pid_t parent)
{
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (const int signal : Stopping)
        ::sigaction(signal, &byDefault, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have died before the death signal was armed.
    if (::getppid() != parent)
        ::_exit(127);
}
