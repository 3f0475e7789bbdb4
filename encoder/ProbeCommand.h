#pragma once

#include <string>

// The probe form: reads the input and prints the report, or why the input cannot be read.
class ProbeCommand final
{
public:
    // Returns the exit status, always 1 as the classic tool gives without an output file.
    static int run(const std::string& input);
    // The list form: reads input paths from standard input, one per line, until it ends, and
    // writes each one's report as the one-input form would, followed by the line ListEnd.
    // The libraries load once for all of them. Returns 0.
    static int runList();

    // What the capability query answers, one form per line.
    static constexpr char Capabilities[] = "probe-list\n";
    static constexpr char ListEnd[] = "--end of report--\n";
};
