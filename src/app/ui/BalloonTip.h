#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QPainterPath;

// A balloon tip tied to one widget. Once shown it comes back whenever the pointer rests over
// that widget, until it is taken down; showing it again reuses the same window.
class BalloonTip final : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RestMs = 500; // how long the pointer rests before the tip comes back

    explicit BalloonTip(QWidget* target);

    // Shows the tip at the pointer now, and again each time the pointer rests on the target.
    void ShowBalloonTip(const QIcon& icon, const QString& title, const QString& text);
    // Hides the tip for good, until it is shown again.
    void takeDown();

    bool isAttached() const { return m_attached; }
    QString title() const;
    QString text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int TailHeight = 10;
    static constexpr int TailLeft = 16; // where the tail meets the body, from the left edge

    void popUp();
    QPainterPath outline() const;

    QWidget* m_target;
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_text;
    QTimer m_rest;
    bool m_attached = false;
    bool m_pointerInside = false;
};
