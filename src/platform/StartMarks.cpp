#include "StartMarks.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
bool marking()
{
    static const bool on = std::getenv("FW_START_MARKS") != nullptr;
    return on;
}

double milliseconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

class FirstExpose final : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            StartMark("first expose");
            QTimer::singleShot(0, [] { StartMark("first frame drawn"); });
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};
} // namespace

void StartMark(const char* label)
{
    if (!marking())
        return;
    static const double first = milliseconds(CLOCK_MONOTONIC);
    std::fprintf(stderr, "mark %-20s wall %7.2f ms  cpu %7.2f ms\n", label,
                 milliseconds(CLOCK_MONOTONIC) - first, milliseconds(CLOCK_PROCESS_CPUTIME_ID));
}

void MarkFirstFrame()
{
    if (marking())
        QCoreApplication::instance()->installEventFilter(
            new FirstExpose(QCoreApplication::instance()));
}
