#include "PictureKit.h"

#include <QLinearGradient>
#include <QPainterPath>

// The toolbar's round buttons and the Start and Stop pictures.
namespace Pictures {
namespace {
using namespace Kit;

// ---- Toolbar -----------------------------------------------------------------------------

enum class Badge { None, Plus, Minus };

void drawPage(QPainter& p)
{
    QPainterPath page;
    page.moveTo(18, 15);
    page.lineTo(28, 15);
    page.lineTo(34, 21);
    page.lineTo(34, 39);
    page.lineTo(18, 39);
    page.closeSubpath();
    page.moveTo(28, 15);
    page.lineTo(28, 21);
    page.lineTo(34, 21);
    p.drawPath(page);
}

void drawFolder(QPainter& p)
{
    QPainterPath folder;
    folder.moveTo(15, 36);
    folder.lineTo(15, 18);
    folder.lineTo(23, 18);
    folder.lineTo(26, 21);
    folder.lineTo(39, 21);
    folder.lineTo(39, 36);
    folder.closeSubpath();
    folder.moveTo(15, 25);
    folder.lineTo(39, 25);
    p.drawPath(folder);
}

void drawBin(QPainter& p)
{
    p.drawLine(QPointF(17, 19), QPointF(37, 19));
    p.drawPolyline(QPolygonF({QPointF(24, 19), QPointF(24, 15), QPointF(30, 15), QPointF(30, 19)}));
    QPainterPath body;
    body.moveTo(20, 19);
    body.lineTo(20, 36);
    body.quadTo(20, 39, 23, 39);
    body.lineTo(31, 39);
    body.quadTo(34, 39, 34, 36);
    body.lineTo(34, 19);
    p.drawPath(body);
    p.drawLine(QPointF(25, 24), QPointF(25, 34));
    p.drawLine(QPointF(29, 24), QPointF(29, 34));
}

QPainterPath gear(const QPointF& c, qreal outer, qreal root, int teeth)
{
    const qreal step = 360.0 / teeth;
    auto at = [&](qreal radius, qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return c + QPointF(radius * qCos(a), radius * qSin(a));
    };
    const QRectF rootBox(c.x() - root, c.y() - root, 2 * root, 2 * root);
    QPainterPath path;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = i * step - 90;
        if (i == 0)
            path.moveTo(at(root, a - step * 0.28));
        path.lineTo(at(outer, a - step * 0.16));
        path.lineTo(at(outer, a + step * 0.16));
        path.lineTo(at(root, a + step * 0.28));
        // QPainterPath angles turn the other way round on screen.
        path.arcTo(rootBox, -(a + step * 0.28), -(step * 0.44));
    }
    path.closeSubpath();
    return path;
}

void drawGear(QPainter& p)
{
    p.drawPath(gear(QPointF(27, 27), 12, 8.5, 8));
    p.drawEllipse(QPointF(27, 27), 3.5, 3.5);
}

void drawInfo(QPainter& p)
{
    p.drawEllipse(QPointF(27, 27), 11, 11);
    p.setPen(flatStroke(p.pen().color()));
    p.drawLine(QPointF(27, 25), QPointF(27, 33));
}

void drawHelp(QPainter& p)
{
    p.drawEllipse(QPointF(27, 27), 11, 11);
    QPainterPath hook;
    hook.moveTo(23.5, 24);
    hook.arcTo(QRectF(23.5, 20.5, 7, 7), 180, -230);
    hook.lineTo(27, 27.5);
    hook.lineTo(27, 29);
    p.drawPath(hook);
}

// The dot of "i" and "?": a filled round spot.
void drawDot(QPainter& p, const QColor& colour, const QPointF& at)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(at, 1.4, 1.4);
    p.restore();
}

// The glyph in its own layer, so a badge can cut a clean gap out of it.
QImage glyph(int number, const QColor& colour, Look look, qreal dpr)
{
    QImage image = layer(QSize(54, 54), dpr);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (look == Pressed)
        p.translate(0, 1);
    p.setPen(stroke(colour));
    p.setBrush(Qt::NoBrush);

    Badge badge = Badge::None;
    QColor badgeColour = amber;
    switch (number) {
    case 0:
        drawPage(p);
        badge = Badge::Plus;
        break;
    case 1:
        drawFolder(p);
        badge = Badge::Plus;
        break;
    case 2:
        drawPage(p);
        badge = Badge::Minus;
        badgeColour = coral;
        break;
    case 3:
        drawBin(p);
        break;
    case 4:
        drawGear(p);
        break;
    case 7:
        drawInfo(p);
        drawDot(p, colour, QPointF(27, 21.5));
        break;
    case 8:
        drawHelp(p);
        drawDot(p, colour, QPointF(27, 32.5));
        break;
    default:
        break;
    }

    if (badge != Badge::None) {
        const QPointF centre(37, 36);
        p.setPen(Qt::NoPen);
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        p.setBrush(Qt::black);
        p.drawEllipse(centre, 9, 9);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setBrush(badgeColour);
        p.drawEllipse(centre, 7, 7);
        p.setPen(flatStroke(Qt::white));
        p.drawLine(centre + QPointF(-3.5, 0), centre + QPointF(3.5, 0));
        if (badge == Badge::Plus)
            p.drawLine(centre + QPointF(0, -3.5), centre + QPointF(0, 3.5));
    }
    return image;
}

