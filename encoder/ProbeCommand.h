#pragma once

#include <string>

// The probe form: reads the input and prints the report, or why the input cannot be read.
class ProbeCommand final
{
public:
    // Returns the exit status, always 1 as the classic tool gives without an output file.
    static int run(const std::string& input);
};
