#pragma once

#include <QString>
#include <QStringList>

// The items of a comma-terminated list: every item is followed by ",", text after the last
// comma is not an item. Items are not trimmed; empty items are allowed.
QStringList SplitList(const QString& text);

// Names (without folder) of the folder's regular files, hidden ones included, whose extension
// lower-cased equals ext lower-cased. File-system order; an unreadable folder gives no names.
QStringList FilesWithExtension(const QString& folder, const QString& ext);

// The profile list: the ".cvp" files of programFolder's "Profiles" folder, without extension.
QStringList ProfileNames(const QString& programFolder);

// The file behind a profile-list entry.
QString ProfilePath(const QString& programFolder, const QString& profileName);

// OutputExt for a profile's "Type".
QString OutputExtFor(const QString& type);
