#include "TemporaryOutput.h"

#include "ChildGuard.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t LongestName = 255;
constexpr const char* Unfinished = ".partial";

// The extension without its dot; none for a name like ".hidden".
std::string extension(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot + 1);
}

// FNV-1a: deterministic across runs, which std::hash need not be.
std::string hashText(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first = {};
    struct stat second = {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

TemporaryOutput::TemporaryOutput(std::string output)
    : m_output(std::move(output)), m_path(pathFor(m_output))
{}

TemporaryOutput::~TemporaryOutput()
{
    if (!m_committed)
        ::unlink(m_path.c_str());
    ChildGuard::watchFile("");
}

std::string TemporaryOutput::pathFor(const std::string& output)
{
    const std::size_t slash = output.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : output.substr(0, slash + 1);
    const std::string name = output.substr(folder.size());
    const std::string ext = extension(name);
    const std::string suffix = std::string(Unfinished) + (ext.empty() ? "" : "." + ext);
    std::string temporary = "." + name + suffix;
    // Too long for the file system: a name made from the output's still belongs to it alone.
    if (temporary.size() > LongestName)
        temporary = "." + hashText(name) + suffix;
    return folder + temporary;
}

std::string TemporaryOutput::prepare(const std::string& input)
{
    struct stat output = {};
    if (::stat(m_output.c_str(), &output) == 0 && S_ISDIR(output.st_mode))
        return m_output + " is a folder";
    // ffmpeg refuses to write over its input only when the paths are spelled alike, and
    // it never sees the output's name here.
    if (sameFile(input, m_output))
        return "the output is the input file " + input;
    // Renaming would replace a write-protected output, which ffmpeg itself could not open.
    if (::access(m_output.c_str(), F_OK) == 0 && ::access(m_output.c_str(), W_OK) != 0)
        return m_output + ": " + std::strerror(errno);
    ::unlink(m_path.c_str());
    ChildGuard::watchFile(m_path.c_str());
    return {};
}

std::int64_t TemporaryOutput::size() const
{
    struct stat file = {};
    if (::stat(m_path.c_str(), &file) != 0 || !S_ISREG(file.st_mode))
        return -1;
    return file.st_size;
}

bool TemporaryOutput::commit(std::string& error)
{
    if (::rename(m_path.c_str(), m_output.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    m_committed = true;
    return true;
}
