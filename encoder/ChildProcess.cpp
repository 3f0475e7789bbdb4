#include "ChildProcess.h"

#include "ChildGuard.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Pipe
{
    int ends[2] = {-1, -1};

    bool open() { return ::pipe2(ends, O_CLOEXEC) == 0; }
    int readEnd() const { return ends[0]; }
    int writeEnd() const { return ends[1]; }
    void close()
    {
        for (int& end : ends) {
            if (end >= 0)
                ::close(end);
            end = -1;
        }
    }
};

void closeIfOpen(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

// The forked child up to exec. Failing that, errno goes back to the parent through
// `report`, whose write end exec would otherwise close unused.
[[noreturn]] void execute(char* const argv[], pid_t parent, int input, const Pipe& output,
                          const Pipe& messages, const Pipe& report, const sigset_t& mask)
{
    ChildGuard::bindToParent(parent);
    ::sigprocmask(SIG_SETMASK, &mask, nullptr);
    if (::dup2(input, STDIN_FILENO) >= 0 && ::dup2(output.writeEnd(), STDOUT_FILENO) >= 0 &&
        ::dup2(messages.writeEnd(), STDERR_FILENO) >= 0)
        ::execvp(argv[0], argv);
    const int error = errno;
    [[maybe_unused]] const ssize_t written = ::write(report.writeEnd(), &error, sizeof error);
    ::_exit(127);
}

} // namespace

ChildProcess::~ChildProcess()
{
    closeIfOpen(m_output);
    closeIfOpen(m_messages);
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        wait();
    }
}

bool ChildProcess::start(const std::vector<std::string>& arguments, std::string& error)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    Pipe output;
    Pipe messages;
    Pipe report;
    const int input = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (input < 0 || !output.open() || !messages.open() || !report.open()) {
        error = std::strerror(errno);
        closeIfOpen(input);
        output.close();
        messages.close();
        report.close();
        return false;
    }

    // A stopping signal between fork and watch() would kill no child; it waits until
    // the handlers know the child.
    const sigset_t stopping = ChildGuard::stoppingSignals();
    sigset_t previous;
    ::sigprocmask(SIG_BLOCK, &stopping, &previous);
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0)
        execute(argv.data(), parent, input, output, messages, report, previous);
    const int forkError = errno;
    if (pid > 0)
        ChildGuard::watch(pid);
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);

    ::close(input);
    ::close(output.writeEnd());
    ::close(messages.writeEnd());
    ::close(report.writeEnd());
    m_output = output.readEnd();
    m_messages = messages.readEnd();
    if (pid < 0) {
        ::close(report.readEnd());
        error = std::strerror(forkError);
        return false;
    }
    m_pid = pid;

    // The report pipe closes unread on a successful exec.
    int execError = 0;
    ssize_t got = 0;
    do
        got = ::read(report.readEnd(), &execError, sizeof execError);
    while (got < 0 && errno == EINTR);
    ::close(report.readEnd());
    if (got == sizeof execError) {
        wait();
        error = std::strerror(execError);
        return false;
    }
    return true;
}

int ChildProcess::wait()
{
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    ChildGuard::watch(0);
    return status;
}
