#pragma once

#include <QString>

// The working copy of one task. Rows store only the texts; the numbers are derived from the
// time texts each time a row is read, so they are never written back. TaskFields ties each of
// them to the record's field.
struct ltvItemData
{
    QString InputFile;
    QString Length;
    QString Size;
    QString Status;
    QString NewFileName;
    QString NewFileExt;
    QString SourceStart;
    QString SourceEnd;
    QString ClipLength;
    QString StartTime;
    QString EndTime;

    double LengthSec = 0;
    double SourceStartSec = 0;
    double SourceEndSec = 0;
    double ClipLengthSec = 0;
    double StartTimeSec = 0;
    double EndTimeSec = 0;
};
