#pragma once

#include <string>
#include <string_view>

// Passes ffmpeg's messages on line by line. Its status line says "time=HH:MM:SS.cc",
// which the window cannot read as a number; that value is restated in seconds.
class MessageFilter final
{
public:
    // The complete lines (ended by \n or \r) received so far, ready to print.
    std::string feed(std::string_view bytes);
    // Whatever is left, line break or not.
    std::string flush();

    // Clock values become seconds; N/A and negative values are dropped, since the
    // window must never see them as a position.
    static std::string restateTimes(std::string_view text);

private:
    std::string m_partial;
};
