#pragma once

#include <QByteArray>
#include <QString>

// Files the program reads but did not just write (kept lists, list files, settings and
// profiles) may be anything: a FIFO would hold the open until someone writes to it, a device
// may never end. They are opened without waiting and read only when they turn out to be
// regular files, so that swapping one in between a check and the open cannot block either.

struct RegularFileRead
{
    QByteArray bytes;
    QString error;           // why it was not read; empty when it was
    bool missing = false;    // nothing is at the path (a dangling link included)
    bool notRegular = false; // something is, but no regular file nor a folder
};

// The whole file, when it is a regular file (or a link to one) no longer than `limit` bytes
// (no limit when negative).
RegularFileRead ReadRegularFile(const QString& path, qint64 limit = -1);

// The text used for something at a path that is neither a regular file nor a folder.
QString NotRegularFileText();
