#pragma once

#include <cstdint>
#include <string>

// The file ffmpeg writes in place of the output: a hidden name beside it, so that the
// final rename stays within one file system, and the same name for every conversion to
// that output, so that one left by a killed run is found by the next. The output
// itself changes only when a checked file is renamed onto it.
class TemporaryOutput final
{
public:
    explicit TemporaryOutput(std::string output);
    // Removes the file unless it became the output.
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    // "dir/.name.ext.partial.ext": ffmpeg picks the container by the extension.
    static std::string pathFor(const std::string& output);

    const std::string& path() const { return m_path; }

    // Removes a file left by an earlier run and has the signal handlers remove this
    // one. Returns why the output must not be written, empty when it may.
    std::string prepare(const std::string& input);

    // The file's size; -1 when there is none.
    std::int64_t size() const;

    // Renames the file onto the output; false with the system's reason in `error`.
    bool commit(std::string& error);

private:
    std::string m_output;
    std::string m_path;
    bool m_committed = false;
};
