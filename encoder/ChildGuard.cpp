#include "ChildGuard.h"

#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int Stopping[] = {SIGTERM, SIGINT, SIGHUP};

volatile sig_atomic_t s_child = 0;

extern "C" void killChildAndDie(int signal)
{
    const pid_t child = s_child;
    if (child > 0)
        ::kill(child, SIGKILL);
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
