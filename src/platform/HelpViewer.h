#pragma once

#include <QString>

// The guide ships twice: Framewright.chm and the same pages as HTML in help/. Few Linux
// desktops can show a CHM file, so Help opens whichever of the two the desktop can show.

// Whether the desktop names a default application for CHM files, asked of xdg-mime for both
// MIME types in use. A missing xdg-mime, a failure, an empty answer or no answer within
// timeoutMs (for both questions together) counts as no.
bool ChmViewerExists(const QString& xdgMime = QStringLiteral("xdg-mime"), int timeoutMs = 2000);

// The file Help opens: Framewright.chm when a viewer exists, otherwise help/index.html, or the
// CHM after all when the HTML guide is missing.
QString HelpTarget(const QString& programFolder, bool chmViewerExists);
