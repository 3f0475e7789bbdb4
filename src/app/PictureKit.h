#pragma once

#include "Pictures.h"

#include <QImage>
#include <QPainter>
#include <QPen>

// What the pictures share: one palette, canvases at a screen's pixel ratio, the glyph strokes
// and the application's mark. Internal to the pictures.
namespace Pictures::Kit {

// Sky and amber are the overlay's heading and step colours.
inline const QColor sky(40, 180, 232);
inline const QColor skyLight(86, 198, 240);
inline const QColor skyDeep(20, 140, 200);
inline const QColor skyDark(12, 108, 160);
inline const QColor amber(242, 152, 53);
inline const QColor coral(226, 82, 64);
inline const QColor coralLight(242, 108, 88);
inline const QColor coralDeep(186, 58, 44);
inline const QColor ink(34, 48, 64);
inline const QColor rim(198, 212, 224);
inline const QColor mist(236, 244, 250);

QColor faded(QColor colour, int alpha);
// A transparent pixmap (or image) of the logical size for a screen of the given ratio.
// Painters on it work in logical pixels; Qt scales them by the ratio.
QPixmap canvas(const QSize& logical, qreal dpr);
QImage layer(const QSize& logical, qreal dpr);
// Glyph strokes are 2 pixels wide on whole-pixel coordinates, so straight edges land on pixel
// boundaries at 1x and 2x alike.
QPen stroke(const QColor& colour);
QPen flatStroke(const QColor& colour);
QFont boldFont(int pixels);
// The application's mark filling a square of the side.
void drawMark(QPainter& p, qreal side);

} // namespace Pictures::Kit
