#pragma once

#include <cstdint>
#include <optional>
#include <string>

class MessageWatch;

// The front's verdict on a finished conversion, as plain rules: an empty reason
// accepts the output, anything else is the one line that tells the user why not.
namespace OutputCheck {

// What ffmpeg's run shows: how it ended (a status as waitpid() gives it), what its
// messages say, and the size of the file it wrote (-1 for none).
std::string ofRun(int waitStatus, const MessageWatch& messages, std::int64_t outputSize);

// The finished file as libavformat reads it: `unreadable` holds its reason when it cannot
// be opened; a length that is not known is not judged.
std::string ofFile(const std::string& unreadable, std::optional<double> expectedSeconds,
                   std::optional<double> outputSeconds);

// Whether an output of `actual` seconds may stand for `expected`: encoders end a little
// early (the last frame's or audio frame's length), never by much.
bool longEnough(double expected, double actual);

// The exit status for a rejected output: ffmpeg's own when it failed, else 1.
int failureStatus(int waitStatus);

} // namespace OutputCheck
