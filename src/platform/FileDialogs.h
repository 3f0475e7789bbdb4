#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The platform's file and folder choosers.

// The multi-select open dialog: existing files only; filter entries separated by ";;".
// Paths in the order the dialog returns them; empty when cancelled.
QStringList ChooseInputFiles(QWidget* owner, const QString& filter);

// The folder browser: folders of the file system only, nothing preselected. The chosen
// folder's path, or an empty text when cancelled.
QString BrowseForFolder(QWidget* owner, const QString& title);
