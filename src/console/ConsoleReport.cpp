#include "ConsoleReport.h"

#include "base/PathText.h"
#include "engine/TaskStatus.h"
#include "engine/TimeText.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {
constexpr qint64 ProgressEveryMs = 500;
const QString ClearLine = QStringLiteral("\r\033[K");

double seconds(qint64 ms)
{
    return qRound64(ms / 100.0) / 10.0;
}

// The last line of a failure reason: the encoder front ends with the one that tells why.
QString lastLine(const QString& text)
{
    const QStringList lines = text.trimmed().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

// One line of JSON with "event" first, as the manual shows it; the other keys follow in the
// order QJsonObject keeps them.
QString json(const QString& event, const QJsonObject& rest = {})
{
    const QByteArray head =
        QJsonDocument(QJsonObject{{QStringLiteral("event"), event}}).toJson(QJsonDocument::Compact);
    if (rest.isEmpty())
        return QString::fromUtf8(head);
    const QByteArray tail = QJsonDocument(rest).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(head.chopped(1) + ',' + tail.mid(1));
}

// A terminal runs what a name may hold: an escape sequence moves the cursor or hides lines, a
// line break splits a line. Shown as ls shows them instead.
QString shown(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0x1b)
            out += QLatin1String("\\e");
        else if (u == '\n')
            out += QLatin1String("\\n");
        else if (u == '\r')
            out += QLatin1String("\\r");
        else if (u == '\t')
            out += QLatin1String("\\t");
        else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0))
            out += QLatin1Char('?');
        else
            out += c;
    }
    return out;
}

QString counted(int count, const QString& one, const QString& many)
{
    return QString::number(count) + QLatin1Char(' ') + (count == 1 ? one : many);
}
} // namespace

ConsoleReport::ConsoleReport(QIODevice& out, Style style, int width)
    : m_out(out), m_style(style), m_width(std::max(20, width))
{}

void ConsoleReport::setInputs(const QStringList& inputs)
{
    QSet<QString> seen;
    for (const QString& input : inputs) {
        const QString name = FileNamePart(input);
        if (seen.contains(name))
            m_repeatedNames.insert(name);
        seen.insert(name);
    }
}

QString ConsoleReport::named(const QString& input) const
{
    const QString name = FileNamePart(input);
    return m_repeatedNames.contains(name) ? input : name;
}

void ConsoleReport::write(const QString& line)
{
    if (m_style != Json)
        return writeLine(shown(line));
    writeLine(line);
}

void ConsoleReport::writeLine(const QString& line)
{
    QByteArray bytes;
    if (m_progressShown) {
        bytes = ClearLine.toUtf8();
        m_progressShown = false;
    }
    put(bytes + line.toUtf8() + '\n');
}

void ConsoleReport::put(const QByteArray& bytes)
{
    if (m_lost)
        return;
    if (m_out.write(bytes) == bytes.size())
        return;
    m_lost = true;
    if (m_lostHandler)
        m_lostHandler();
}

void ConsoleReport::started(const QString& input)
{
    if (m_style == Json)
        write(json(QStringLiteral("started"), {{QStringLiteral("input"), input}}));
}

void ConsoleReport::ended(const QString& input, TaskState state, const QString& output,
                          const QString& reason)
{
    const QString word = TaskStatus::word(state);
    if (m_style == Json) {
        write(json(QStringLiteral("ended"),
                   {{QStringLiteral("input"), input},
                    {QStringLiteral("status"), word},
                    {QStringLiteral("output"), state == TaskState::Complete ? output : QString()},
                    {QStringLiteral("reason"), state == TaskState::Failed ? reason : QString()}}));
        return;
    }
    QString line = named(input) + QStringLiteral(": ") + word;
    if (state == TaskState::Complete && !output.isEmpty())
        line += QStringLiteral(" -> ") + output;
    else if (state == TaskState::Failed && !lastLine(reason).isEmpty())
        line += QStringLiteral(": ") + lastLine(reason);
    write(line);
}

void ConsoleReport::progress(int percent, const QList<Converting>& tasks, qint64 elapsedMs)
{
    if (m_style == Plain ||
        (m_lastProgressMs >= 0 && elapsedMs - m_lastProgressMs < ProgressEveryMs))
        return;
    m_lastProgressMs = elapsedMs;
    if (m_style == Json) {
        QJsonArray under;
        for (const Converting& task : tasks)
            under.append(QJsonObject{{QStringLiteral("input"), task.input},
                                     {QStringLiteral("percent"), task.percent}});
        write(json(QStringLiteral("progress"), {{QStringLiteral("percent"), percent},
                                                {QStringLiteral("elapsed"), seconds(elapsedMs)},
                                                {QStringLiteral("tasks"), under}}));
        return;
    }
    QString line =
        QStringLiteral("%1%  %2 elapsed").arg(percent).arg(SecondsToText(elapsedMs / 1000));
    if (percent > 0)
        line += QStringLiteral(", %1 left")
                    .arg(SecondsToText(qRound64(elapsedMs / 1000.0 * (100 - percent) / percent)));
    QStringList names;
    for (const Converting& task : tasks)
        names << named(task.input);
    if (!names.isEmpty())
        line += QStringLiteral("  ") + names.join(QStringLiteral(", "));
    if (line.size() >= m_width)
        line = line.left(m_width - 4) + QStringLiteral("...");
    put((ClearLine + shown(line)).toUtf8());
    m_progressShown = true;
}

void ConsoleReport::summary(const Tally& tally, qint64 elapsedMs, int exitStatus)
{
    if (m_style == Json) {
        write(json(QStringLiteral("summary"), {{QStringLiteral("tasks"), tally.tasks},
                                               {QStringLiteral("complete"), tally.complete},
                                               {QStringLiteral("failed"), tally.failed},
                                               {QStringLiteral("stopped"), tally.stopped},
                                               {QStringLiteral("elapsed"), seconds(elapsedMs)},
                                               {QStringLiteral("exit"), exitStatus}}));
        return;
    }
    QString line = QStringLiteral("%1: %2 complete, %3 failed, %4 stopped")
                       .arg(counted(tally.tasks, QStringLiteral("task"), QStringLiteral("tasks")))
                       .arg(tally.complete)
                       .arg(tally.failed)
                       .arg(tally.stopped);
    if (const int left = tally.tasks - tally.complete - tally.failed - tally.stopped; left > 0)
        line += QStringLiteral(", %1 not run").arg(left);
    write(line + QStringLiteral(" in ") + SecondsToText(elapsedMs / 1000));
}

void ConsoleReport::tell(const QString& event, const QString& message)
{
    write(m_style == Json ? json(event, {{QStringLiteral("message"), message}}) : message);
}

void ConsoleReport::note(const QString& event, const QString& path, const QString& message)
{
    if (m_style == Json)
        write(json(event, {{QStringLiteral("path"), path}, {QStringLiteral("message"), message}}));
    else
        write(path + QStringLiteral(": ") + message);
}
