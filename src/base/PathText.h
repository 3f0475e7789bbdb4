#pragma once

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
