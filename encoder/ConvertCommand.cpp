#include "ConvertCommand.h"

#include "ChildProcess.h"
#include "ProgressLine.h"
#include "StandardOutput.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The window wants a progress text at least every half second; writing one after 0.4 s
// of silence leaves room for its own reading delay.
constexpr std::chrono::milliseconds Heartbeat(400);
constexpr int CannotStartStatus = 127;

} // namespace

ConvertCommand::ConvertCommand(const std::vector<std::string>& arguments)
    : m_command(ffmpegCommand(arguments))
{}

std::vector<std::string> ConvertCommand::ffmpegCommand(const std::vector<std::string>& arguments)
{
    // -progress reports about every half second (ffmpeg's default period); asking for
    // that period explicitly would only add a notice to the messages.
    std::vector<std::string> command{"ffmpeg",   "-nostdin",  "-hide_banner",
                                     "-nostats", "-progress", "pipe:1"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
}

int ConvertCommand::run()
{
    ChildProcess ffmpeg;
    std::string error;
    m_lastProgress = Clock::now();
    if (!ffmpeg.start(m_command, error)) {
        StandardOutput::write("ffmpeg could not be started: " + error + "\n");
        return CannotStartStatus;
    }

    // ffmpeg reports only while it makes progress; a slow encoder start or a long flush
    // at the end would otherwise leave the window without a text for too long.
    pollfd pipes[] = {{ffmpeg.output(), POLLIN, 0}, {ffmpeg.messages(), POLLIN, 0}};
    char buffer[64 * 1024];
    for (int openPipes = 2; openPipes > 0;) {
        const auto wait =
            std::chrono::ceil<std::chrono::milliseconds>(m_lastProgress + Heartbeat - Clock::now());
        if (::poll(pipes, 2, std::max(0, static_cast<int>(wait.count()))) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (pollfd& pipe : pipes) {
            if (pipe.fd < 0 || pipe.revents == 0)
                continue;
            const ssize_t got = ::read(pipe.fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                pipe.fd = -1; // poll() skips it from now on
                --openPipes;
                continue;
            }
            const std::string_view bytes(buffer, static_cast<std::size_t>(got));
            if (pipe.fd == ffmpeg.output())
                takeProgress(bytes);
            else
                passMessages(bytes);
        }
        if (Clock::now() >= m_lastProgress + Heartbeat)
            writeProgress();
    }

    const int status = ffmpeg.wait();
    StandardOutput::write(m_messages.flush());
    if (m_progress.finish())
        writeProgress();
    if (!WIFEXITED(status)) {
        StandardOutput::write("ffmpeg ended abnormally\n");
        return 1;
    }
    return WEXITSTATUS(status);
}

void ConvertCommand::passMessages(std::string_view bytes)
{
    StandardOutput::write(m_messages.feed(bytes));
}

void ConvertCommand::takeProgress(std::string_view bytes)
{
    if (m_progress.feed(bytes))
        writeProgress();
}

void ConvertCommand::writeProgress()
{
    StandardOutput::write(ProgressLine::text(m_progress.position()));
    m_lastProgress = Clock::now();
}
