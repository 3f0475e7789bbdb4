#include "Command.h"

#include "ErrorReport.h"

#include <QKeyEvent>
#include <QWidget>

Command::Command(QWidget* owner, std::function<void()> handler)
    : QObject(owner), m_owner(owner), m_handler(std::move(handler))
{}

Command& Command::key(QWidget* widget, int key)
{
    m_keys.append({widget, key});
    widget->installEventFilter(this);
    return *this;
}

void Command::run()
{
    Guarded(m_owner, m_handler);
}

bool Command::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int pressed = static_cast<QKeyEvent*>(event)->key();
        if (m_keys.contains(std::pair<QObject*, int>(watched, pressed))) {
            run();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
