#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class MediaProbe;
class TaskRows;

// Every road by which inputs enter the task list ends here: one file becomes one task (probed
// for its length and frame size), a folder becomes a task per supported file inside it.
class TaskAdder final
{
public:
    struct Hooks
    {
        std::function<QString()> outputExt; // the loaded profile's extension, "" if none
        std::function<void()> adding;       // told of every AddTask, duplicates included
        // Before each file of a folder; false stops the folder there.
        std::function<bool()> betweenFiles;
        // A probe could not start the encoder (the reason as the system gives it).
        std::function<void(const QString&)> encoderFailed;
    };

    TaskAdder(TaskRows& rows, MediaProbe& probe, QStringList extensions, Hooks hooks);

    // Adds one task unless a row has exactly this caption already. Checks neither existence
    // nor extension: callers do.
    void AddTask(const QString& path);
    // Adds the supported files directly inside the folder, in name order.
    void AddFolder(const QString& folder);
    // A dropped or command-line path: a folder's inputs, a supported file, or nothing.
    void AddPath(const QString& path);
    // The command line: paths, or the lines of a ".tmp" list file named first.
    void AddCommandLine(const QStringList& arguments);

    const QStringList& extensions() const { return m_extensions; }

private:
    TaskRows& m_rows;
    MediaProbe& m_probe;
    QStringList m_extensions;
    Hooks m_hooks;
};
