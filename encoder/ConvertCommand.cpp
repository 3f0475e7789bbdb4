#include "ConvertCommand.h"

#include "ChildProcess.h"
#include "FileKind.h"
#include "OutputCheck.h"
#include "OutputInspector.h"
#include "ProgressLine.h"
#include "StandardOutput.h"
#include "TemporaryOutput.h"
#include "Text.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {

// The window wants a progress text at least every half second; writing one after 0.4 s
// of silence leaves room for its own reading delay.
constexpr std::chrono::milliseconds Heartbeat(400);
constexpr int CannotStartStatus = 127;
constexpr std::size_t InputArgument = 2;

} // namespace

ConvertCommand::ConvertCommand(const std::vector<std::string>& arguments)
    : m_arguments(arguments), m_command(ffmpegCommand(arguments))
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
    const std::string& input = m_arguments.at(InputArgument);
    // ffmpeg would wait on a FIFO for a writer that may never come.
    if (const std::string refusal = FileKind::refusal(input); !refusal.empty())
        return reject(refusal, 1);
    TemporaryOutput temporary(m_arguments.back());
    if (const std::string fault = temporary.prepare(input); !fault.empty())
        return reject(fault, 1);
    m_temporary = temporary.path();
    m_command.back() = m_temporary;

    const std::optional<int> status = runFfmpeg();
    if (!status)
        return CannotStartStatus;
    const std::int64_t size = temporary.size();
    std::string fault = OutputCheck::ofRun(*status, m_watch, size);
    if (fault.empty() && !OutputCheck::vouchedFor(m_arguments, m_watch, m_progress, size))
        fault = OutputInspector(m_arguments).fault(input, m_temporary);
    std::string error;
    if (fault.empty() && temporary.commit(error))
        return 0;
    if (fault.empty())
        fault = "the output cannot be replaced (" + error + ")";
    // A folder that turned read-only keeps the file; the user must learn where it is.
    if (std::string kept; !temporary.discard(kept))
        fault += "; the unfinished file " + m_temporary + " cannot be removed (" + kept + ")";
    return reject(fault, OutputCheck::failureStatus(*status));
}

int ConvertCommand::reject(const std::string& reason, int status)
{
    // The window shows the encoder's last lines as the reason of a failure; this one
    // must be a line of its own.
    StandardOutput::write((m_lineOpen ? "\n" : "") + ("Conversion failed: " + reason + "\n"));
    return status;
}

std::optional<int> ConvertCommand::runFfmpeg()
{
    ChildProcess ffmpeg;
    std::string error;
    m_lastProgress = Clock::now();
    if (!ffmpeg.start(m_command, error)) {
        StandardOutput::write("ffmpeg could not be started: " + error + "\n");
        return std::nullopt;
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
    show(m_messages.flush());
    if (m_progress.finish())
        writeProgress();
    return status;
}

void ConvertCommand::passMessages(std::string_view bytes)
{
    show(m_messages.feed(bytes));
}

void ConvertCommand::show(const std::string& messages)
{
    if (messages.empty())
        return;
    const std::string lines = Text::replaced(messages, m_temporary, m_arguments.back());
    m_watch.look(lines);
    StandardOutput::write(lines);
    m_lineOpen = lines.back() != '\n' && lines.back() != '\r';
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
    m_lineOpen = false;
}
