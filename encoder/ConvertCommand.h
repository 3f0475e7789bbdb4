#pragma once

#include "MessageFilter.h"
#include "MessageWatch.h"
#include "ProgressTranslator.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The conversion form: runs ffmpeg with the window's arguments, passes its messages
// through and turns its -progress reports into the window's "time=" texts. ffmpeg writes
// to a temporary file that replaces the output only once the result has been checked.
class ConvertCommand final
{
public:
    // -y -i <input> <options...> <output>, as CommandLine accepts them.
    explicit ConvertCommand(const std::vector<std::string>& arguments);

    // The full ffmpeg command line for the window's arguments.
    static std::vector<std::string> ffmpegCommand(const std::vector<std::string>& arguments);

    // Converts and returns the exit status for this process: 0 only for a checked output,
    // else ffmpeg's own when it failed, 1 for other failures, 127 when ffmpeg could not be
    // started. A failure ends with one line "Conversion failed: <reason>".
    int run();

private:
    using Clock = std::chrono::steady_clock;

    // ffmpeg's wait status; nothing when it could not be started.
    std::optional<int> runFfmpeg();
    // Ends the output with "Conversion failed: <reason>" and returns `status`.
    int reject(const std::string& reason, int status);
    void passMessages(std::string_view bytes);
    // Passes message lines on, naming the output where ffmpeg names the temporary file.
    void show(const std::string& messages);
    void takeProgress(std::string_view bytes);
    void writeProgress();

    std::vector<std::string> m_arguments;
    std::vector<std::string> m_command;
    // ffmpeg names the file it writes; the window knows only the output's name.
    std::string m_temporary;
    MessageFilter m_messages;
    MessageWatch m_watch;
    ProgressTranslator m_progress;
    Clock::time_point m_lastProgress;
    bool m_lineOpen = false; // the last text written ended without a line break
};
