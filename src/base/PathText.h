#pragma once

#include <QByteArray>
#include <QString>

// Small path texts shared by every subsystem. Paths use the platform separator "/".

// The folder with a separator appended unless it already ends in one ("/" stays "/").
QString WithBackslash(const QString& folder);

// The text before the last "."; a name without "." comes back whole.
QString WithoutExtension(const QString& name);

// The file-name part of a path: the text after the last separator. (There are no
// drive colons here: ":" is an ordinary file-name character.)
QString FileNamePart(const QString& path);

// The extension of a file name, from the last "." of its file-name part on, "." included;
// empty when the file-name part has no ".".
QString FileExtension(const QString& path);

// Whether the bytes of a name read from the system are valid UTF-8, the encoding every path
// is taken in here; a name that is not cannot be opened again once turned into text.
bool IsValidUtf8(const QByteArray& bytes);

// The bytes as text for a message: valid UTF-8 as it is, every other byte as \xNN.
QString EscapedName(const QByteArray& bytes);
