#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class ValueListEditor;

// The custom video size dialog: asks for a width and a height and writes them as WxH into the
// main window's "Video Size" row. Shown modeless; it disables the main window while open.
class TSizeForm final : public QDialog
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
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void FormClose();
    bool refuse(QLineEdit* field, const QString& text, const QString& caption);

    QWidget* m_mainWindow;
    ValueListEditor* m_videoGrid;
};
