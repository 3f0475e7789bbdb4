#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A folder entry as the file system holds it: its name in bytes (a name that is not valid text
// in the system's encoding is lost once a listing turns it into text) and what it is; a link
// counts as what it leads to, and a broken link as Missing.
struct RawEntry
{
    enum Kind { File, Folder, Special, Missing };
    QByteArray name;
    Kind kind = Missing;
};
// The entries of a folder, dot entries left out, read once: most file systems tell each one's
// kind with its name, so that only links and the rare others are looked up on their own.
QList<RawEntry> RawEntries(const QString& folder);
