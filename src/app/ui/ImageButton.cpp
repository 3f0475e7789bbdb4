#include "ImageButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(const QString& name, QWidget* parent) : QAbstractButton(parent)
{
    setObjectName(name);
    setMouseTracking(true);
    // Reached by Tab; a click of the mouse leaves the keyboard focus where it was, in the list.
    setFocusPolicy(Qt::TabFocus);
}

void ImageButton::setPicture(const QPixmap& picture)
{
    m_first = nullptr;
    m_picture = picture;
    update();
}

void ImageButton::setFirstPicture(std::function<QPixmap()> draw)
{
    m_first = std::move(draw);
    m_picture = QPixmap();
    update();
}

const QPixmap& ImageButton::picture() const
{
    if (m_first) {
        m_picture = m_first();
        m_first = nullptr;
    }
    return m_picture;
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture());
    if (!hasFocus())
        return;
    // The pictures are round, or rounded at their ends: the ring follows that outline.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    const QRectF ring = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = ring.height() / 2;
    painter.drawRoundedRect(ring, radius, radius);
}

void ImageButton::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint());
    QAbstractButton::mouseMoveEvent(event);
    // The picture's alone: passed on, a move would reach the toolbar's background as one
    // off every picture.
    event->accept();
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    // Any button presses the picture's look; the left one alone makes a click.
    emit mousePressed(event->position().toPoint(), event->button());
    QAbstractButton::mousePressEvent(event);
    event->accept();
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->position().toPoint(), event->button());
    QAbstractButton::mouseReleaseEvent(event);
    event->accept();
}

void ImageButton::keyPressEvent(QKeyEvent* event)
{
    // Space is the button's own; Enter clicks too, as it does a push button with the focus.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
