#include "ProfileFile.h"

#include "base/FwError.h"
#include "base/PathText.h"
#include "platform/RegularFile.h"
#include "profiles/ProfileText.h"
#include "profiles/TNewInifile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {
const QString kMain = QStringLiteral("Main");

// Every parameter needs a line of its own in [Main], so a "Para" beyond the line count only
// names missing entries; the cap keeps a damaged count from looping for hours.
int parameterCount(const TNewInifile& ini)
{
    return std::min(ini.ReadInteger(kMain, QStringLiteral("Para"), 0),
                    static_cast<int>(ini.lines().size()));
}

QString parameterName(const TNewInifile& ini, int i)
{
    return ini.ReadString(kMain, QString::number(i), QString());
}

int parameterSort(const TNewInifile& ini, const QString& name)
{
    return ini.ReadInteger(name, QStringLiteral("Sort"), -1);
}

QString profileName(const QString& path)
{
    return WithoutExtension(FileNamePart(path));
}

int indexIgnoringCase(const QStringList& items, const QString& text)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

// The grids find a row by its key regardless of letter case, first match.
const ParamRow* findRow(const ParamPanel& panel, const QString& key)
{
    for (const ParamRow& row : panel) {
        if (row.key.compare(key, Qt::CaseInsensitive) == 0)
            return &row;
    }
    return nullptr;
}

QString noChoiceError(const QString& path, const QString& name, const QStringList& choices,
                      int index)
{
    if (choices.isEmpty())
        return QStringLiteral("Profile \"%1\": parameter \"%2\" has no choices.")
            .arg(profileName(path), name);
    return QStringLiteral("Profile \"%1\": parameter \"%2\" has no choice number %3.")
        .arg(profileName(path), name)
        .arg(index);
}
} // namespace

QString ProfileProblem(const QString& path)
{
    try {
        const TNewInifile ini(path);
        // Text with no [Main] would convert with made-up defaults, as if it were a profile.
        if (QFileInfo::exists(path) && !ini.SectionExists(kMain))
            return QStringLiteral("\"%1\" is no profile: it has no [Main] section, which names "
                                  "a profile's output type and parameters.")
                .arg(QDir::toNativeSeparators(path));
    } catch (const FwError& error) {
        return error.text();
    }
    return QString();
}

LoadedProfile LoadProfile(const QString& path)
{
    LoadedProfile result;
    // Anything else at the path is for the store to refuse, with the reason.
    if (!QFileInfo::exists(path))
        return result;
    result.exists = true;

    TNewInifile ini(path);
    result.type = ini.ReadString(kMain, QStringLiteral("Type"), QStringLiteral("mp4"));
    const int count = parameterCount(ini);
    for (int i = 0; i < count; ++i) {
        const QString name = parameterName(ini, i);
        ParamPanel* panel = result.panels.bySort(parameterSort(ini, name));
        if (!panel)
            continue;
        ParamRow row;
        row.key = name;
        row.readOnly = ini.ReadBool(name, QStringLiteral("ReadOnly"), false);
        const QString caption = ini.ReadString(name, QStringLiteral("Caption"), QString());
        if (!ini.ReadBool(name, QStringLiteral("List"), true)) {
            row.value = caption;
            panel->append(row);
            continue;
        }
        // A pick list is chosen from, never typed into.
        row.pickList = true;
        row.readOnly = true;
        row.choices = SplitList(caption);
        const int index = ini.ReadInteger(name, QStringLiteral("Index"), 0);
        if (index < 0 || index >= row.choices.size()) {
            panel->append(row);
            result.error = noChoiceError(path, name, row.choices, index);
            result.stoppedAtFault = true;
            break;
        }
        row.value = row.choices.at(index);
        panel->append(row);
    }
    // The rows stand even when the file cannot be written back (a read-only install).
    try {
        ini.Release();
    } catch (const FwError& error) {
        result.error = result.error.isEmpty() ? error.text() : result.error + '\n' + error.text();
    }
    return result;
}

