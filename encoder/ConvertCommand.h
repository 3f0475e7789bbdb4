#pragma once

#include "MessageFilter.h"
#include "ProgressTranslator.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

// The conversion form: runs ffmpeg with the window's arguments, passes its messages
// through and turns its -progress reports into the window's "time=" texts.
class ConvertCommand final
{
public:
    explicit ConvertCommand(const std::vector<std::string>& arguments);

    // The full ffmpeg command line for the window's arguments.
    static std::vector<std::string> ffmpegCommand(const std::vector<std::string>& arguments);

    // Runs ffmpeg to its end and returns the exit status for this process: ffmpeg's own,
    // 1 when it died of a signal, 127 when it could not be started.
    int run();

private:
    using Clock = std::chrono::steady_clock;

    void passMessages(std::string_view bytes);
    void takeProgress(std::string_view bytes);
    void writeProgress();

    std::vector<std::string> m_command;
    MessageFilter m_messages;
    ProgressTranslator m_progress;
    Clock::time_point m_lastProgress;
};
