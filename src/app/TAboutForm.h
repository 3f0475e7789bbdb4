#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The about box: the product name and the version line over its pictures. Created once at
// start-up; while shown it disables the main window.
class TAboutForm final : public QDialog
{
    Q_OBJECT
public:
    TAboutForm(const QString& version, QWidget* mainWindow);

    QLabel* labProgramName = nullptr;
    QLabel* labVersion = nullptr;
    QPushButton* btnOK = nullptr;

    void btnOKClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormCreate(const QString& version);
    void FormShow();
    void FormClose();

    QWidget* m_mainWindow;
};
