#include "ExpectedLength.h"

#include "Libav.h"
#include "Text.h"

#include <algorithm>
#include <cstdint>

namespace {

using Stream = InputFacts::Stream;

constexpr double Microsecond = 1e-6;

// Filters that drop or retime frames; a scale or deinterlace keeps the length.
constexpr std::string_view Retiming[] = {"trim", "select", "setpts", "atempo"};

bool shortensByDesign(std::string_view option)
{
    return option == "-i" || option == "-fs" || option == "-shortest" || option == "-vframes" ||
           option == "-aframes" || option == "-dframes" || Text::startsWith(option, "-frames");
}

bool isFilterOption(std::string_view option)
{
    return option == "-vf" || option == "-af" || option == "-lavfi" ||
           Text::startsWith(option, "-filter");
}

bool counts(const Stream& stream, bool video, bool audio)
{
    return (video && stream.kind == Stream::Kind::Video && !stream.attachedPicture) ||
           (audio && stream.kind == Stream::Kind::Audio);
}

std::optional<double> longest(const InputFacts& facts, bool video, bool audio)
{
    std::optional<double> result;
    for (const Stream& stream : facts.streams) {
        if (stream.duration && counts(stream, video, audio))
            result = std::max(result.value_or(0), *stream.duration * Microsecond);
    }
    return result;
}

// A time option's value as ffmpeg takes it: seconds ("90", "1.5", "1500ms", "250us") or
// [-][HH:]MM:SS[.fraction].
std::optional<double> seconds(const std::string& text, const Libav& av)
{
    std::int64_t microseconds = 0;
    if (av.av_parse_time(&microseconds, text.c_str(), 1) < 0)
        return std::nullopt;
    return static_cast<double>(microseconds) * Microsecond;
}

std::optional<double> ofContainer(const InputFacts& facts)
{
    if (!facts.duration)
        return std::nullopt;
    return *facts.duration * Microsecond;
}

} // namespace

ExpectedLength::ExpectedLength(const std::vector<std::string>& arguments, const Libav& av)
    : ExpectedLength(arguments, &av)
{}

ExpectedLength::ExpectedLength(const std::vector<std::string>& arguments)
    : ExpectedLength(arguments, nullptr)
{}

ExpectedLength::ExpectedLength(const std::vector<std::string>& arguments, const Libav* av)
    : m_av(av)
{
    // The options lie between "-y -i <input>" and the output.
    for (std::size_t i = 3; i + 1 < arguments.size(); ++i) {
        const bool hasValue = i + 2 < arguments.size();
        if (readOption(arguments[i], hasValue ? &arguments[i + 1] : nullptr))
            ++i;
    }
}

bool ExpectedLength::readOption(std::string_view option, const std::string* value)
{
    if (shortensByDesign(option)) {
        m_unpredictable = true;
        return false;
    }
    if (!value)
        return false;
    if (isFilterOption(option)) {
        for (const std::string_view filter : Retiming)
            m_unpredictable = m_unpredictable || value->find(filter) != std::string::npos;
        return true;
    }
    if (option != "-ss" && option != "-t" && option != "-to")
        return false;
    if (!m_av) {
        m_timesUnread = m_unpredictable = true;
        return true;
    }
    // ffmpeg keeps the last of a repeated option.
    const std::optional<double> time = seconds(*value, *m_av);
    m_unpredictable = m_unpredictable || !time;
    if (option == "-ss")
        m_start = time.value_or(0);
    else
        (option == "-t" ? m_limit : m_end) = time;
    return true;
}

std::optional<double> ExpectedLength::forInput(std::optional<double> inputSeconds) const
{
    if (m_unpredictable || !inputSeconds)
        return std::nullopt;
    double length = *inputSeconds - m_start;
    // -t wins over -to; -to counts from the same zero as -ss.
    if (m_limit)
        length = std::min(length, *m_limit);
    else if (m_end)
        length = std::min(length, *m_end - m_start);
    if (length <= 0)
        return std::nullopt;
    return length;
}

std::optional<double> ExpectedLength::ofInput(const InputFacts& input, const InputFacts& output)
{
    if (input.durationFromBitRate)
        return std::nullopt;
    const bool video = std::any_of(output.streams.begin(), output.streams.end(),
                                   [](const Stream& s) { return counts(s, true, false); });
    const bool audio = std::any_of(output.streams.begin(), output.streams.end(),
                                   [](const Stream& s) { return counts(s, false, true); });
    if (const std::optional<double> streams = longest(input, video, audio))
        return streams;
    return ofContainer(input);
}

std::optional<double> ExpectedLength::ofOutput(const InputFacts& output)
{
    if (output.durationFromBitRate)
        return std::nullopt;
    if (const std::optional<double> container = ofContainer(output))
        return container;
    return longest(output, true, true);
}
