#pragma once

#include <QString>
#include <QStringList>

// The items of a comma-terminated list: every item is followed by ",", text after the last
// comma is not an item. Items are not trimmed; empty items are allowed.
QStringList SplitList(const QString& text);

// Names (without folder) of the folder's regular files, hidden ones included, whose extension
// lower-cased equals ext lower-cased. In name order, letter case ignored (a directory's own order
// is arbitrary here); an unreadable folder gives no names.
QStringList FilesWithExtension(const QString& folder, const QString& ext);

// The profiles: the ".cvp" files of dataFolder's "Profiles" folder, as file names in list
// order. A profile's name in the lists is its file name without extension.
QString ProfilesFolder(const QString& dataFolder);
QStringList ProfileFiles(const QString& dataFolder);

// OutputExt for a profile's "Type".
QString OutputExtFor(const QString& type);
