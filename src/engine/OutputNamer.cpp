#include "OutputNamer.h"

#include "base/PathText.h"
#include "platform/FileIdentity.h"

OutputNamer::OutputNamer(const QStringList& inputs)
{
    for (const QString& input : inputs)
        remember(input);
}

void OutputNamer::remember(const QString& path)
{
    const QString key = FileKey(path);
    if (!key.isEmpty())
        m_keys.insert(key);
    m_paths.insert(CleanedPath(path));
}

void OutputNamer::written(const QString& path)
{
    remember(path);
}

QString OutputNamer::OutputPath(int index, const ltvItemData& task, const QString& folder,
                                const QString& outputExt, bool renameExisting, QString* claim)
{
    if (claim)
        claim->clear();
    const QString stem = WithBackslash(folder) + task.NewFileName;
    const QString numbered = stem + QLatin1Char('_') + QString::number(index + 1);
    // The numbered name keeps the plain name's extension: the container is the profile's.
    const QString& ext = outputExt;
    QString path;
    for (int further = 0;; ++further) {
        path = further == 0   ? stem + ext
               : further == 1 ? numbered + ext
                              : numbered + QLatin1Char('_') + QString::number(further) + ext;
        if (taken(path, renameExisting))
            continue;
        if (!renameExisting)
            break;
        // Another program may have made the name since it was looked at.
        bool madeMeanwhile = false;
        const QString key = CreateNewFile(path, &madeMeanwhile);
        if (madeMeanwhile)
            continue;
        if (claim)
            *claim = key;
        break;
    }
    remember(path);
    return path;
}

bool OutputNamer::taken(const QString& path, bool renameExisting) const
{
    if (renameExisting && PathTaken(path))
        return true;
    // A file that exists is known by its key, however its path is spelt; one not yet written
    // by its cleaned path.
    const QString key = FileKey(path);
    return (!key.isEmpty() && m_keys.contains(key)) || m_paths.contains(CleanedPath(path));
}
