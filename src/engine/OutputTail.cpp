#include "OutputTail.h"

#include <QRegularExpression>

namespace {
constexpr int LongestLine = 500;

bool isProgress(const QString& line)
{
    static const QRegularExpression progress(QStringLiteral("^\\s*time=\\S*\\s*$"));
    return progress.match(line).hasMatch();
}
} // namespace

OutputTail::OutputTail(int lines, qsizetype characters) : m_max(lines), m_maxCharacters(characters)
{}

void OutputTail::clear()
{
    m_lines.clear();
    m_characters = 0;
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
    m_characters += line.size() + 1;
    while (m_lines.size() > m_max ||
           (m_maxCharacters >= 0 && m_characters > m_maxCharacters && m_lines.size() > 1)) {
        m_characters -= m_lines.constFirst().size() + 1;
        m_lines.removeFirst();
    }
}

QString OutputTail::text() const
{
    QStringList lines = m_lines;
    if (!m_partial.trimmed().isEmpty() && !isProgress(m_partial))
        lines.append(m_partial);
    while (lines.size() > m_max)
        lines.removeFirst();
    return lines.join(QLatin1Char('\n'));
}
