#include "FileDialogs.h"

#include <QFileDialog>
#include <QRegularExpression>

QStringList ChooseInputFiles(QWidget* owner, const QString& filter)
{
    return QFileDialog::getOpenFileNames(owner, QString(), QString(), filter, nullptr,
                                         QFileDialog::HideNameFilterDetails);
}

QString ChooseSaveFile(QWidget* owner, const QString& filter, const QString& folder)
{
    QFileDialog dialog(owner, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // "Profiles (*.cvp)" gives "cvp".
    const QRegularExpressionMatch suffix =
        QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
    if (suffix.hasMatch())
        dialog.setDefaultSuffix(suffix.captured(1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}
