#pragma once

#include <csignal>
#include <sys/types.h>

// The window stops a conversion by killing this process; ffmpeg must not outlive it
// and go on writing the output file.
class ChildGuard final
{
public:
    // Kills the watched child on SIGTERM, SIGINT and SIGHUP, then dies of the signal.
    static void installSignalHandlers();
    // The signals those handlers take, for blocking them while a child starts.
    static sigset_t stoppingSignals();
    // The child the handlers kill; 0 for none.
    static void watch(pid_t child);
    // Runs in a freshly forked child, before exec: it is to die with `parent` (which a
    // signal handler cannot cover for SIGKILL) and starts with default signal handling.
    static void bindToParent(pid_t parent);
};
