#pragma once

#include <QDialog>

// The custom video size dialog: asks for a width and a height for "Custom Size".
class TSizeForm final : public QDialog
{
    Q_OBJECT
public:
    explicit TSizeForm(QWidget* mainWindow);

private:
    QWidget* m_mainWindow;
};
