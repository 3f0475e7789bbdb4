#pragma once

#include <QAbstractButton>
#include <QPixmap>

#include <functional>

// A picture that acts as a button: it reports presses, releases and moves with positions
// relative to its top-left corner, and clicks (a left press released over the picture). It
// shows its picture as it is also while disabled: a command that is not available keeps its
// look. As a button it is reached with Tab, clicked with Space or Enter, and named for a screen
// reader; with the keyboard focus it draws a ring around its picture's round outline.
class ImageButton final : public QAbstractButton
{
    Q_OBJECT
public:
    ImageButton(const QString& name, QWidget* parent);

    void setPicture(const QPixmap& picture);
    // The picture shown until another is set, drawn only when first needed, which keeps its
    // cost out of the program's start.
    void setFirstPicture(std::function<QPixmap()> draw);
    const QPixmap& picture() const;

signals:
    void mouseMoved(QPoint at);
    void mousePressed(QPoint at, Qt::MouseButton button);
    void mouseReleased(QPoint at, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    mutable QPixmap m_picture;
    mutable std::function<QPixmap()> m_first;
};
