#include "FileClaim.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Whether the descriptor's file is still the one at the path: a holder that let go may have
// removed it between our open and our lock.
bool stillThere(int fd, const QByteArray& path)
{
    struct stat held = {};
    struct stat named = {};
    return ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}
} // namespace

std::unique_ptr<FileClaim> FileClaim::take(const QString& path, Outcome* outcome, QByteArray* text,
                                           QString* error)
{
    const QByteArray name = QFile::encodeName(path);
    for (int attempt = 0; attempt < 3; ++attempt) {
        int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            *outcome = Failed;
            if (error)
                *error = systemError();
            return nullptr;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            *outcome = errno == EWOULDBLOCK ? HeldElsewhere : Failed;
            if (error)
                *error = systemError();
            return nullptr;
        }
        if (!stillThere(fd, name)) {
            ::close(fd);
            continue; // removed by its holder meanwhile: made afresh
        }
        if (text) {
            text->clear();
            char buffer[4096];
            ssize_t got;
            while ((got = ::read(fd, buffer, sizeof buffer)) > 0 && text->size() < 65536)
                text->append(buffer, got);
        }
        *outcome = Held;
        return std::unique_ptr<FileClaim>(new FileClaim(path, fd));
    }
    *outcome = Failed;
    if (error)
        *error = QStringLiteral("the claim keeps being removed");
    return nullptr;
}

FileClaim::~FileClaim()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

QString FileClaim::write(const QByteArray& text)
{
    if (::ftruncate(m_fd, 0) != 0 || ::pwrite(m_fd, text.constData(), size_t(text.size()), 0) !=
                                         ssize_t(text.size()))
        return systemError();
    return QString();
}

void FileClaim::remove()
{
    ::unlink(QFile::encodeName(m_path).constData());
    ::close(m_fd);
    m_fd = -1;
}
