#include "ErrorReport.h"

#include "Notice.h"
#include "base/FwError.h"

#include <QMessageBox>

void ShowError(QWidget* owner, const QString& text)
{
    // A box goes once it is answered: an error box owned by one would vanish with it.
    QWidget* window = owner ? owner->window() : nullptr;
    while (qobject_cast<QMessageBox*>(window))
        window = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    ShowNotice(window, QStringLiteral("Framewright"), text, QMessageBox::Critical);
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
