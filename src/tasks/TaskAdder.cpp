#include "TaskAdder.h"

#include "InputScan.h"
#include "InputTypes.h"
#include "base/PathText.h"
#include "engine/MediaProbe.h"
#include "engine/TaskRows.h"
#include "engine/ltvItemData.h"

#include <QFileInfo>

TaskAdder::TaskAdder(TaskRows& rows, MediaProbe& probe, QStringList extensions, Hooks hooks)
    : m_rows(rows), m_probe(probe), m_extensions(std::move(extensions)), m_hooks(std::move(hooks))
{}

void TaskAdder::AddTask(const QString& path)
{
    if (m_hooks.adding)
        m_hooks.adding();
    if (m_rows.indexOf(path) >= 0)
        return;
    const int row = m_rows.appendTask(path);
    if (!m_probe.ProbeMedia(path) && m_hooks.encoderFailed)
        m_hooks.encoderFailed(m_probe.startError());

    ltvItemData task;
    task.InputFile = path;
    task.Length = m_probe.ProbeLength;
    task.Size = m_probe.ProbeSize;
    task.Status = QStringLiteral("OK");
    task.NewFileName = WithoutExtension(FileNamePart(path));
    task.NewFileExt = m_hooks.outputExt ? m_hooks.outputExt() : QString();
    task.SourceStart = m_probe.ProbeStart;
    task.SourceEnd = m_probe.ProbeEnd;
    task.ClipLength = m_probe.ProbeLength;
    task.StartTime = m_probe.ProbeStart;
    task.EndTime = m_probe.ProbeEnd;
    m_rows.WriteTask(row, TaskRows::WholeRecord, task);
}

void TaskAdder::AddFolder(const QString& folder)
{
    const QStringList files = FolderInputs(folder, m_extensions);
    for (const QString& file : files) {
        if (m_hooks.betweenFiles && !m_hooks.betweenFiles())
            return;
        AddTask(file);
    }
}

void TaskAdder::AddPath(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        AddFolder(path);
    else if (info.isFile() && IsSupportedInput(path, m_extensions))
        AddTask(path);
}

void TaskAdder::AddCommandLine(const QStringList& arguments)
{
    for (const QString& path : CommandLinePaths(arguments)) {
        if (!path.isEmpty())
            AddPath(path);
    }
}
