#pragma once

#include "OwnerLockingDialog.h"

class QLineEdit;
class QPushButton;
class ValueListEditor;

// The custom video size dialog: asks for a width and a height and writes them as WxH into the
// main window's "Video Size" row. Shown modeless; it disables the main window while open.
class TSizeForm final : public OwnerLockingDialog
{
    Q_OBJECT
public:
    TSizeForm(QWidget* mainWindow, ValueListEditor* videoGrid);

    QLineEdit* edtWidth = nullptr;
    QLineEdit* edtHeight = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    void btnOKClick();
    void btnCancelClick();

protected:
    void FormClose(int result) override;

private:
    bool refuse(QLineEdit* field, const QString& text, const QString& caption);

    ValueListEditor* m_videoGrid;
};
