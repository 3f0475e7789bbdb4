#pragma once

#include <QString>
#include <QtGlobal>

// The rules a watched folder's files are taken by.

// A name a copier gives a file it is still writing, or keeps for itself: ".part", ".crdownload",
// a "~" at the end, a hidden dot file (this program's own temporaries among them).
bool IsPartialName(const QString& fileName);

// A file as one look at it found it.
struct FileLook
{
    qint64 size = -1; // -1: nothing is there any longer
    qint64 modifiedMs = 0;
    qint64 seenMs = 0; // when it was looked at
};

// Whether a file written by a program that may close and open it again is complete: it is when
// its size and time have not changed between two looks at least the settle time apart, or when
// it has not changed since the last look and was last modified at least the settle time ago.
// Otherwise, when to look again.
struct Settling
{
    enum State { Wait, Ready, Gone } state;
    qint64 lookAtMs = 0; // for Wait
};
Settling Settle(const FileLook& before, const FileLook& now, qint64 settleMs);
