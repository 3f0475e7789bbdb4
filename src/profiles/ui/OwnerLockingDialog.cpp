#include "OwnerLockingDialog.h"

#include <QShowEvent>

OwnerLockingDialog::OwnerLockingDialog(QWidget* owner) : QDialog(owner), m_owner(owner) {}

QWidget* OwnerLockingDialog::firstField() const
{
    return firstTabStop(this);
}

QWidget* OwnerLockingDialog::firstTabStop(const QWidget* area) const
{
    for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled() &&
            w->isVisibleTo(this) && area->isAncestorOf(w))
            return w;
    }
    return nullptr;
}

void OwnerLockingDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Coming back from minimised is no new showing: what the user typed stays.
    if (event->spontaneous())
        return;
    if (!m_locked) {
        // Disabling the owner takes its focus away; remember it to give it back, with the
        // widgets around it for when it has gone meanwhile (a grid's cell editor).
        m_ownerFocus.clear();
        for (QWidget* w = m_owner->focusWidget(); w && w != m_owner; w = w->parentWidget())
            m_ownerFocus << w;
        m_owner->setEnabled(false);
        m_locked = true;
    }
    setEnabled(true); // a child window would otherwise follow its disabled owner
    FormShow();
    // Shown once and many times after: each time the keyboard starts at the top, not where
    // it was left.
    if (QWidget* first = firstField())
        first->setFocus(Qt::OtherFocusReason);
    // The keyboard must not stay with the window this one disables.
    activateWindow();
}

void OwnerLockingDialog::setVisible(bool visible)
{
    // Hidden in any way, not only through done(), the owner must work again. It takes the
    // keyboard before this window goes: once it has gone, the system has given the keyboard
    // elsewhere and refuses to move it on an older request.
    if (!visible && isVisible())
        unlockOwner(isActiveWindow());
    QDialog::setVisible(visible);
}

void OwnerLockingDialog::done(int result)
{
    QDialog::done(result);
    FormClose(result);
}

void OwnerLockingDialog::unlockOwner(bool wasActive)
{
    if (!m_locked)
        return;
    m_locked = false;
    m_owner->setEnabled(true);
    for (const QPointer<QWidget>& w : std::as_const(m_ownerFocus)) {
        if (w && w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
    m_ownerFocus.clear();
    // As a modal dialog would: the keyboard returns to the window it came from.
    if (wasActive && m_owner->isVisible())
        m_owner->activateWindow();
}
