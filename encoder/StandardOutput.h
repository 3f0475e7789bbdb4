#pragma once

#include <string_view>

// Writes straight to file descriptor 1: every call is one write the window can read
// at once, with no buffering in between.
class StandardOutput final
{
public:
    static void write(std::string_view bytes);
};
