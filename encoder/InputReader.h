#pragma once

#include "InputFacts.h"

#include <string>

struct AVStream;
struct Libav;

// Reads an input's container and streams with libavformat, in this process: starting
// ffprobe would cost more than the probe itself.
class InputReader final
{
public:
    explicit InputReader(const Libav& av) : m_av(av) {}

    // Fills `facts` and returns true, or returns false with libav's reason in `error`
    // (for example "No such file or directory").
    bool read(const std::string& path, InputFacts& facts, std::string& error) const;

private:
    InputFacts::Stream stream(const AVStream& source) const;

    const Libav& m_av;
};
