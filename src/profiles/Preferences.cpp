#include "Preferences.h"

#include "profiles/TNewInifile.h"

#include <algorithm>

namespace {
const QString kMain = QStringLiteral("Main");
const QString kOutputPath = QStringLiteral("Output Path");
const QString kSynMode = QStringLiteral("Syn Mode");
const QString kOpenDir = QStringLiteral("Auto Open Dir");
const QString kExit = QStringLiteral("Auto Exit");
const QString kTurnOff = QStringLiteral("Auto Turn Off");
const QString kOverwrite = QStringLiteral("Overwrite");
const QString kTasksAtOnce = QStringLiteral("Tasks At Once");
const QString kSkipCompleted = QStringLiteral("Skip Completed");
const QString kProfile = QStringLiteral("Profile");
const QString kProfileFile = QStringLiteral("ProfileFile");
constexpr int kSynModes = 3;

// New keys go directly under the header, so the keys written last come first in the file.
void writeAfterOutputPath(TNewInifile& ini, const GeneralSettings& settings)
{
    // The file stays as it always was until the user changes one of these two.
    if (settings.skipCompleted || !ini.ReadString(kMain, kSkipCompleted, QString()).isEmpty())
        ini.WriteBool(kMain, kSkipCompleted, settings.skipCompleted);
    if (settings.tasksAtOnce != 1 || !ini.ReadString(kMain, kTasksAtOnce, QString()).isEmpty())
        ini.WriteInteger(kMain, kTasksAtOnce, settings.tasksAtOnce);
    ini.WriteInteger(kMain, kSynMode, settings.synMode);
    ini.WriteBool(kMain, kOpenDir, settings.openDir);
    ini.WriteBool(kMain, kExit, settings.exitProgram);
    ini.WriteBool(kMain, kTurnOff, settings.turnOff);
    ini.WriteBool(kMain, kOverwrite, settings.overwrite);
}
} // namespace

bool GeneralSettings::operator==(const GeneralSettings& other) const
{
    return outputPath == other.outputPath && synMode == other.synMode && openDir == other.openDir &&
           exitProgram == other.exitProgram && turnOff == other.turnOff &&
           overwrite == other.overwrite && tasksAtOnce == other.tasksAtOnce &&
           skipCompleted == other.skipCompleted;
}

Preferences::Preferences(const QString& path, const QString& defaultOutput)
    : m_path(path), m_defaultOutput(defaultOutput)
{}

Preferences Preferences::InFolder(const QString& dataFolder, const QString& defaultOutput)
{
    return Preferences(dataFolder + QStringLiteral("Preferences.ini"), defaultOutput);
}

Preferences Preferences::ToRead(const QString& dataFolder, const QString& defaultOutput)
{
    Preferences preferences = InFolder(dataFolder, defaultOutput);
    preferences.m_readOnly = true;
    return preferences;
}

void Preferences::released(TNewInifile& ini) const
{
    if (!m_readOnly)
        ini.Release();
}

QString Preferences::Version() const
{
    TNewInifile ini(m_path);
    const QString version = ini.ReadString(kMain, QStringLiteral("Version"), DefaultVersion());
    released(ini);
    return version;
}

GeneralSettings Preferences::read(const QString& section, bool openDirDefault) const
{
    TNewInifile ini(m_path);
    GeneralSettings settings;
    settings.outputPath = ini.ReadString(section, kOutputPath, m_defaultOutput);
    settings.synMode = ini.ReadInteger(section, kSynMode, 0);
    // A mode the list does not have would leave the drop-down empty.
    if (settings.synMode < 0 || settings.synMode >= kSynModes)
        settings.synMode = 0;
    settings.openDir = ini.ReadBool(section, kOpenDir, openDirDefault);
    settings.exitProgram = ini.ReadBool(section, kExit, false);
    settings.turnOff = ini.ReadBool(section, kTurnOff, false);
    settings.overwrite = ini.ReadBool(section, kOverwrite, true);
    settings.tasksAtOnce = std::max(0, ini.ReadInteger(section, kTasksAtOnce, 1));
    settings.skipCompleted = ini.ReadBool(section, kSkipCompleted, false);
    released(ini);
    return settings;
}

GeneralSettings Preferences::General() const
{
    return read(kMain, true);
}

GeneralSettings Preferences::Defaults() const
{
    return read(QStringLiteral("Default"), false);
}

void Preferences::SaveGeneral(const GeneralSettings& settings) const
{
    TNewInifile ini(m_path);
    ini.WriteString(kMain, kOutputPath, settings.outputPath);
    writeAfterOutputPath(ini, settings);
    ini.Release();
}

Preferences::WindowChoice Preferences::Window() const
{
    TNewInifile ini(m_path);
    WindowChoice window;
    window.outputPath = ini.ReadString(kMain, kOutputPath, m_defaultOutput);
    window.profile = ini.ReadInteger(kMain, kProfile, 0);
    window.profileFile = ini.ReadString(kMain, kProfileFile, QString());
    released(ini);
    return window;
}

void Preferences::SaveWindow(const WindowChoice& window, const GeneralSettings& settings) const
{
    TNewInifile ini(m_path);
    ini.WriteString(kMain, kProfileFile, window.profileFile);
    ini.WriteInteger(kMain, kProfile, window.profile);
    ini.WriteString(kMain, kOutputPath, window.outputPath);
    writeAfterOutputPath(ini, settings);
    ini.Release();
}
