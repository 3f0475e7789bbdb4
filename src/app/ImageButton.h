#pragma once

#include <QLabel>

// A picture that acts as a button: it reports presses, releases, moves and clicks (a left press
// released over the picture) with positions relative to its top-left corner.
class ImageButton final : public QLabel
{
    Q_OBJECT
public:
    explicit ImageButton(const QString& name, QWidget* parent);

signals:
    void mouseMoved(QPoint at);
    void mousePressed(QPoint at, Qt::MouseButton button);
    void mouseReleased(QPoint at, Qt::MouseButton button);
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_leftDown = false;
};
