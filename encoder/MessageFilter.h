#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Passes ffmpeg's messages on line by line. Its status line says "time=HH:MM:SS.cc",
// which the window cannot read as a number; that value is restated in seconds.
class MessageFilter final
{
public:
    // The complete lines (ended by \n or \r) received so far, ready to print.
    QByteArray feed(QByteArrayView bytes);
    // Whatever is left, line break or not.
    QByteArray flush();

    // Clock values become seconds; N/A and negative values are dropped, since the
    // window must never see them as a position.
    static QByteArray restateTimes(QByteArrayView text);

private:
    QByteArray m_partial;
};
