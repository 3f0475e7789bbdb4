#include "StandardOutput.h"

#include <cerrno>
#include <unistd.h>

void StandardOutput::write(std::string_view bytes)
{
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return; // nobody is reading any more; nothing useful left to do
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
}
