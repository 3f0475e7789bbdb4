#include "ProfileBox.h"

#include "base/FwError.h"
#include "base/PathText.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileText.h"

#include <QComboBox>
#include <QStandardItemModel>

namespace {
constexpr int kProblemRole = Qt::UserRole + 1;

void markUnusable(QComboBox* box, int index, const QString& problem)
{
    auto* model = qobject_cast<QStandardItemModel*>(box->model());
    QStandardItem* item = model ? model->item(index) : nullptr;
    if (!item)
        return;
    item->setText(WithoutExtension(box->itemData(index).toString()) +
                  QStringLiteral(" (unusable)"));
    item->setToolTip(problem);
    item->setData(problem, kProblemRole);
    item->setEnabled(false);
}
} // namespace

void FillProfileBox(QComboBox* box, const QString& dataFolder, const QStringList& files)
{
    box->clear();
    for (const QString& file : files) {
        box->addItem(WithoutExtension(file), file);
        const QString problem = ProfileProblem(ProfilesFolder(dataFolder) + file);
        if (!problem.isEmpty())
            markUnusable(box, box->count() - 1, problem);
    }
    box->setCurrentIndex(-1);
}

void RefillProfileBox(QComboBox* box, const QString& dataFolder)
{
    const QString chosen = box->currentData().toString();
    FillProfileBox(box, dataFolder, ProfileFiles(dataFolder));
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

LoadedProfile LoadChosenProfile(QComboBox* box, const QString& dataFolder,
                                const QString& previousFile)
{
    const int chosen = box->currentIndex();
    QString problem = box->itemData(chosen, kProblemRole).toString();
    if (problem.isEmpty()) {
        try {
            return LoadProfile(ChosenProfilePath(box, dataFolder));
        } catch (const FwError& error) {
            problem = error.text();
            markUnusable(box, chosen, problem);
        }
    }
    box->setCurrentIndex(previousFile.isEmpty() ? -1 : box->findData(previousFile));
    throw FwError(problem);
}
