#include "StopSignals.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A hang-up is a stop too: the terminal is gone, and the encoders, in groups of their own, did
// not hear it.
constexpr int Stopping[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int StoppingCount = int(std::size(Stopping));
// What each did before, put back at the end.
struct sigaction before[StoppingCount] = {};
int pipeEnds[2] = {-1, -1};

void handler(int signal)
{
    // Only async-signal-safe calls here: the number goes through the pipe to the event loop.
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &number, 1);
    errno = saved;
}

void handle(int signal, void (*action)(int))
{
    struct sigaction how = {};
    how.sa_handler = action;
    sigemptyset(&how.sa_mask);
    how.sa_flags = SA_RESTART;
    ::sigaction(signal, &how, nullptr);
}
} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent)
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char number = 0;
        while (::read(pipeEnds[0], &number, 1) == 1)
            emit received(number);
    });
    for (int i = 0; i < StoppingCount; ++i) {
        ::sigaction(Stopping[i], nullptr, &before[i]);
        // A hang-up ignored by whoever started us (nohup) is meant to let the run go on. An
        // ignored SIGINT or SIGTERM is heard all the same: a shell without job control ignores
        // SIGINT for its background jobs, and a kill sent to one still means stop.
        if (Stopping[i] != SIGHUP || before[i].sa_handler != SIG_IGN)
            handle(Stopping[i], handler);
    }
}

StopSignals::~StopSignals()
{
    if (!m_notifier)
        return;
    for (int i = 0; i < StoppingCount; ++i)
        ::sigaction(Stopping[i], &before[i], nullptr);
    delete m_notifier;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void StopSignals::IgnoreBrokenPipe()
{
    handle(SIGPIPE, SIG_IGN);
}

void StopSignals::watchReader(int fd)
{
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !(S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)))
        return; // a file or a terminal has no reader to lose; a hung-up terminal sends SIGHUP
    delete m_readerCheck;
    m_readerCheck = new QTimer(this);
    m_readerCheck->setInterval(250);
    connect(m_readerCheck, &QTimer::timeout, this, [this, fd] {
        // Asks for no event: a pipe without a reader reports an error, a closed socket a hang-up.
        pollfd out = {fd, 0, 0};
        if (::poll(&out, 1, 0) != 1 || (out.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0)
            return;
        m_readerCheck->stop();
        emit received(SIGPIPE);
    });
    m_readerCheck->start();
}
