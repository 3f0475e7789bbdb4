#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

// What the encoder's probe report tells of an input: its duration and frame size.
namespace MediaProbe {

struct Report
{
    QString length;
    QString size;
};

// What a probe leaves for the task's record; all empty when it failed.
struct Facts
{
    QString length;
    QString size;
    QString start;
    QString end;
};

// An encoder still running after this long is given up on, so that a hung one cannot hold a
// file's reading for good.
inline constexpr int DefaultLimitMs = 30000;

// The facts of a probe that ran to its end with this output. The output is parsed once,
// whole: the path, "Duration" and the Video line may arrive in different reads.
Facts FactsOf(const QByteArray& output, const QString& path);

// Duration and frame size from the encoder's report on the path. Each is empty when
// the report does not state it: no echo of the path (matched exactly), no "Duration"
// with a time, no "Video" line with a third item.
Report parseReport(const QString& text, const QString& path);

} // namespace MediaProbe

Q_DECLARE_METATYPE(MediaProbe::Facts)
