#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

class QPainter;

// The program's pictures, drawn when asked rather than shipped as image files.
//
// Every function takes the device pixel ratio of the screen the picture will be shown on
// (pass the widget's devicePixelRatioF()). The pixmap is drawn at its logical size times
// that ratio and carries it, so it keeps its logical size and stays sharp on dense screens.
// Only Qt Gui is used here, no widget.
namespace Pictures {

enum Look { Normal = 0, Hover = 1, Pressed = 2 };

// Toolbar picture number 0..8, 54 x 54: Add File, Add Directory, Remove, Clear, Settings,
// (5 and 6 unused: transparent), About, Help. Each is a round button that stays inside the
// circle of radius 23 around (27, 27); everything outside it is transparent.
QPixmap toolbar(int number, Look look, qreal dpr = 1);

// The Start or Stop picture, 188 x 58.
QPixmap startStop(bool stop, Look look, qreal dpr = 1);

// The Getting started overlay: a light background of the given size, made for the heading
// in the brand blue and the steps in the accent orange, and an 88 x 92 emblem.
QPixmap overlayBackground(const QSize& size, qreal dpr = 1);
// The same background painted straight onto a widget: a pixmap of the list's size would be
// most of a megabyte held for a panel that is seldom painted.
void paintOverlayBackground(QPainter& p, const QSize& size);
QPixmap overlayEmblem(qreal dpr = 1);

// The about box's upper area, 503 x 167: the picture on its left (117 x 167) and the
// background of the rest (386 x 167). The background is light: draw the product name and
// version over it in aboutTextColour() (dark), anywhere but the coloured rule along its
// bottom 4 pixels.
QPixmap aboutSide(qreal dpr = 1);
QPixmap aboutBackground(qreal dpr = 1);
QColor aboutTextColour();

// Icons of the preview's 38 x 22 buttons, 16 x 16 each.
enum class Player { Play, Pause, Stop };
QPixmap playerIcon(Player button, qreal dpr = 1);
// The same as an icon that draws itself at whatever ratio it is shown.
QIcon playerIconSet(Player button);

// The dark plate behind the preview's elapsed time; its text reads in previewTimeTextColour().
QPixmap previewTimeBackground(const QSize& size = QSize(60, 22), qreal dpr = 1);
QColor previewTimeTextColour();

// The application's icon, side x side (16..512 look right); the same design as
// data/icons/framewright.svg. applicationIcon() holds it at the usual icon sizes.
QPixmap appIcon(int side, qreal dpr = 1);
QIcon applicationIcon();

} // namespace Pictures
