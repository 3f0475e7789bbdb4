#pragma once

#include "profiles/ui/OwnerLockingDialog.h"

#include <QPixmap>

class QLabel;
class QPushButton;

// The about box: the product name and the version line over its pictures. Created once at
// start-up; while shown it disables the main window.
class TAboutForm final : public OwnerLockingDialog
{
    Q_OBJECT
public:
    TAboutForm(const QString& version, QWidget* mainWindow);

    QLabel* labProgramName = nullptr;
    QLabel* labVersion = nullptr;
    QPushButton* btnOK = nullptr;

    void btnOKClick();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FormCreate(const QString& version);

    QPixmap m_side;
    QPixmap m_background;
};
