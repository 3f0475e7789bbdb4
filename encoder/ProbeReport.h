#pragma once

#include "InputFacts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The input report the window reads, in the classic layout.
namespace ProbeReport {

// The whole report for `path`, which is echoed byte for byte.
std::string text(const InputFacts& facts, std::string_view path);

// "HH:MM:SS.cc" rounded to the nearest hundredth, or "N/A" when unknown.
std::string durationText(std::optional<std::int64_t> microseconds);

// Seconds with six decimals, as in "start: -0.040000".
std::string startText(std::int64_t microseconds);

// One "Stream #0.n: ..." line, without indentation or line break.
std::string streamLine(const InputFacts::Stream& stream);

} // namespace ProbeReport
