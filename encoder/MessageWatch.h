#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reads ffmpeg's messages for what its exit status does not tell: ffmpeg 5.1 can fail to
// write the end of the output and still exit with 0. Also keeps the line that best says
// why a run failed.
class MessageWatch final
{
public:
    // Complete lines, as MessageFilter hands them on.
    void look(std::string_view lines);

    // The first line that tells of a failed write to the output; empty when none did.
    const std::string& writeError() const { return m_writeError; }
    // ffmpeg's last line that reads like the cause of a failure; empty when none did.
    std::string lastError() const;
    // The input's length as ffmpeg's summary of its first input gives it; nothing when it
    // is N/A, was guessed from the bit rate, or was not printed (a quiet log level).
    std::optional<double> inputSeconds() const
    {
        return m_estimated ? std::nullopt : m_inputSeconds;
    }

private:
    void lookAtLine(std::string_view line);
    void readInputLength(std::string_view line);

    std::string m_writeError;
    std::string m_lastPlain;
    // "[codec @ 0x...] ..." lines often only report on the way out, after the cause.
    std::string m_lastFromLibrary;
    bool m_inFirstInput = false; // between "Input #0, ..." and the next heading of its kind
    bool m_durationRead = false;
    bool m_estimated = false;
    std::optional<double> m_inputSeconds;
};
