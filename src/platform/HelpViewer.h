#pragma once

#include <QString>

// The guide ships twice: Framewright.chm and the same pages as HTML in help/. Few Linux
// desktops can show a CHM file, so Help opens whichever of the two the desktop can show
// (ChmViewerQuery tells); the HTML pages show in the program's own window (ui/HelpBrowser).

// help/index.html in the program folder: the contents page of the HTML guide.
QString HelpPages(const QString& programFolder);

// The file Help opens: Framewright.chm when a viewer exists, otherwise help/index.html, or the
// CHM after all when the HTML guide is missing.
QString HelpTarget(const QString& programFolder, bool chmViewerExists);