QString BuildArguments(const QString& path, const ProfilePanels& shown)
{
    // A FIFO or a folder in the profile's place is an error, not a profile without options.
    if (!QFileInfo::exists(path))
        return QString();

    TNewInifile ini(path);
    QString args;
    const int count = parameterCount(ini);
    for (int i = 0; i < count; ++i) {
        const QString name = parameterName(ini, i);
        const ParamPanel* panel = shown.bySort(parameterSort(ini, name));
        if (!panel)
            continue;
        const bool readOnly = ini.ReadBool(name, QStringLiteral("ReadOnly"), false);
        const QString cmd = ini.ReadString(name, QStringLiteral("cmd"), QString());
        const bool isList = ini.ReadBool(name, QStringLiteral("List"), true);
        const QString caption = ini.ReadString(name, QStringLiteral("Caption"), QString());
        const QString value = ini.ReadString(name, QStringLiteral("Value"), QString());
        const ParamRow* row = findRow(*panel, name);
        const QString shownValue = row ? row->value : QString();

        QString v;
        if (isList) {
            const int k = indexIgnoringCase(SplitList(caption), shownValue);
            const QStringList values = SplitList(value);
            if (k < 0) {
                v = shownValue; // typed or made by the custom size dialog
            } else if (k < values.size()) {
                v = values.at(k);
            } else {
                throw FwError(
                    QStringLiteral("Profile \"%1\": parameter \"%2\" has no value for \"%3\".")
                        .arg(profileName(path), name, shownValue));
            }
        } else {
            v = readOnly ? value : shownValue;
        }
        if (cmd.isEmpty() || v.isEmpty())
            continue;
        if (v == QLatin1String("\\"))
            v.clear();
        args += QLatin1Char(' ') + cmd + QLatin1Char(' ') + v;
    }
    // Reading changes nothing, and a profile the user may not write must not stop a batch.
    try {
        ini.Release();
    } catch (const FwError&) {
    }
    return args;
}

void SaveProfile(const QString& path, const ProfilePanels& shown)
{
    TNewInifile ini(path);
    const int count = parameterCount(ini);
    for (int i = 0; i < count; ++i) {
        const QString name = parameterName(ini, i);
        if (ini.ReadBool(name, QStringLiteral("ReadOnly"), false))
            continue;
        const ParamPanel* panel = shown.bySort(parameterSort(ini, name));
        const ParamRow* row = panel ? findRow(*panel, name) : nullptr;
        if (!row)
            continue;
        // Only a value that changed is written: a file the user saved unchanged keeps its
        // bytes, and a key the profile leaves out is not added.
        if (ini.ReadBool(name, QStringLiteral("List"), true)) {
            const int index = indexIgnoringCase(row->choices, row->value);
            if (index != ini.ReadInteger(name, QStringLiteral("Index"), 0))
                ini.WriteInteger(name, QStringLiteral("Index"), index);
        } else if (row->value != ini.ReadString(name, QStringLiteral("Caption"), QString())) {
            ini.WriteString(name, QStringLiteral("Caption"), row->value);
            ini.WriteString(name, QStringLiteral("Value"), row->value);
        }
    }
    ini.Release();
}

void SaveProfileAs(const QString& source, const QString& target, const ProfilePanels& shown)
{
    const QFileInfo from(source);
    if (!from.exists())
        return;
    // A file that is no profile is not copied into a new one.
    const QString problem = ProfileProblem(source);
    if (!problem.isEmpty())
        throw FwError(problem);
    // Removing the target first would delete a source that is the same file.
    if (from.canonicalFilePath() != QFileInfo(target).canonicalFilePath()) {
        // Read as the store reads: a source swapped for a FIFO since cannot hold the save.
        const RegularFileRead read = ReadRegularFile(source);
        QFile::remove(target);
        QFile copy(target);
        // Saving into a file the copy never made would leave an empty profile behind. Only a
        // new file is written: whatever took the name meanwhile is neither opened nor replaced.
        const bool copied = read.error.isEmpty() &&
                            copy.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
                            copy.write(read.bytes) == read.bytes.size() && copy.flush();
        if (!copied) {
            if (copy.isOpen())
                copy.remove();
            throw FwError(QStringLiteral("Cannot save the profile as \"%1\": %2")
                              .arg(target, read.error.isEmpty() ? copy.errorString() : read.error));
        }
    }
    SaveProfile(target, shown);
}