// ---- Start and Stop ----------------------------------------------------------------------

QColor startStopFill(bool stop, Look look)
{
    switch (look) {
    case Hover:
        return stop ? coralLight : sky;
    case Pressed:
        return stop ? coralDeep : skyDark;
    default:
        return stop ? coral : skyDeep;
    }
}

} // namespace

QPixmap toolbar(int number, Look look, qreal dpr)
{
    QPixmap pixmap = canvas(QSize(54, 54), dpr);
    if (number < 0 || number > 8 || number == 5 || number == 6)
        return pixmap;
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QPointF centre(27, 27);
    switch (look) {
    case Normal:
        p.setBrush(QColor(0, 0, 0, 22));
        p.drawEllipse(centre + QPointF(0, 1), 22, 22);
        p.setBrush(rim);
        p.drawEllipse(centre, 22, 22);
        p.setBrush(Qt::white);
        p.drawEllipse(centre, 21, 21);
        break;
    case Hover:
        p.setBrush(QColor(0, 0, 0, 40));
        p.drawEllipse(centre + QPointF(0, 1), 22, 22);
        p.setBrush(sky);
        p.drawEllipse(centre, 22, 22);
        break;
    case Pressed: {
        p.setBrush(skyDark);
        p.drawEllipse(centre, 22, 22);
        // A shade along the top edge makes the button look pushed in.
        QLinearGradient inner(0, 5, 0, 49);
        inner.setColorAt(0, skyDeep.darker(110));
        inner.setColorAt(0.3, skyDeep);
        inner.setColorAt(1, skyDeep);
        p.setBrush(inner);
        p.drawEllipse(centre + QPointF(0, 1), 21, 21);
        break;
    }
    }
    p.drawImage(QPointF(0, 0), glyph(number, look == Normal ? ink : Qt::white, look, dpr));
    return pixmap;
}

QPixmap startStop(bool stop, Look look, qreal dpr)
{
    QPixmap pixmap = canvas(QSize(188, 58), dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const bool pressed = look == Pressed;
    const QRectF body = QRectF(4, 3, 180, 50).translated(0, pressed ? 1 : 0);
    const qreal round = body.height() / 2;
    if (!pressed) {
        p.setBrush(QColor(0, 0, 0, look == Hover ? 34 : 24));
        p.drawRoundedRect(body.translated(0, 2), round, round);
        p.setBrush(QColor(0, 0, 0, 16));
        p.drawRoundedRect(body.translated(0, 1).adjusted(-1, 0, 1, 1), round + 1, round + 1);
    }
    const QColor fill = startStopFill(stop, look);
    QLinearGradient shade(0, body.top(), 0, body.bottom());
    shade.setColorAt(0, pressed ? fill.darker(108) : fill.lighter(106));
    shade.setColorAt(1, pressed ? fill : fill.darker(104));
    p.setBrush(shade);
    p.drawRoundedRect(body, round, round);

    // A white disc on the left carries the sign in the button's own colour.
    const QPointF disc(body.left() + round, body.center().y());
    p.setBrush(Qt::white);
    p.drawEllipse(disc, 17, 17);
    p.setBrush(fill);
    if (stop) {
        p.drawRoundedRect(QRectF(disc.x() - 7, disc.y() - 7, 14, 14), 2, 2);
    } else {
        const QPointF play[3] = {disc + QPointF(-5, -9), disc + QPointF(-5, 9),
                                 disc + QPointF(10, 0)};
        p.drawPolygon(play, 3);
    }

    p.setFont(boldFont(24));
    const QRectF textBox = body.adjusted(2 * round, 0, -round / 2, 0);
    const QString text = stop ? QStringLiteral("Stop") : QStringLiteral("Start");
    p.setPen(QColor(0, 0, 0, 50));
    p.drawText(textBox.translated(0, 1), Qt::AlignCenter, text);
    p.setPen(Qt::white);
    p.drawText(textBox, Qt::AlignCenter, text);
    return pixmap;
}

} // namespace Pictures
