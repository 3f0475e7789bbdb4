#pragma once

#include <QObject>

#include <functional>

class QWidget;

// One command of a window and every trigger that gives it: a picture, a hidden tool button, a
// popup entry, a key. Each trigger runs the same handler through Guarded, so all of them share
// one error path, and a new trigger is one more call.
class Command final : public QObject
{
    Q_OBJECT
public:
    Command(QWidget* owner, std::function<void()> handler);

    // Any signal of the sender runs the command; its arguments are not looked at.
    template <typename Sender, typename Signal> Command& on(Sender* sender, Signal signal)
    {
        connect(sender, signal, this, [this] { run(); });
        return *this;
    }

    // The key pressed in the widget runs the command, whatever modifiers are held; the widget
    // does not see that key. Other keys keep their ordinary meaning.
    Command& key(QWidget* widget, int key);

    void run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_owner;
    std::function<void()> m_handler;
    QList<std::pair<QObject*, int>> m_keys;
};
