#pragma once

#include <cstdint>
#include <string>

// The file ffmpeg writes in place of the output: a hidden name beside it, so that the final
// rename stays within one file system, made unique for each conversion, so that two programs
// (or two machines) converting to one output never write, rename or remove each other's file.
// It is held with a lock while it lives; one left by a killed run is removed by the next
// conversion to that output once nobody holds its lock. The output itself changes only when a
// checked file is renamed onto it.
class TemporaryOutput final
{
public:
    explicit TemporaryOutput(std::string output);
    // Removes the file unless it became the output, and lets its lock go.
    ~TemporaryOutput();
    TemporaryOutput(const TemporaryOutput&) = delete;
    TemporaryOutput& operator=(const TemporaryOutput&) = delete;

    // "dir/.name.ext.partial-<token>.ext": ffmpeg picks the container by the last extension.
    static std::string pathFor(const std::string& output, const std::string& token);
    // Whether a file named `name` in the output's folder is the temporary file of a conversion
    // to `output`: of the form above with any token, or of the earlier ".name.ext.partial.ext".
    static bool belongsTo(const std::string& output, const std::string& name);

    // Empty until prepare() succeeds.
    const std::string& path() const { return m_path; }

    // Removes files left by earlier runs to this output, creates this conversion's file, locks
    // it and has the signal handlers remove it. Returns why the output must not be written,
    // empty when it may.
    std::string prepare(const std::string& input);

    // The file's size; -1 when there is none.
    std::int64_t size() const;

    // Renames the file onto the output; false with the reason in `error`.
    bool commit(std::string& error);

    // Removes the file now; false with the system's reason in `error` when it stays behind.
    bool discard(std::string& error);

private:
    std::string create();
    void sweep() const;
    void unlock();

    std::string m_output;
    std::string m_path;
    int m_lock = -1;     // open on the file, holding its lock
    bool m_held = false; // the file at m_path is this conversion's
};
