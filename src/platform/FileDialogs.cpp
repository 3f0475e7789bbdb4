#include "FileDialogs.h"

#include <QFileDialog>

QStringList ChooseInputFiles(QWidget* owner, const QString& filter)
{
    return QFileDialog::getOpenFileNames(owner, QString(), QString(), filter, nullptr,
                                         QFileDialog::HideNameFilterDetails);
}

QString BrowseForFolder(QWidget* owner, const QString& title)
{
    return QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
}
