#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reading ffmpeg's positions and writing them the way the window expects.
namespace ProgressLine {

// Seconds of a clock text "[-]HH:MM:SS[.fraction]"; nothing for N/A, garbage or a
// negative clock, which ffmpeg prints before the first frame is out.
std::optional<double> clockSeconds(std::string_view text);

// Seconds of one line of ffmpeg's -progress output (out_time_us, out_time_ms, out_time);
// nothing for any other key and for N/A or negative values.
std::optional<double> seconds(std::string_view line);

// "time=3.52 \n": the progress text of the window, C-locale decimal point.
std::string text(double seconds);

} // namespace ProgressLine
