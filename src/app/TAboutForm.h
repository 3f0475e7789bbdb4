#pragma once

#include <QDialog>

// The about box: the product name and the version line.
class TAboutForm final : public QDialog
{
    Q_OBJECT
public:
    TAboutForm(const QString& version, QWidget* mainWindow);
};
