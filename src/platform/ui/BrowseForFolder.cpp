#include "BrowseForFolder.h"

#include <QFileDialog>

QString BrowseForFolder(QWidget* owner, const QString& title)
{
    return QFileDialog::getExistingDirectory(owner, title, QString(), QFileDialog::ShowDirsOnly);
}
