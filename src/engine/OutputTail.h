#pragma once

#include <QString>
#include <QStringList>

// The last lines an encoder wrote, kept to tell the user why it failed. Progress texts are
// left out: they say nothing about a cause. Bounded, however much the encoder writes.
class OutputTail final
{
public:
    // Keeps at most that many lines, and drops the oldest while they hold more characters
    // than given.
    explicit OutputTail(int lines = 8, qsizetype characters = -1);

    void clear();
    void add(const QString& text);
    // The kept lines, the unfinished last one included, joined by line breaks.
    QString text() const;

private:
    void keep(const QString& line);

    int m_max;
    qsizetype m_maxCharacters;
    qsizetype m_characters = 0; // in m_lines, a line break counted for each
    QStringList m_lines;
    QString m_partial;
};
