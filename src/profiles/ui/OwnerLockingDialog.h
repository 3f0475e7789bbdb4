#pragma once

#include <QDialog>

// A dialog shown modeless that stands in for a modal one: while it is visible its owner window
// is disabled, and closing it in any way enables the owner again. Created once and only shown
// and hidden afterwards. FormShow and FormClose are the dialog's own steps around that.
class OwnerLockingDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OwnerLockingDialog(QWidget* owner);

protected:
    virtual void FormShow() {}
    virtual void FormClose(int /*result*/) {}

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

    QWidget* owner() const { return m_owner; }

private:
    QWidget* m_owner;
};
