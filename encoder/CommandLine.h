#pragma once

#include <string>
#include <string_view>
#include <vector>

// The argument shapes the window uses, told apart from anything else.
struct CommandLine
{
    // Probe reads one input; ProbeList reads the inputs named on standard input, one per line;
    // Capabilities names the forms beyond the classic two, so that the window knows whether
    // it may use them.
    enum class Form { Usage, Probe, Convert, ProbeList, Capabilities };

    Form form = Form::Usage;
    // The input path exactly as received (raw bytes, so the report can echo it).
    std::string input;
    // Every received argument, in order; a conversion hands them to ffmpeg unchanged.
    std::vector<std::string> arguments;

    static CommandLine parse(std::vector<std::string> arguments);
    static std::string_view usage();
};
