#pragma once

#include <string>
#include <string_view>

// Follows ffmpeg's -progress stream, which may arrive cut anywhere, and keeps the
// furthest position reached so the window never sees the position go back.
class ProgressTranslator final
{
public:
    // Returns true when at least one complete report ("progress=..." line) arrived.
    bool feed(std::string_view bytes);
    // Takes a last line that ended without a line break; true if it moved the position.
    bool finish();

    double position() const { return m_position; }

private:
    bool takeLine(std::string_view line);

    std::string m_partial;
    double m_position = 0;
};
