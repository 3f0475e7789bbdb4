#pragma once

#include <optional>
#include <string>
#include <string_view>

// Small text helpers the front needs without a framework. Numbers are always written
// and read with a "." decimal point, whatever the locale: ffmpeg writes them that way
// and the window reads them that way.
namespace Text {

// `text` without leading and trailing blanks (space, tab, CR, LF).
std::string_view trimmed(std::string_view text);

bool startsWith(std::string_view text, std::string_view prefix);

// `text` with every `from` replaced by `to`.
std::string replaced(std::string_view text, std::string_view from, std::string_view to);

// `value` with exactly `decimals` digits after the point, e.g. fixed(3.5, 2) == "3.50".
std::string fixed(double value, int decimals);

// A plain decimal number, blanks around it allowed; nothing for anything else.
std::optional<double> number(std::string_view text);

} // namespace Text
