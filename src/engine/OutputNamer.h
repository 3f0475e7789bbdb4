#pragma once

#include "engine/ltvItemData.h"

#include <QString>
#include <QStringList>

// Decides each task's output file for one run. A conversion never writes over an input of the
// run, an output the run has already written, or, when the user chose not to overwrite, any
// file that exists; such a task takes a numbered name instead, numbered further until it is
// free.
class OutputNamer final
{
public:
    explicit OutputNamer(const QStringList& inputs = {});

    // folder/NewFileName + outputExt, or, when that is taken, folder/NewFileName_<index+1>
    // + outputExt, numbered further while taken. The path is then counted as written.
    QString OutputPath(int index, const ltvItemData& task, const QString& folder,
                       const QString& outputExt, bool renameExisting);

private:
    bool taken(const QString& path, bool renameExisting) const;

    QStringList m_inputs;
    QStringList m_outputs;
};
