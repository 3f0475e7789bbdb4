#include "TemporaryOutput.h"

#include "ChildGuard.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t LongestName = 255;
constexpr std::size_t TokenLength = 12; // hexadecimal digits
constexpr const char* Unfinished = ".partial";
// A clash needs the same 48 random bits twice; retrying is for a broken random source.
constexpr int Attempts = 100;

struct OutputParts
{
    std::string folder; // with its trailing "/"; empty for the working folder
    std::string name;
    std::string suffix; // "." and the extension; empty for none
};

OutputParts partsOf(const std::string& output)
{
    OutputParts parts;
    const std::size_t slash = output.rfind('/');
    parts.folder = slash == std::string::npos ? "" : output.substr(0, slash + 1);
    parts.name = output.substr(parts.folder.size());
    // No extension for a name like ".hidden".
    const std::size_t dot = parts.name.rfind('.');
    if (dot != std::string::npos && dot != 0)
        parts.suffix = parts.name.substr(dot);
    return parts;
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

std::string temporaryName(const OutputParts& output, const std::string& tag)
{
    std::string name = "." + output.name + tag + output.suffix;
    // Too long for the file system: a name made from the output's still belongs to it alone.
    if (name.size() > LongestName)
        name = "." + hashText(output.name) + tag + output.suffix;
    return name;
}

std::string randomToken()
{
    unsigned char bytes[TokenLength / 2] = {};
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        const auto mix =
            static_cast<std::uint64_t>(::getpid()) << 32 ^
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        std::memcpy(bytes, &mix, sizeof bytes);
    }
    std::string token;
    for (const unsigned char byte : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", byte);
        token += digits;
    }
    return token;
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first = {};
    struct stat second = {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           sameFile(first, second);
}

// Whether the path still names the file open on `fd`.
bool namesOpenFile(const std::string& path, int fd)
{
    struct stat opened = {};
    struct stat named = {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           sameFile(opened, named);
}

// A temporary file whose conversion ended without removing it; one still held is another
// program's, being written.
void removeIfUnheld(const std::string& path)
{
    // Only a regular file is opened: a FIFO or a device of that name is nobody's output.
    struct stat named = {};
    if (::lstat(path.c_str(), &named) != 0 || !S_ISREG(named.st_mode))
        return;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    // Checked once locked: the path may have been given to another file in between.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && namesOpenFile(path, fd))
        ::unlink(path.c_str());
    ::close(fd);
}

} // namespace

TemporaryOutput::TemporaryOutput(std::string output) : m_output(std::move(output)) {}

TemporaryOutput::~TemporaryOutput()
{
    std::string ignored;
    discard(ignored);
}

std::string TemporaryOutput::pathFor(const std::string& output, const std::string& token)
{
    const OutputParts parts = partsOf(output);
    return parts.folder + temporaryName(parts, std::string(Unfinished) + "-" + token);
}

bool TemporaryOutput::belongsTo(const std::string& output, const std::string& name)
{
    const OutputParts parts = partsOf(output);
    if (name == temporaryName(parts, Unfinished))
        return true;
    const std::string pattern =
        temporaryName(parts, std::string(Unfinished) + "-" + std::string(TokenLength, '0'));
    if (name.size() != pattern.size())
        return false;
    const std::size_t token = pattern.size() - parts.suffix.size() - TokenLength;
    const std::size_t after = token + TokenLength;
    return name.compare(0, token, pattern, 0, token) == 0 &&
           name.compare(after, std::string::npos, pattern, after, std::string::npos) == 0 &&
           std::all_of(name.begin() + token, name.begin() + after,
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
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
    sweep();
    return create();
}

void TemporaryOutput::sweep() const
{
    const OutputParts parts = partsOf(m_output);
    DIR* folder = ::opendir(parts.folder.empty() ? "." : parts.folder.c_str());
    if (!folder)
        return; // creating the file then tells why
    while (const dirent* entry = ::readdir(folder)) {
        // Most names are not hidden: they cost no comparison.
        if (entry->d_name[0] == '.' && belongsTo(m_output, entry->d_name))
            removeIfUnheld(parts.folder + entry->d_name);
    }
    ::closedir(folder);
}

std::string TemporaryOutput::create()
{
    int error = EEXIST;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const std::string path = pathFor(m_output, randomToken());
        // The handlers must know the file from the moment it exists.
        const sigset_t stopping = ChildGuard::stoppingSignals();
        sigset_t previous;
        ::sigprocmask(SIG_BLOCK, &stopping, &previous);
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        error = errno;
        if (fd >= 0)
            ChildGuard::watchFile(path.c_str());
        ::sigprocmask(SIG_SETMASK, &previous, nullptr);
        if (fd < 0) {
            if (error == EEXIST)
                continue;
            break;
        }
        // A file system without locks leaves every file unlocked; nobody can then take one
        // for a leftover, as removing needs the lock.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        // A program sweeping leftovers may have opened the new file before it was locked, and
        // removed it: then it starts again under a new name.
        if (namesOpenFile(path, fd)) {
            m_path = path;
            m_lock = fd;
            m_held = true;
            return {};
        }
        ChildGuard::watchFile("");
        ::close(fd);
    }
    return m_output + ": no temporary file can be created beside it (" + std::strerror(error) + ")";
}

std::int64_t TemporaryOutput::size() const
{
    struct stat file = {};
    if (!m_held || ::stat(m_path.c_str(), &file) != 0 || !S_ISREG(file.st_mode))
        return -1;
    return file.st_size;
}

bool TemporaryOutput::commit(std::string& error)
{
    if (!m_held) {
        error = "no file was written";
        return false;
    }
    // On a network file system the lock is one per process and file: reading the file for the
    // check closed a descriptor of it and may have let the lock go.
    ::flock(m_lock, LOCK_EX | LOCK_NB);
    if (!namesOpenFile(m_path, m_lock)) {
        error = m_path + " was removed by another program";
        m_held = false;
        unlock();
        return false;
    }
    if (::rename(m_path.c_str(), m_output.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    m_held = false;
    ChildGuard::watchFile("");
    unlock();
    return true;
}

bool TemporaryOutput::discard(std::string& error)
{
    bool removed = true;
    if (m_held && ::unlink(m_path.c_str()) != 0 && errno != ENOENT) {
        error = std::strerror(errno);
        removed = false;
    }
    m_held = false;
    ChildGuard::watchFile("");
    unlock();
    return removed;
}

void TemporaryOutput::unlock()
{
    if (m_lock >= 0)
        ::close(m_lock);
    m_lock = -1;
}
