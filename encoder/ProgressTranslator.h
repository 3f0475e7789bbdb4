#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Follows ffmpeg's -progress stream, which may arrive cut anywhere, and keeps the
// furthest position reached so the window never sees the position go back.
class ProgressTranslator final
{
public:
    // Returns true when at least one complete report ("progress=..." line) arrived.
    bool feed(QByteArrayView bytes);
    // Takes a last line that ended without a line break; true if it moved the position.
    bool finish();

    double position() const { return m_position; }

private:
    bool takeLine(QByteArrayView line);

    QByteArray m_partial;
    double m_position = 0;
};
