#include "OutputCheck.h"

#include "ExpectedLength.h"
#include "MessageWatch.h"
#include "ProgressTranslator.h"
#include "Text.h"

#include <sys/wait.h>

namespace {

// The shortfall a real codec shows is under a frame or an audio packet plus the container's
// rounding; a broken or cut output misses far more.
constexpr double AllowedShortfall = 0.5; // seconds
constexpr double AllowedShare = 0.05;    // of the expected length

// "Error writing trailer of x.avi: No space left on device" says most in its last part.
std::string systemReason(const std::string& line)
{
    const std::size_t colon = line.rfind(": ");
    return colon == std::string::npos ? line : line.substr(colon + 2);
}

} // namespace

namespace OutputCheck {

std::string ofRun(int waitStatus, const MessageWatch& messages, std::int64_t outputSize)
{
    if (!WIFEXITED(waitStatus))
        return "ffmpeg ended abnormally";
    if (!messages.writeError().empty())
        return systemReason(messages.writeError());
    if (WEXITSTATUS(waitStatus) != 0) {
        const std::string cause = messages.lastError();
        return cause.empty() ? "ffmpeg ended with status " + std::to_string(WEXITSTATUS(waitStatus))
                             : cause;
    }
    if (outputSize < 0)
        return "ffmpeg wrote no output";
    if (outputSize == 0)
        return "the output is empty";
    return {};
}

bool vouchedFor(const std::vector<std::string>& arguments, const MessageWatch& messages,
                const ProgressTranslator& progress, std::int64_t sizeOnDisk)
{
    // Times in the options are read as ffmpeg reads them only with the libraries loaded.
    const ExpectedLength length(arguments);
    if (length.timesUnread() || progress.finalSize() != sizeOnDisk)
        return false;
    const std::optional<double> expected = length.forInput(messages.inputSeconds());
    return !expected || longEnough(*expected, progress.position());
}

std::string ofFile(const std::string& unreadable, std::optional<double> expectedSeconds,
                   std::optional<double> outputSeconds)
{
    if (!unreadable.empty())
        return "the output cannot be read (" + unreadable + ")";
    if (expectedSeconds && outputSeconds && !longEnough(*expectedSeconds, *outputSeconds))
        return "the output lasts " + Text::fixed(*outputSeconds, 2) + " s instead of " +
               Text::fixed(*expectedSeconds, 2) + " s";
    return {};
}

bool longEnough(double expected, double actual)
{
    return actual >= expected - AllowedShortfall - AllowedShare * expected;
}

int failureStatus(int waitStatus)
{
    if (WIFEXITED(waitStatus) && WEXITSTATUS(waitStatus) != 0)
        return WEXITSTATUS(waitStatus);
    return 1;
}

} // namespace OutputCheck
