#pragma once

#include "engine/TaskRecord.h"

#include <QList>
#include <QSet>
#include <QString>

#include <functional>
#include <utility>

class QIODevice;

// What the batch command prints as its run goes on. Text names each task as it ends and sums
// up the run; on a terminal a progress line also updates in place. Json prints one object per
// line instead, for other programs to read.
class ConsoleReport final
{
public:
    enum Style { Plain, Terminal, Json };

    struct Converting
    {
        QString input;
        int percent = 0;
    };
    struct Tally
    {
        int tasks = 0;
        int complete = 0;
        int failed = 0;
        int stopped = 0;
    };

    // width: the terminal's columns; a progress line is cut to fit, so that it never wraps.
    ConsoleReport(QIODevice& out, Style style, int width = 80);

    // Whether progress is shown at all: plain text tells only of ends.
    bool showsProgress() const { return m_style != Plain; }

    // The output is gone once a write to it fails (a closed pipe, a terminal hung up, a full
    // disk): nothing more is written, and the handler is told once, so that the run stops
    // rather than go on unseen.
    void onLost(std::function<void()> handler) { m_lostHandler = std::move(handler); }
    bool lost() const { return m_lost; }

    // The inputs of the run: a name two of them share is shown with its folder.
    void setInputs(const QStringList& inputs);

    void started(const QString& input);
    // A task's end: output is the file it wrote, reason why it failed.
    void ended(const QString& input, TaskState state, const QString& output, const QString& reason);
    // The run's progress in percent and the tasks under way. Prints at most twice a second:
    // a call within half a second of the last one printed is passed over.
    void progress(int percent, const QList<Converting>& tasks, qint64 elapsedMs);
    void summary(const Tally& tally, qint64 elapsedMs, int exitStatus);
    // Something a watcher has to say of a file or of its folder: `event` names it for programs
    // ("watching", "skipped", "folder"), the message is for people.
    void note(const QString& event, const QString& path, const QString& message);
    // Something to say of the run as a whole.
    void tell(const QString& event, const QString& message);

private:
    // A line of text, its control characters shown as escapes; JSON as it is.
    void write(const QString& line);
    void writeLine(const QString& line);
    void put(const QByteArray& bytes);
    // How a line names an input: its file name, or its path where the name repeats.
    QString named(const QString& input) const;

    QIODevice& m_out;
    Style m_style;
    int m_width;
    qint64 m_lastProgressMs = -1;
    bool m_progressShown = false; // a terminal's progress line waits to be cleared
    bool m_lost = false;
    std::function<void()> m_lostHandler;
    QSet<QString> m_repeatedNames;
};
