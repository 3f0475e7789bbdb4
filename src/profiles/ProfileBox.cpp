#include "ProfileBox.h"

#include "base/PathText.h"
#include "profiles/ProfileText.h"

#include <QComboBox>

void FillProfileBox(QComboBox* box, const QStringList& files)
{
    box->clear();
    for (const QString& file : files)
        box->addItem(WithoutExtension(file), file);
    box->setCurrentIndex(-1);
}

void RefillProfileBox(QComboBox* box, const QString& dataFolder)
{
    const QString chosen = box->currentData().toString();
    FillProfileBox(box, ProfileFiles(dataFolder));
    box->setCurrentIndex(box->findData(chosen));
}

QStringList ProfileBoxFiles(const QComboBox* box)
{
    QStringList files;
    for (int i = 0; i < box->count(); ++i)
        files << box->itemData(i).toString();
    return files;
}

QString ChosenProfilePath(const QComboBox* box, const QString& dataFolder)
{
    const QString file = box->currentData().toString();
    return file.isEmpty() ? QString() : ProfilesFolder(dataFolder) + file;
}
