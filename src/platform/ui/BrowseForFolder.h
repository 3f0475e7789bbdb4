#pragma once

#include <QString>

class QWidget;

// The folder browser: folders of the file system only, nothing preselected. The chosen
// folder's path (no separator at its end unless it is the root), or an empty text when
// cancelled.
QString BrowseForFolder(QWidget* owner, const QString& title);
