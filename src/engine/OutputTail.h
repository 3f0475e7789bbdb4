#pragma once

#include <QString>
#include <QStringList>

// What an encoder wrote, kept as a task's log and to tell the user why it failed. Progress
// texts are left out: they say nothing about a cause. Bounded, however much the encoder writes:
// the oldest lines go while the kept ones take more than the given bytes in UTF-8.
class OutputTail final
{
public:
    explicit OutputTail(qsizetype bytes);

    void clear();
    void add(const QString& text);
    // The kept lines, the unfinished last one included, joined by line breaks.
    QString text() const;
    // The last lines of text() only.
    QString lastLines(int count) const;

private:
    void keep(const QString& line);
    QStringList lines() const;

    qsizetype m_maxBytes;
    qsizetype m_bytes = 0; // of m_lines, a line break counted for each
    QStringList m_lines;
    QString m_partial;
};
