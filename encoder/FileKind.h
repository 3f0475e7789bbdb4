#pragma once

#include <string>

// Paths that name neither a file nor a folder: opening a FIFO waits for a writer, a device may
// never end, a socket cannot be opened at all. They are told apart without opening them.
namespace FileKind {

// "a FIFO", "a character device", "a block device" or "a socket" for such a path (a symbolic
// link is followed); empty for a regular file, a folder or nothing at all.
std::string kind(const std::string& path);

// "<path>: not a regular file but <kind>", the line a refusal shows; empty when kind() is.
std::string refusal(const std::string& path);

} // namespace FileKind
