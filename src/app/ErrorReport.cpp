#include "app/ErrorReport.h"

#include "base/FwError.h"

#include <QMessageBox>

void ShowError(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Framewright"), text, QMessageBox::Ok,
                    owner);
    box.exec();
}

bool Guarded(QWidget* owner, const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const FwError& error) {
        ShowError(owner, error.text());
    } catch (const std::exception& error) {
        ShowError(owner, QString::fromLocal8Bit(error.what()));
    }
    return false;
}
