#include "ProcessTies.h"

#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sched.h>
#include <sys/prctl.h>
#include <unistd.h>
#endif

void StartTied(QProcess& process, const QString& program, const QStringList& arguments,
               QIODevice::OpenMode mode, WhenProgramDies end, bool background)
{
#ifdef Q_OS_LINUX
    const pid_t parent = ::getpid();
    const int signal = end == WhenProgramDies::Terminate ? SIGTERM : SIGKILL;
    // Runs in the child between fork and exec: system calls only.
    process.setChildProcessModifier([parent, signal, background] {
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, signal);
        if (::getppid() != parent) // we died before the death signal was armed
            ::_exit(127);
        if (background) {
            const sched_param none = {};
            ::sched_setscheduler(0, SCHED_IDLE, &none);
        }
    });
#else
    Q_UNUSED(end)
    Q_UNUSED(background)
#endif
    process.start(QFileInfo(program).absoluteFilePath(), arguments, mode);
}
