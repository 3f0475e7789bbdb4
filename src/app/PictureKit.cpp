#include "PictureKit.h"

#include <QLinearGradient>
#include <QtMath>

namespace Pictures::Kit {

QColor faded(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

namespace {
qreal validRatio(qreal dpr)
{
    return dpr > 0 ? dpr : 1;
}

QSize devicePixels(const QSize& logical, qreal dpr)
{
    return QSize(qCeil(logical.width() * dpr), qCeil(logical.height() * dpr));
}
} // namespace

QPixmap canvas(const QSize& logical, qreal dpr)
{
    dpr = validRatio(dpr);
    QPixmap pixmap(devicePixels(logical, dpr));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QImage layer(const QSize& logical, qreal dpr)
{
    dpr = validRatio(dpr);
    QImage image(devicePixels(logical, dpr), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    return image;
}

QPen stroke(const QColor& colour)
{
    return QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen flatStroke(const QColor& colour)
{
    return QPen(colour, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QFont boldFont(int pixels)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Bold);
    return font;
}

// The mark on a 512-unit square: a blue tile holding a film frame with an amber play sign.
// Small sizes drop the sprocket holes, which would only blur there, and put the tile and the
// frame on whole device pixels.
void drawMark(QPainter& p, qreal side)
{
    const qreal k = side / 512.0;
    const qreal dpr = p.device()->devicePixelRatioF();
    const bool detailed = side >= 40;
    auto box = [&](qreal x, qreal y, qreal w, qreal h) {
        QRectF r(x * k, y * k, w * k, h * k);
        if (detailed)
            return r;
        const QPointF a(qRound(r.left() * dpr) / dpr, qRound(r.top() * dpr) / dpr);
        const QPointF b(qRound(r.right() * dpr) / dpr, qRound(r.bottom() * dpr) / dpr);
        return QRectF(a, b);
    };
    QLinearGradient tile(0, 32 * k, 0, 480 * k);
    tile.setColorAt(0, skyLight);
    tile.setColorAt(1, skyDeep);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(box(32, 32, 448, 448), 100 * k, 100 * k);

    p.setBrush(Qt::white);
    const QRectF frame = detailed ? box(96, 136, 320, 240) : box(88, 120, 336, 272);
    p.drawRoundedRect(frame, 32 * k, 32 * k);
    if (detailed) {
        p.setBrush(tile);
        for (int i = 0; i < 6; ++i) {
            p.drawRoundedRect(box(120 + i * 48, 156, 32, 28), 8 * k, 8 * k);
            p.drawRoundedRect(box(120 + i * 48, 328, 32, 28), 8 * k, 8 * k);
        }
    }
    p.setBrush(amber);
    const qreal h = detailed ? 50 : 80;
    const QPointF play[3] = {QPointF(230, 256 - h) * k, QPointF(230, 256 + h) * k,
                             QPointF(230 + h * 1.6, 256) * k};
    p.drawPolygon(play, 3);
    p.restore();
}

} // namespace Pictures::Kit
