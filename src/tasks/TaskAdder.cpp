#include "TaskAdder.h"

#include "InputScan.h"
#include "InputTypes.h"
#include "base/PathText.h"
#include "engine/TaskRows.h"
#include "engine/TaskStatus.h"
#include "engine/ltvItemData.h"

#include <QDir>
#include <QFileInfo>

TaskAdder::TaskAdder(TaskRows& rows, QStringList extensions, Hooks hooks)
    : m_rows(rows), m_extensions(std::move(extensions)), m_hooks(std::move(hooks))
{}

void TaskAdder::AddTask(const QString& path)
{
    // A FIFO would hold its probe and its conversion until they give up; a device or a
    // socket is no video file either.
    if (IsSpecialFile(path)) {
        if (m_hooks.adding)
            m_hooks.adding();
        if (m_rows.indexOf(path) < 0)
            m_refused.append({path, Refusal::NotRegularFile});
        return;
    }
    addFile(path);
}

void TaskAdder::addFile(const QString& path)
{
    if (m_hooks.adding)
        m_hooks.adding();
    if (m_rows.indexOf(path) >= 0) {
        ++m_duplicates;
        return;
    }
    if (m_batch) {
        if (m_batched.contains(path)) {
            ++m_duplicates;
        } else {
            m_batched.insert(path);
            m_batch->append(newTask(path));
        }
        return;
    }
    m_rows.appendTask(newTask(path));
    Probe(path);
}

void TaskAdder::appendBatch()
{
    if (!m_batch || m_batch->isEmpty())
        return;
    const QList<ltvItemData> tasks = std::exchange(*m_batch, {});
    m_batched.clear();
    m_rows.appendTasks(tasks);
    for (const ltvItemData& task : tasks)
        Probe(task.InputFile);
}

ltvItemData TaskAdder::newTask(const QString& path) const
{
    ltvItemData task;
    task.InputFile = path;
    task.Status = QLatin1String(TaskStatus::Added);
    task.NewFileName = WithoutExtension(FileNamePart(path));
    task.NewFileExt = m_hooks.outputExt ? m_hooks.outputExt() : QString();
    return task;
}

void TaskAdder::Probe(const QString& path)
{
    if (!m_hooks.probe)
        return;
    ++m_unread[path]; // before asking: the facts may come back at once
    m_hooks.probe(path);
}

int TaskAdder::Apply(const QString& path, const MediaProbe::Facts& facts)
{
    // A path removed and added again while read has two probes coming; the edit is held
    // until the last.
    const auto unread = m_unread.find(path);
    const bool last = unread == m_unread.end() || --unread.value() == 0;
    if (last && unread != m_unread.end())
        m_unread.erase(unread);
    const OutputOptions held = last ? m_held.take(path) : m_held.value(path);
    const int row = m_rows.indexOf(path);
    if (row < 0)
        return -1;
    ltvItemData task;
    task.Length = facts.length;
    task.Size = facts.size;
    task.SourceStart = facts.start;
    task.SourceEnd = facts.end;
    task.ClipLength = facts.length;
    task.StartTime = facts.start;
    task.EndTime = facts.end;
    m_rows.WriteTask(row,
                     {TaskRows::Length, TaskRows::Size, TaskRows::SourceStart, TaskRows::SourceEnd,
                      TaskRows::ClipLength, TaskRows::StartTime, TaskRows::EndTime},
                     task);
    if (!held.startTime.isEmpty() || !held.endTime.isEmpty())
        held.storeInto(m_rows, row);
    return row;
}

void TaskAdder::Forget(const QString& path)
{
    m_unread.remove(path);
    m_held.remove(path);
}

void TaskAdder::HoldEdit(const QString& path, const OutputOptions& typed)
{
    if (m_unread.contains(path))
        m_held.insert(path, typed);
}

const OutputOptions* TaskAdder::HeldEdit(const QString& path) const
{
    const auto found = m_held.constFind(path);
    return found == m_held.constEnd() ? nullptr : &found.value();
}

void TaskAdder::AddFolder(const QString& folder)
{
    appendBatch(); // the files named before the folder stay before its files
    // One reading of the folder and one insertion for all its files, however many there are:
    // the scan has set aside what is no regular file.
    const FolderScan scan = ScanFolder(folder, m_extensions);
    QList<ltvItemData> tasks;
    tasks.reserve(scan.inputs.size());
    for (const QString& file : scan.inputs) {
        if (m_hooks.adding)
            m_hooks.adding();
        if (m_rows.indexOf(file) >= 0) {
            ++m_duplicates;
            continue;
        }
        tasks.append(newTask(file));
    }
    m_rows.appendTasks(tasks);
    for (const ltvItemData& task : std::as_const(tasks))
        Probe(task.InputFile);
    for (const QString& path : scan.special)
        m_refused.append({path, Refusal::NotRegularFile});
    for (const QString& name : scan.unreadable)
        m_refused.append({name, Refusal::NameNotText});
}

TaskAdder::LookedPaths::Kind TaskAdder::kindOf(const QString& path)
{
    const QFileInfo info(path); // one look at the path answers every question
    if (info.isDir())
        return LookedPaths::Folder;
    if (info.isFile())
        return LookedPaths::File;
    return info.exists() ? LookedPaths::Other : LookedPaths::Missing;
}

void TaskAdder::AddPath(const QString& path)
{
    if (!path.isEmpty())
        addLooked(path, kindOf(path));
}

void TaskAdder::addLooked(const QString& path, LookedPaths::Kind kind)
{
    switch (kind) {
    case LookedPaths::Folder:
        AddFolder(path);
        break;
    case LookedPaths::File:
        if (IsSupportedInput(path, m_extensions))
            addFile(path);
        else
            m_refused.append({path, Refusal::NotSupported});
        break;
    case LookedPaths::Other:
        m_refused.append({path, Refusal::NotRegularFile});
        break;
    case LookedPaths::Missing:
        m_refused.append({path, Refusal::NoSuchFile});
        break;
    }
}

void TaskAdder::AddPaths(const QStringList& paths)
{
    inOneInsertion([&] {
        for (const QString& path : paths)
            AddPath(path);
    });
}

void TaskAdder::inOneInsertion(const std::function<void()>& add)
{
    m_batch.emplace();
    add();
    appendBatch();
    m_batch.reset();
}

void TaskAdder::AddCommandLine(const QStringList& arguments, const QString& currentFolder)
{
    AddLooked(LookAtCommandLine(arguments, currentFolder));
}

TaskAdder::LookedPaths TaskAdder::LookAtCommandLine(const QStringList& arguments,
                                                    const QString& currentFolder)
{
    LookedPaths looked;
    const QStringList paths = CommandLinePaths(arguments, currentFolder, &looked.refused);
    looked.paths.reserve(paths.size());
    for (const QString& path : paths) {
        if (!path.isEmpty())
            looked.paths.append({path, kindOf(path)});
    }
    return looked;
}

void TaskAdder::AddLooked(const LookedPaths& looked)
{
    m_refused += looked.refused;
    inOneInsertion([&] {
        for (const auto& [path, kind] : looked.paths)
            addLooked(path, kind);
    });
}
