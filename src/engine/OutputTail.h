#pragma once

#include <QString>
#include <QStringList>

// The last lines an encoder wrote, kept to tell the user why it failed. Progress texts are
// left out: they say nothing about a cause. Bounded, however much the encoder writes.
class OutputTail final
{
public:
    explicit OutputTail(int lines = 8);

    void clear();
    void add(const QString& text);
    // The kept lines, the unfinished last one included, joined by line breaks.
    QString text() const;

private:
    void keep(const QString& line);

    int m_max;
    QStringList m_lines;
    QString m_partial;
};
