#pragma once

#include <QObject>
#include <QUrl>

#include <functional>

class QWidget;

// Files dragged onto the main window or onto any control in it go to the window's drop handler
// and nowhere else: a text field must not take a dropped file's address as text, and a drop on
// the preview must not be lost. Drags of other things (text) keep their ordinary meaning.
class FileDrops final : public QObject
{
    Q_OBJECT
public:
    using Accepting = std::function<bool()>;
    using Dropped = std::function<void(const QList<QUrl>&)>;

    FileDrops(QWidget* window, Accepting accepting, Dropped dropped);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    Accepting m_accepting;
    Dropped m_dropped;
};
