#include "Pictures.h"

#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace Pictures {
namespace {

// One palette for every picture. Sky and amber are the overlay's heading and step colours.
const QColor sky(40, 180, 232);
const QColor skyLight(86, 198, 240);
const QColor skyDeep(20, 140, 200);
const QColor skyDark(12, 108, 160);
const QColor amber(242, 152, 53);
const QColor coral(226, 82, 64);
const QColor coralLight(242, 108, 88);
const QColor coralDeep(186, 58, 44);
const QColor ink(34, 48, 64);
const QColor rim(198, 212, 224);
const QColor mist(236, 244, 250);

QColor faded(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

qreal validRatio(qreal dpr)
{
    return dpr > 0 ? dpr : 1;
}

QSize devicePixels(const QSize& logical, qreal dpr)
{
    return QSize(qCeil(logical.width() * dpr), qCeil(logical.height() * dpr));
}

// A transparent pixmap of the logical size for a screen of the given ratio. Painters on it
// work in logical pixels; Qt scales them by the ratio.
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

// Glyph strokes are 2 pixels wide on whole-pixel coordinates, so straight edges land on pixel
// boundaries at 1x and 2x alike.
QPen stroke(const QColor& colour)
{
    return QPen(colour, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPen flatStroke(const QColor& colour)
{
    return QPen(colour, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

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

// ---- Application mark --------------------------------------------------------------------

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

QFont boldFont(int pixels)
{
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Bold);
    return font;
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

QPixmap overlayBackground(const QSize& size, qreal dpr)
{
    const QSize logical = size.expandedTo(QSize(1, 1));
    QPixmap pixmap = canvas(logical, dpr);
    QPainter p(&pixmap);
    QLinearGradient fill(0, 0, 0, logical.height());
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, mist);
    p.fillRect(QRect(QPoint(0, 0), logical), fill);

    // Large faint rings in the lower right corner, away from the text on the left.
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    const qreal unit = qMax(logical.width(), logical.height());
    const QPointF corner(logical.width() - unit * 0.06, logical.height() - unit * 0.02);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(faded(sky, 22 - i * 6), unit * 0.05));
        const qreal r = unit * (0.22 + i * 0.12);
        p.drawEllipse(corner, r, r);
    }
    return pixmap;
}

QPixmap overlayEmblem(qreal dpr)
{
    // The tile sits flush left and top, in line with the heading under it.
    QPixmap pixmap = canvas(QSize(88, 92), dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 18));
    p.drawRoundedRect(QRectF(0, 3, 88, 88), 20, 20);
    const qreal side = 88 * 512.0 / 448;
    p.translate(-side * 32 / 512, -side * 32 / 512);
    drawMark(p, side);
    return pixmap;
}

QPixmap aboutSide(qreal dpr)
{
    QPixmap pixmap = canvas(QSize(117, 167), dpr);
    QPainter p(&pixmap);
    QLinearGradient fill(0, 0, 0, 167);
    fill.setColorAt(0, ink.lighter(115));
    fill.setColorAt(1, ink);
    p.fillRect(QRect(0, 0, 117, 167), fill);

    // Sprocket holes down both edges make the strip a piece of film.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(faded(mist, 60));
    for (int y = 7; y < 167; y += 16) {
        p.drawRoundedRect(QRectF(6, y, 8, 10), 2, 2);
        p.drawRoundedRect(QRectF(103, y, 8, 10), 2, 2);
    }
    p.translate(22.5, 47.5 - 4);
    drawMark(p, 72);
    return pixmap;
}

QPixmap aboutBackground(qreal dpr)
{
    QPixmap pixmap = canvas(QSize(386, 167), dpr);
    QPainter p(&pixmap);
    QLinearGradient fill(0, 0, 0, 167);
    fill.setColorAt(0, Qt::white);
    fill.setColorAt(1, mist);
    p.fillRect(QRect(0, 0, 386, 167), fill);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(faded(sky, 26 - i * 7), 14));
        const qreal r = 70 + i * 40;
        p.drawEllipse(QPointF(372, 160), r, r);
    }
    // The two brand colours as a thin rule along the bottom.
    p.fillRect(QRectF(0, 163, 386, 4), sky);
    p.fillRect(QRectF(0, 163, 96, 4), amber);
    return pixmap;
}

QColor aboutTextColour()
{
    return ink;
}

QPixmap playerIcon(Player button, qreal dpr)
{
    QPixmap pixmap = canvas(QSize(16, 16), dpr);
    QPainter p(&pixmap);
    p.setPen(Qt::NoPen);
    switch (button) {
    case Player::Play: {
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(skyDeep);
        const QPointF play[3] = {QPointF(4, 2.5), QPointF(4, 13.5), QPointF(13, 8)};
        p.drawPolygon(play, 3);
        break;
    }
    case Player::Pause:
        p.fillRect(QRect(4, 3, 3, 10), ink);
        p.fillRect(QRect(9, 3, 3, 10), ink);
        break;
    case Player::Stop:
        p.fillRect(QRect(3, 3, 10, 10), coral);
        break;
    }
    return pixmap;
}

QPixmap previewTimeBackground(const QSize& size, qreal dpr)
{
    const QSize logical = size.expandedTo(QSize(8, 8));
    QPixmap pixmap = canvas(logical, dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate(0.5, 0.5, logical.width() - 1, logical.height() - 1);
    QLinearGradient fill(0, 0, 0, logical.height());
    fill.setColorAt(0, ink);
    fill.setColorAt(1, ink.darker(125));
    p.setPen(QPen(ink.darker(150), 1));
    p.setBrush(fill);
    p.drawRoundedRect(plate, 4, 4);
    p.setPen(QPen(faded(skyLight, 50), 1));
    p.drawLine(QPointF(4, 1.5), QPointF(logical.width() - 4, 1.5));
    return pixmap;
}

QColor previewTimeTextColour()
{
    return QColor(128, 218, 250);
}

QPixmap appIcon(int side, qreal dpr)
{
    QPixmap pixmap = canvas(QSize(side, side).expandedTo(QSize(1, 1)), dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawMark(p, side);
    return pixmap;
}

namespace {
// Draws the icon at the size asked for, when it is asked for: drawing every size up front
// would cost the start of the program several milliseconds.
class AppIconEngine final : public QIconEngine
{
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(rect.width(), rect.height());
        painter->drawPixmap(QRect(rect.topLeft(), QSize(side, side)), appIcon(side));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        return appIcon(std::max(1, std::min(size.width(), size.height())));
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : {16, 22, 24, 32, 48, 64, 128, 256, 512})
            sizes << QSize(side, side);
        return sizes;
    }
    QIconEngine* clone() const override { return new AppIconEngine; }
};
} // namespace

QIcon applicationIcon()
{
    return QIcon(new AppIconEngine);
}

} // namespace Pictures
