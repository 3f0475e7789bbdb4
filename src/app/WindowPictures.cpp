#include "PictureKit.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainterPath>

// The pictures of the windows around the toolbar: the overlay, the about box, the preview and
// the application's icon.
namespace Pictures {
using namespace Kit;

QPixmap overlayBackground(const QSize& size, qreal dpr)
{
    const QSize logical = size.expandedTo(QSize(1, 1));
    QPixmap pixmap = canvas(logical, dpr);
    QPainter p(&pixmap);
    paintOverlayBackground(p, logical);
    return pixmap;
}

void paintOverlayBackground(QPainter& p, const QSize& size)
{
    const QSize logical = size.expandedTo(QSize(1, 1));
    p.save();
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
    p.restore();
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
    // The sizes a window hands the window manager, all drawn before the window is first shown:
    // the small ones. Any other size is drawn when asked for.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int side : {16, 22, 24, 32, 48, 64})
            sizes << QSize(side, side);
        return sizes;
    }
    QIconEngine* clone() const override { return new AppIconEngine; }
};
} // namespace

namespace {
// A preview button's icon, drawn when and as it is painted.
class PlayerIconEngine final : public QIconEngine
{
public:
    explicit PlayerIconEngine(Player button) : m_button(button) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPixmap icon = playerIcon(m_button, painter->device()->devicePixelRatioF());
        const QSize size = icon.deviceIndependentSize().toSize();
        painter->save();
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        painter->drawPixmap(
            QRect(rect.center() - QPoint(size.width() / 2, size.height() / 2), size), icon);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap canvas(size);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        paint(&painter, canvas.rect(), mode, state);
        return canvas;
    }
    QIconEngine* clone() const override { return new PlayerIconEngine(m_button); }

private:
    Player m_button;
};
} // namespace

QIcon playerIconSet(Player button)
{
    return QIcon(new PlayerIconEngine(button));
}

QIcon applicationIcon()
{
    return QIcon(new AppIconEngine);
}

} // namespace Pictures
