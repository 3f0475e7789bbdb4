#pragma once

#include <QPixmap>

// The program's pictures, drawn at start rather than shipped as image files.
namespace Pictures {

enum Look { Normal = 0, Hover = 1, Pressed = 2 };

// Toolbar picture number 0..8 (5 and 6 are unused positions), 54 x 54.
QPixmap toolbar(int number, Look look);

// The Start or Stop picture, 188 x 58.
QPixmap startStop(bool stop, Look look);

// The Getting started overlay: a background of the given size and a 96 x 96 emblem.
QPixmap overlayBackground(const QSize& size);
QPixmap overlayEmblem();

} // namespace Pictures
