#pragma once

#include <QByteArrayView>

// Writes straight to file descriptor 1: every call is one write the window can read
// at once, with no buffering in between.
class StandardOutput final
{
public:
    static void write(QByteArrayView bytes);
};
