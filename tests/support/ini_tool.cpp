// Runs the INI store and the profile loader on a file, so that tests can run them as a user who
// may not write there (tests run as root, whom permissions do not stop).
//   ini_tool <file> [section key value]...   writes the values, releases, prints "ok"
//   ini_tool --profile <file>                 loads a profile, prints its rows and error
//   ini_tool --home <program> <user folder>   chooses where the program keeps its files,
//                                             seeds its profiles, saves the preferences
//                                             there, prints the folder
#include "base/FwError.h"
#include "platform/DataHome.h"
#include "profiles/Preferences.h"
#include "profiles/ProfileFile.h"
#include "profiles/ShippedProfiles.h"
#include "profiles/TNewInifile.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args.first() == QLatin1String("--profile")) {
        const LoadedProfile loaded = LoadProfile(args.at(1));
        std::printf("rows=%d error=%s\n",
                    int(loaded.panels.video.size() + loaded.panels.audio.size() +
                        loaded.panels.advanced.size()),
                    qPrintable(loaded.error));
        return 0;
    }
    if (args.size() == 3 && args.first() == QLatin1String("--home")) {
        const DataHome home = ChooseDataHome(args.at(1), args.at(2));
        SeedShippedProfiles(args.at(1), home);
        try {
            Preferences(home.folder + QStringLiteral("Preferences.ini"), home.folder)
                .SaveWindow({home.folder, 0, QString()}, GeneralSettings());
        } catch (const FwError& error) {
            std::printf("%s\n", qPrintable(error.text()));
            return 1;
        }
        std::printf("%s%s\n", qPrintable(home.folder), home.portable ? " portable" : "");
        return 0;
    }
    if (args.isEmpty() || (args.size() - 1) % 3 != 0) {
        std::fprintf(stderr, "usage: ini_tool <file> [section key value]...\n");
        return 2;
    }
    try {
        TNewInifile ini(args.first());
        for (int i = 1; i + 2 < args.size(); i += 3)
            ini.WriteString(args.at(i), args.at(i + 1), args.at(i + 2));
        ini.Release();
    } catch (const FwError& error) {
        std::printf("%s\n", qPrintable(error.text()));
        return 1;
    }
    std::printf("ok\n");
    return 0;
}
