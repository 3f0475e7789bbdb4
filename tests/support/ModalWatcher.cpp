#include "ModalWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

ModalWatcher::ModalWatcher(QMessageBox::StandardButton answer) : m_answer(answer)
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
    m_timer.start();
}

void ModalWatcher::poll()
{
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        auto* box = qobject_cast<QMessageBox*>(window);
        if (!box || !box->isVisible())
            continue;
        if (m_answer == QMessageBox::NoButton) { // left open: seen once
            if (!m_leftOpen.contains(box)) {
                m_leftOpen.append(box);
                seen.append({box->windowTitle(), box->text(), box->icon()});
            }
            continue;
        }
        seen.append({box->windowTitle(), box->text(), box->icon()});
        QAbstractButton* button = box->button(m_answer);
        if (!button)
            button = box->defaultButton();
        if (button)
            button->click();
        else
            box->reject();
    }
}
