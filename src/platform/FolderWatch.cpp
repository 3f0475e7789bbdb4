#include "FolderWatch.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <unistd.h>

namespace {
constexpr uint32_t Events = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE_SELF |
                            IN_MOVE_SELF | IN_ATTRIB | IN_ONLYDIR | IN_EXCL_UNLINK;
}

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {}

FolderWatch::~FolderWatch()
{
    clear();
}

void FolderWatch::clear()
{
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_folders.clear();
}

bool FolderWatch::watch(const QString& folder, bool subfolders)
{
    clear();
    m_error.clear();
    m_root = QDir::cleanPath(folder);
    m_subfolders = subfolders;
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (!add(m_root)) {
        clear();
        return false;
    }
    if (subfolders)
        addTree(m_root);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &FolderWatch::read);
    return true;
}

bool FolderWatch::add(const QString& folder)
{
    const int wd = ::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), Events);
    if (wd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_folders.insert(wd, folder);
    return true;
}

void FolderWatch::addTree(const QString& folder)
{
    // Hidden folders are a copier's own, as hidden files are.
    QDirIterator below(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (below.hasNext())
        add(below.next());
}

void FolderWatch::read()
{
    alignas(inotify_event) char buffer[16 * 1024];
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            return; // nothing more for now (EAGAIN), or the descriptor is closed
        for (ssize_t at = 0; at < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            // Events were lost: whoever listens looks at the whole folder again.
            if (event->mask & IN_Q_OVERFLOW) {
                emit folderArrived(m_root);
                continue;
            }
            const QString folder = m_folders.value(event->wd);
            if (folder.isEmpty())
                continue;
            if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) {
                m_folders.remove(event->wd);
                if (folder == m_root) {
                    clear();
                    emit folderGone(folder);
                    return;
                }
                continue;
            }
            // The folder's own rights changed: one it can no longer read is as good as gone.
            if (event->len == 0 && (event->mask & IN_ATTRIB) && folder == m_root &&
                ::access(QFile::encodeName(folder).constData(), R_OK | X_OK) != 0) {
                clear();
                emit folderGone(folder);
                return;
            }
            if (event->len == 0)
                continue;
            const QString path = folder + QLatin1Char('/') + QFile::decodeName(event->name);
            if (event->mask & IN_ISDIR) {
                if (m_subfolders && (event->mask & (IN_CREATE | IN_MOVED_TO))) {
                    add(path);
                    addTree(path);
                    emit folderArrived(path);
                }
            } else if (event->mask & IN_CLOSE_WRITE) {
                emit fileClosed(path);
            } else if (event->mask & IN_MOVED_TO) {
                emit fileMovedIn(path);
            }
        }
    }
}
