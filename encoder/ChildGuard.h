#pragma once

#include <csignal>
#include <sys/types.h>

// The window stops a conversion by killing this process; ffmpeg must not outlive it
// and go on writing, and its unfinished file must not stay behind.
class ChildGuard final
{
public:
    // On SIGTERM, SIGINT, SIGHUP and SIGPIPE: kills the watched child, waits for it,
    // removes the watched file, then dies of the signal.
    static void installSignalHandlers();
    // The signals those handlers take, for blocking them while a child starts.
    static sigset_t stoppingSignals();
    // The child the handlers kill; 0 for none.
    static void watch(pid_t child);
    // The file the handlers remove; empty for none. A path too long to keep is not
    // watched (no system call would take it anyway).
    static void watchFile(const char* path);
    // Runs in a freshly forked child, before exec: it is to die with `parent` (which a
    // signal handler cannot cover for SIGKILL) and starts with default signal handling.
    static void bindToParent(pid_t parent);
};
