#pragma once

#include <Qt>

// The arithmetic of the main window's frame, apart from the widgets it moves.

// Where the bottom strip's controls go when the task area is `mainWidth` wide and the strip
// `stripWidth`. The Start and Stop images keep their distance from the strip's right end. The
// settings row and the progress row take the task area's width, but never reach under the
// images; their buttons keep their distance from the rows' right end and the fields and bars
// fill the rest.
struct BottomStrip
{
    int imageLeft;    // imgStart and imgStop
    int rowWidth;     // panBottomCenter and panBottomLeft
    int settingLeft;  // bbtnSetting
    int profileWidth; // cmbProfile
    int openLeft;     // bbtnOpen
    int browseLeft;   // bbtnBrowser
    int outputWidth;  // edtOutputdir
    int percentLeft;  // labCurProgress and labTotalProgress
    int barWidth;     // pgbCurrent and pgbTotal
    int fileWidth;    // labConvertingFile, from its place to the row's end
};
BottomStrip BottomStripFor(int mainWidth, int stripWidth);

// The right panel's new width when the pointer moves over the splitter bar at `x` (from the
// bar's left edge) with these buttons and modifiers held; -1 when the move changes nothing.
// Only the left button alone drags. The result stays between 0 and `widest`.
int SplitterDragWidth(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                      int panelWidth, int widest);
