#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

// A dialog shown modeless that stands in for a modal one: while it is visible its owner window
// is disabled, and closing it in any way enables the owner again and gives the keyboard back
// where it was. Created once and only shown and hidden afterwards; each showing starts with the
// keyboard on firstField(). FormShow and FormClose are the dialog's own steps around that.
class OwnerLockingDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OwnerLockingDialog(QWidget* owner);

    void setVisible(bool visible) override;

protected:
    virtual void FormShow() {}
    virtual void FormClose(int /*result*/) {}
    // The control that has the keyboard when the dialog opens: the first one Tab reaches.
    virtual QWidget* firstField() const;
    // The first control inside area that Tab stops at; null when there is none.
    QWidget* firstTabStop(const QWidget* area) const;

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

    QWidget* owner() const { return m_owner; }

private:
    void unlockOwner(bool wasActive);

    QWidget* m_owner;
    QList<QPointer<QWidget>> m_ownerFocus; // the owner's focus before, then its parents
    bool m_locked = false;
};
