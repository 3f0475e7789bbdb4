#pragma once

#include "InputFacts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Libav;

// How long a finished output should last: the input's length, less what the options
// after the input skip at its start (-ss), capped by the length they ask for (-t, -to).
class ExpectedLength final
{
public:
    // The front's whole argument list: -y -i <input> <options...> <output>. Times are read
    // by libavutil, as ffmpeg reads them.
    ExpectedLength(const std::vector<std::string>& arguments, const Libav& av);
    // The same without the libraries: a time option then leaves the length untold, and
    // timesUnread() says so.
    explicit ExpectedLength(const std::vector<std::string>& arguments);

    bool timesUnread() const { return m_timesUnread; }

    // Seconds the output should last for an input of `inputSeconds`; nothing when that
    // cannot be told: the input's length is unknown, or the options shorten the output
    // by design (frame or size limits, -shortest, trimming or speeding filters, a
    // second input).
    std::optional<double> forInput(std::optional<double> inputSeconds) const;

    // The input's length as far as the output carries it: its longest stream of a kind
    // the output has, else the container's length. Nothing for a length guessed from the
    // bit rate, here and in ofOutput().
    static std::optional<double> ofInput(const InputFacts& input, const InputFacts& output);
    // The output's length: the container's, else its longest stream.
    static std::optional<double> ofOutput(const InputFacts& output);

private:
    ExpectedLength(const std::vector<std::string>& arguments, const Libav* av);

    // True when the option took `value` (nullptr where the output follows).
    bool readOption(std::string_view option, const std::string* value);

    const Libav* m_av;
    bool m_unpredictable = false;
    bool m_timesUnread = false;
    double m_start = 0;
    std::optional<double> m_limit; // -t
    std::optional<double> m_end;   // -to
};
