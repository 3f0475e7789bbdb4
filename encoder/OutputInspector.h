#pragma once

#include <string>
#include <vector>

struct InputFacts;

// Opens a finished output with libavformat, and its input for the length to expect.
// Runs only after ffmpeg has ended; the conversion loads the libraries while ffmpeg works.
class OutputInspector final
{
public:
    // The front's whole argument list, whose options tell the length to expect.
    explicit OutputInspector(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    // Why `output` cannot stand as the conversion of `input`; empty when it can. The input is
    // read here unless its facts are given.
    std::string fault(const std::string& input, const std::string& output,
                      const InputFacts* inputFacts = nullptr) const;

private:
    const std::vector<std::string>& m_arguments;
};
