#include "FileKind.h"

#include <sys/stat.h>

namespace FileKind {

std::string kind(const std::string& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    if (S_ISFIFO(info.st_mode))
        return "a FIFO";
    if (S_ISCHR(info.st_mode))
        return "a character device";
    if (S_ISBLK(info.st_mode))
        return "a block device";
    if (S_ISSOCK(info.st_mode))
        return "a socket";
    return {};
}

std::string refusal(const std::string& path)
{
    const std::string what = kind(path);
    return what.empty() ? std::string() : path + ": not a regular file but " + what;
}

} // namespace FileKind
