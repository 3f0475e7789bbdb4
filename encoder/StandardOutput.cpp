#include "StandardOutput.h"

#include <cerrno>
#include <unistd.h>

void StandardOutput::write(QByteArrayView bytes)
{
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return; // nobody is reading any more; nothing useful left to do
        }
        data += written;
        left -= written;
    }
}
