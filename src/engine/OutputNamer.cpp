#include "OutputNamer.h"

#include "base/PathText.h"
#include "platform/FileIdentity.h"

OutputNamer::OutputNamer(const QStringList& inputs) : m_inputs(inputs) {}

QString OutputNamer::OutputPath(int index, const ltvItemData& task, const QString& folder,
                                const QString& outputExt, bool renameExisting)
{
    const QString stem = WithBackslash(folder) + task.NewFileName;
    // The numbered name keeps the plain name's extension: the container is the profile's.
    const QString& ext = outputExt;
    QString path = stem + ext;
    if (taken(path, renameExisting)) {
        const QString numbered = stem + QLatin1Char('_') + QString::number(index + 1);
        path = numbered + ext;
        for (int further = 2; taken(path, renameExisting); ++further)
            path = numbered + QLatin1Char('_') + QString::number(further) + ext;
    }
    m_outputs.append(path);
    return path;
}

bool OutputNamer::taken(const QString& path, bool renameExisting) const
{
    if (renameExisting && PathTaken(path))
        return true;
    for (const QString& input : m_inputs) {
        if (SameFile(path, input))
            return true;
    }
    for (const QString& output : m_outputs) {
        if (SameFile(path, output))
            return true;
    }
    return false;
}
