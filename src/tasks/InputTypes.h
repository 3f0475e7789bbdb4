#pragma once

#include <QString>
#include <QStringList>

// The input types the program accepts and the texts built from them at start-up.

// ".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf": lower case, with ".".
QStringList InputExtensions();

// "*" + extension + ";" for each extension, in order.
QString InputMask(const QStringList& extensions);

// The open dialog's filter: label|patterns pairs joined by "|", the all-supported entry
// first and "All Files (*.*)|*.*" last.
QString OpenDialogFilter(const QStringList& extensions);

// The filter as QFileDialog::setNameFilters wants it: each entry is the label kept as it
// is, then the patterns in parentheses separated by blanks ("*.*" becomes "*", which also
// matches names without a dot). With QFileDialog::HideNameFilterDetails the dialog shows
// the labels alone.
QStringList QtNameFilters(const QString& filter);

// True when the extension of the path's file-name part, in lower case, is in the list.
bool IsSupportedInput(const QString& path, const QStringList& extensions);
