#include "ExpectedLength.h"

#include "Text.h"

#include <algorithm>

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

std::optional<double> ofContainer(const InputFacts& facts)
{
    if (!facts.duration)
        return std::nullopt;
    return *facts.duration * Microsecond;
}

} // namespace

ExpectedLength::ExpectedLength(const std::vector<std::string>& arguments)
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
    // ffmpeg keeps the last of a repeated option.
    const std::optional<double> time = seconds(*value);
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

std::optional<double> ExpectedLength::seconds(std::string_view text)
{
    text = Text::trimmed(text);
    const bool negative = Text::startsWith(text, "-");
    if (negative)
        text.remove_prefix(1);
    double scale = 1;
    if (text.size() > 2 && text.substr(text.size() - 2) == "ms")
        scale = 1e-3;
    else if (text.size() > 2 && text.substr(text.size() - 2) == "us")
        scale = 1e-6;
    else if (!text.empty() && text.back() == 's')
        text.remove_suffix(1);
    if (scale != 1)
        text.remove_suffix(2);
    double total = 0;
    int fields = 0;
    // Each ':' moves what came before up by sixty.
    for (; fields < 3; ++fields) {
        const std::size_t colon = text.find(':');
        const std::optional<double> part = Text::number(text.substr(0, colon));
        const bool last = colon == std::string_view::npos;
        if (!part || *part < 0 || (!last && *part != static_cast<long long>(*part)))
            return std::nullopt;
        total = total * 60 + *part;
        if (last)
            return (negative ? -total : total) * scale;
        text.remove_prefix(colon + 1);
    }
    return std::nullopt;
}
