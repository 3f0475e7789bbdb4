#include "OutputTail.h"

#include <QRegularExpression>

#include <algorithm>

namespace {
constexpr int LongestLine = 500;

bool isProgress(const QString& line)
{
    static const QRegularExpression progress(QStringLiteral("^\\s*time=\\S*\\s*$"));
    return progress.match(line).hasMatch();
}
} // namespace

OutputTail::OutputTail(qsizetype bytes) : m_maxBytes(bytes) {}

void OutputTail::clear()
{
    m_lines.clear();
    m_bytes = 0;
    m_partial.clear();
}

void OutputTail::add(const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            keep(m_partial);
            m_partial.clear();
        } else if (m_partial.size() < LongestLine) {
            m_partial += c;
        }
    }
}

void OutputTail::keep(const QString& line)
{
    if (line.trimmed().isEmpty() || isProgress(line))
        return;
    m_lines.append(line);
    m_bytes += line.toUtf8().size() + 1;
    while (m_bytes > m_maxBytes && m_lines.size() > 1) {
        m_bytes -= m_lines.constFirst().toUtf8().size() + 1;
        m_lines.removeFirst();
    }
}

QStringList OutputTail::lines() const
{
    QStringList lines = m_lines;
    if (!m_partial.trimmed().isEmpty() && !isProgress(m_partial))
        lines.append(m_partial);
    return lines;
}

QString OutputTail::text() const
{
    return lines().join(QLatin1Char('\n'));
}

QString OutputTail::lastLines(int count) const
{
    const QStringList all = lines();
    return all.mid(std::max(qsizetype(0), all.size() - count)).join(QLatin1Char('\n'));
}
