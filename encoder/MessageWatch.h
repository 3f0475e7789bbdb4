#pragma once

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

private:
    void lookAtLine(std::string_view line);

    std::string m_writeError;
    std::string m_lastPlain;
    // "[codec @ 0x...] ..." lines often only report on the way out, after the cause.
    std::string m_lastFromLibrary;
};
