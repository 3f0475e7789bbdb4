#include "TAboutForm.h"

TAboutForm::TAboutForm(const QString& version, QWidget* mainWindow) : QDialog(mainWindow)
{
    Q_UNUSED(version);
    setObjectName(QStringLiteral("TAboutForm"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(503, 290);
}
