#pragma once

#include <QString>

// What the Settings dialog's General tab holds: the output folder it offers and what a batch
// does when it is done.
struct GeneralSettings
{
    QString outputPath;
    int synMode = 0; // 0 "Auto", 1 "Force Mode", 2 "Progressive Mode"
    bool openDir = true;
    bool exitProgram = false;
    bool turnOff = false;
    bool overwrite = true;      // false: an existing output gets a numbered name
    int tasksAtOnce = 1;        // conversions under way together; 0 lets the program choose
    bool skipCompleted = false; // Start passes over tasks already Complete

    bool operator==(const GeneralSettings& other) const;
};

// Preferences.ini. [Main] carries the settings from one run to the next; [Default] holds the
// factory settings that "Load Default" brings back and is never written. Every operation opens
// the file, reads or writes, and releases it at once; file errors come out as FwError.
class TNewInifile;

class Preferences final
{
public:
    // defaultOutput: the output folder when none is stored.
    Preferences(const QString& path, const QString& defaultOutput);
    // The Preferences.ini of a data folder (given with a separator at its end).
    static Preferences InFolder(const QString& dataFolder, const QString& defaultOutput);
    // The same for a program that only reads them, as the console does: reading a missing file
    // does not create it.
    static Preferences ToRead(const QString& dataFolder, const QString& defaultOutput);

    static QString DefaultVersion() { return QStringLiteral("3.0"); }
    QString Version() const; // DefaultVersion() when not set

    GeneralSettings General() const;  // [Main]
    GeneralSettings Defaults() const; // [Default]: like [Main], but "Auto Open Dir" is off
    // Output Path, Syn Mode, Auto Open Dir, Auto Exit, Auto Turn Off, Overwrite, Tasks At
    // Once, Skip Completed.
    void SaveGeneral(const GeneralSettings& settings) const;

    // The main window's own: its output folder, its profile's position in the list (which may
    // lie outside the list; the window decides) and that profile's file name, which still names
    // it when other profiles come or go.
    struct WindowChoice
    {
        QString outputPath;
        int profile = 0;
        QString profileFile; // empty when nothing is chosen
    };
    WindowChoice Window() const;
    // ProfileFile, Profile, Output Path, then the general settings but the dialog's output path.
    void SaveWindow(const WindowChoice& window, const GeneralSettings& settings) const;

private:
    GeneralSettings read(const QString& section, bool openDirDefault) const;

    // Reads end with this: it creates a missing file, as the window's first start expects.
    void released(TNewInifile& ini) const;

    QString m_path;
    QString m_defaultOutput;
    bool m_readOnly = false;
};
