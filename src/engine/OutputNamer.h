#pragma once

#include "engine/ltvItemData.h"

#include <QSet>
#include <QString>
#include <QStringList>

// Decides each task's output file for one run. A conversion never writes over an input of the
// run, an output the run has already written, or, when the user chose not to overwrite, any
// file that exists; such a task takes a numbered name instead, numbered further until it is
// free. Not to overwrite, the name is taken at once with an empty file, so that another program
// naming into the same folder (on this machine or another) finds it taken. Each name is checked
// against the run's files at the same cost, however many there are: they are kept as their
// files' keys and cleaned paths.
class OutputNamer final
{
public:
    explicit OutputNamer(const QStringList& inputs = {});

    // folder/NewFileName + outputExt, or, when that is taken, folder/NewFileName_<index+1>
    // + outputExt, numbered further while taken. The path is then counted as written. With
    // renameExisting, `claim` receives the key of the empty file that now holds the name (see
    // CreateNewFile); empty when the folder let none be made, which the encoder then reports.
    QString OutputPath(int index, const ltvItemData& task, const QString& folder,
                       const QString& outputExt, bool renameExisting, QString* claim = nullptr);
    // The output has been written: a link to it that is named later is known for it too.
    void written(const QString& path);
    // An input that joined the run after its start.
    void remember(const QString& path);

private:
    bool taken(const QString& path, bool renameExisting) const;

    QSet<QString> m_keys;  // of the run's files that exist
    QSet<QString> m_paths; // of all of them, cleaned
};
