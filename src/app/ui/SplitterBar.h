#pragma once

#include <QLabel>

// The bar between the task area and the right panel; the window decides what a drag does.
class SplitterBar final : public QLabel
{
    Q_OBJECT
public:
    explicit SplitterBar(QWidget* parent);

signals:
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};
