#pragma once

#include "InputFacts.h"

#include <string>

// Reads an input's container and streams with libavformat, in this process: starting
// ffprobe would cost more than the probe itself.
class InputReader final
{
public:
    // Fills `facts` and returns true, or returns false with libav's reason in `error`
    // (for example "No such file or directory").
    static bool read(const std::string& path, InputFacts& facts, std::string& error);
};
