#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The names of a folder's entries as the file system holds them, bytes and all: a name that is
// not valid text in the system's encoding is lost once a listing turns it into text. Dot
// entries are left out; a folder that cannot be read gives nothing.
QList<QByteArray> RawEntryNames(const QString& folder);
