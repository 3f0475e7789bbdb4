#include "OwnerLockingDialog.h"

OwnerLockingDialog::OwnerLockingDialog(QWidget* owner) : QDialog(owner), m_owner(owner) {}

void OwnerLockingDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_owner->setEnabled(false);
    setEnabled(true); // a child window would otherwise follow its disabled owner
    FormShow();
}

void OwnerLockingDialog::done(int result)
{
    QDialog::done(result);
    FormClose(result);
    m_owner->setEnabled(true);
}
