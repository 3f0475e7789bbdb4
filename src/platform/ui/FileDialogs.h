#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The platform's open and save dialogs.

// The multi-select open dialog: existing files only; filter entries separated by ";;".
// Paths in the order the dialog returns them; empty when cancelled.
QStringList ChooseInputFiles(QWidget* owner, const QString& filter);

// The save dialog, opening in `folder`, adding the filter's extension to a name typed without
// one. The chosen path, or an empty text when cancelled.
QString ChooseSaveFile(QWidget* owner, const QString& filter, const QString& folder);
