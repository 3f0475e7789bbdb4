#include "ImageButton.h"

#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setMouseTracking(true);
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
}

void ImageButton::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint());
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit mousePressed(event->position().toPoint(), event->button());
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    emit mouseReleased(at, event->button());
    if (event->button() == Qt::LeftButton && m_leftDown) {
        m_leftDown = false;
        if (rect().contains(at))
            emit clicked();
    }
}
