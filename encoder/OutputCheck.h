#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class MessageWatch;
class ProgressTranslator;

// The front's verdict on a finished conversion, as plain rules: an empty reason
// accepts the output, anything else is the one line that tells the user why not.
namespace OutputCheck {

// What ffmpeg's run shows: how it ended (a status as waitpid() gives it), what its
// messages say, and the size of the file it wrote (-1 for none).
std::string ofRun(int waitStatus, const MessageWatch& messages, std::int64_t outputSize);

// Whether ffmpeg's own reports of a run with these arguments vouch for the file it finished,
// of `sizeOnDisk` bytes, so that the file need not be opened: its last report said the end
// was written at that size, and it muxed long enough for the input's length as its summary
// gave it, less what the options cut. Anything less leaves the file to ofFile().
bool vouchedFor(const std::vector<std::string>& arguments, const MessageWatch& messages,
                const ProgressTranslator& progress, std::int64_t sizeOnDisk);

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
