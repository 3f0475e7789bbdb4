#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// A program run with no input and with its output and its messages on pipes of their
// own, bound to this process's life through ChildGuard.
class ChildProcess final
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program `arguments[0]`, looked up on PATH, never through a shell.
    // Returns false with the system's reason in `error` when it cannot be started.
    bool start(const std::vector<std::string>& arguments, std::string& error);

    // Read ends of its standard output and standard error.
    int output() const { return m_output; }
    int messages() const { return m_messages; }

    // Waits for the program to end and returns the status as waitpid() gives it.
    int wait();

private:
    pid_t m_pid = -1;
    int m_output = -1;
    int m_messages = -1;
};
