#include "ChildGuard.h"

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

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
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

void ChildGuard::attach(QProcess& process)
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        // The parent may have died before the death signal was armed.
        if (::getppid() != parent)
            ::_exit(127);
    });
    QObject::connect(&process, &QProcess::started, &process,
                     [&process] { s_child = static_cast<sig_atomic_t>(process.processId()); });
    QObject::connect(&process, &QProcess::finished, &process, [] { s_child = 0; });
}
