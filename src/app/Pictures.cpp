#include "Pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Pictures {
namespace {

QColor shade(Look look, const QColor& base)
{
    switch (look) {
    case Hover:
        return base.lighter(125);
    case Pressed:
        return base.darker(130);
    default:
        return base;
    }
}

void drawGlyph(QPainter& p, int number, const QRectF& box)
{
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    switch (number) {
    case 0: { // add file: a page with a plus
        p.drawRect(QRectF(c.x() - 9, c.y() - 12, 16, 22));
        p.drawLine(QPointF(c.x() + 4, c.y() + 8), QPointF(c.x() + 14, c.y() + 8));
        p.drawLine(QPointF(c.x() + 9, c.y() + 3), QPointF(c.x() + 9, c.y() + 13));
        break;
    }
    case 1: { // add folder
        QPainterPath folder;
        folder.moveTo(c.x() - 13, c.y() + 9);
        folder.lineTo(c.x() - 13, c.y() - 9);
        folder.lineTo(c.x() - 5, c.y() - 9);
        folder.lineTo(c.x() - 2, c.y() - 5);
        folder.lineTo(c.x() + 13, c.y() - 5);
        folder.lineTo(c.x() + 13, c.y() + 9);
        folder.closeSubpath();
        p.drawPath(folder);
        break;
    }
    case 2: // remove
        p.drawLine(QPointF(c.x() - 11, c.y()), QPointF(c.x() + 11, c.y()));
        break;
    case 3: // clear
        p.drawLine(QPointF(c.x() - 9, c.y() - 9), QPointF(c.x() + 9, c.y() + 9));
        p.drawLine(QPointF(c.x() + 9, c.y() - 9), QPointF(c.x() - 9, c.y() + 9));
        break;
    case 4: { // settings: a toothed wheel
        p.drawEllipse(c, 7, 7);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(c);
            p.rotate(i * 45);
            p.drawLine(QPointF(0, -10), QPointF(0, -14));
            p.restore();
        }
        break;
    }
    default: { // about "i", help "?"
        QFont font = p.font();
        font.setPixelSize(26);
        font.setBold(true);
        p.setFont(font);
        p.drawText(box, Qt::AlignCenter, number == 7 ? QStringLiteral("i") : QStringLiteral("?"));
        break;
    }
    }
}

} // namespace

QPixmap toolbar(int number, Look look)
{
    QPixmap pixmap(54, 54);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = number >= 7 ? QColor(70, 140, 90) : QColor(40, 120, 200);
    const QPointF centre = look == Pressed ? QPointF(28, 28) : QPointF(27, 27);
    QRadialGradient fill(centre.x() - 8, centre.y() - 8, 30);
    fill.setColorAt(0, shade(look, base).lighter(150));
    fill.setColorAt(1, shade(look, base));
    p.setPen(QPen(look == Hover ? QColor(255, 200, 80) : QColor(20, 60, 110), 2));
    p.setBrush(fill);
    p.drawEllipse(centre, 22, 22);
    drawGlyph(p, number, QRectF(centre.x() - 22, centre.y() - 22, 44, 44));
    return pixmap;
}

QPixmap startStop(bool stop, Look look)
{
    QPixmap pixmap(188, 58);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = stop ? QColor(200, 60, 50) : QColor(40, 160, 70);
    const QRectF body =
        QRectF(2, 2, 184, 54).translated(look == Pressed ? 1 : 0, look == Pressed ? 1 : 0);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, shade(look, base).lighter(140));
    fill.setColorAt(1, shade(look, base));
    p.setPen(QPen(look == Hover ? QColor(255, 200, 80) : base.darker(150), 2));
    p.setBrush(fill);
    p.drawRoundedRect(body, 12, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const QPointF mark(body.left() + 34, body.center().y());
    if (stop) {
        p.drawRect(QRectF(mark.x() - 10, mark.y() - 10, 20, 20));
    } else {
        const QPointF triangle[3] = {mark + QPointF(-9, -12), mark + QPointF(-9, 12),
                                     mark + QPointF(13, 0)};
        p.drawPolygon(triangle, 3);
    }
    QFont font = p.font();
    font.setPixelSize(26);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(body.adjusted(60, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
               stop ? QStringLiteral("Stop") : QStringLiteral("Start"));
    return pixmap;
}

QPixmap overlayBackground(const QSize& size)
{
    QPixmap pixmap(size.expandedTo(QSize(1, 1)));
    QPainter p(&pixmap);
    QLinearGradient fill(0, 0, 0, pixmap.height());
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(225, 238, 250));
    p.fillRect(pixmap.rect(), fill);
    return pixmap;
}

QPixmap overlayEmblem()
{
    QPixmap pixmap(96, 96);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A film frame with sprocket holes.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 180, 232));
    p.drawRoundedRect(QRectF(8, 16, 80, 64), 8, 8);
    p.setBrush(Qt::white);
    for (int i = 0; i < 5; ++i) {
        p.drawRect(QRectF(14 + i * 15, 21, 8, 7));
        p.drawRect(QRectF(14 + i * 15, 68, 8, 7));
    }
    p.setBrush(QColor(242, 152, 53));
    const QPointF triangle[3] = {QPointF(40, 36), QPointF(40, 60), QPointF(60, 48)};
    p.drawPolygon(triangle, 3);
    return pixmap;
}

} // namespace Pictures
