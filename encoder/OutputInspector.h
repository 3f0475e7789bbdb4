#pragma once

#include <string>
#include <vector>

// Opens a finished output with libavformat, and its input for the length to expect: the
// check for the outputs that ffmpeg's own reports do not vouch for. Loading the libraries
// costs more than a short conversion's own work, so a conversion loads them only here.
class OutputInspector final
{
public:
    // The front's whole argument list, whose options tell the length to expect.
    explicit OutputInspector(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    // Why `output` cannot stand as the conversion of `input`; empty when it can.
    std::string fault(const std::string& input, const std::string& output) const;

private:
    const std::vector<std::string>& m_arguments;
};
