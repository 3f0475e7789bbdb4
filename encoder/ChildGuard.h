#pragma once

class QProcess;

// The window stops a conversion by killing this process; ffmpeg must not outlive it
// and go on writing the output file.
class ChildGuard final
{
public:
    // Kills the current child on SIGTERM, SIGINT and SIGHUP, then dies of the signal.
    static void installSignalHandlers();
    // Makes `process`, once started, die with this process and known to the handlers.
    static void attach(QProcess& process);
};
