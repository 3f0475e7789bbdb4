#include "TSizeForm.h"

TSizeForm::TSizeForm(QWidget* mainWindow) : QDialog(mainWindow), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("TSizeForm"));
    setWindowTitle(QStringLiteral("Video Size of output files"));
    setFixedSize(336, 106);
}
