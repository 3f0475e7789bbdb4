#include "ProcessTies.h"

#include <QProcess>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sched.h>
#include <sys/prctl.h>
#include <unistd.h>
#endif

void TieToProgram(QProcess& process, WhenProgramDies end)
{
#ifdef Q_OS_LINUX
    const pid_t parent = ::getpid();
    const int signal = end == WhenProgramDies::Terminate ? SIGTERM : SIGKILL;
    process.setChildProcessModifier([parent, signal] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, signal);
        if (::getppid() != parent) // we died before the death signal was armed
            ::_exit(127);
    });
#else
    Q_UNUSED(process)
    Q_UNUSED(end)
#endif
}

void RunInBackground(const QProcess& process)
{
#ifdef Q_OS_LINUX
    if (process.processId() > 0) {
        const sched_param none = {};
        ::sched_setscheduler(pid_t(process.processId()), SCHED_IDLE, &none);
    }
#else
    Q_UNUSED(process)
#endif
}
