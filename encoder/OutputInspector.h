#pragma once

#include <string>

class ExpectedLength;

// Opens a finished output with libavformat, and its input for the length to expect.
// Runs only after ffmpeg has ended: loading the libraries at start would slow every
// conversion, and while ffmpeg runs they would only compete with it.
class OutputInspector final
{
public:
    explicit OutputInspector(const ExpectedLength& expected) : m_expected(expected) {}

    // Why `output` cannot stand as the conversion of `input`; empty when it can.
    std::string fault(const std::string& input, const std::string& output) const;

private:
    const ExpectedLength& m_expected;
};
