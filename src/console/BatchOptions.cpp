#include "BatchOptions.h"

#include <QCommandLineParser>

namespace {
constexpr int MostTasksAtOnce = 256;
}

BatchOptions ParseBatchOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption profile({QStringLiteral("p"), QStringLiteral("profile")}, {},
                                     QStringLiteral("PROFILE"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("FOLDER"));
    const QCommandLineOption jobs({QStringLiteral("j"), QStringLiteral("jobs")}, {},
                                  QStringLiteral("N"));
    const QCommandLineOption overwrite(QStringLiteral("overwrite"));
    const QCommandLineOption noOverwrite(QStringLiteral("no-overwrite"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({profile, output, jobs, overwrite, noOverwrite, json, help, version});

    BatchOptions options;
    // The parser takes the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("framewright-batch")} + arguments)) {
        options.error = parser.errorText();
        return options;
    }
    options.help = parser.isSet(help);
    options.version = parser.isSet(version);
    if (options.help || options.version)
        return options;

    const auto single = [&](const QCommandLineOption& option, const QString& what) {
        const QStringList values = parser.values(option);
        if (values.size() > 1)
            options.error = QStringLiteral("%1 is given more than once").arg(what);
        return values.isEmpty() ? QString() : values.last();
    };
    options.profile = single(profile, QStringLiteral("the profile (-p)"));
    options.outputFolder = single(output, QStringLiteral("the output folder (-o)"));
    const QString tasks = single(jobs, QStringLiteral("the tasks at once (-j)"));
    if (!options.error.isEmpty())
        return options;
    if (parser.isSet(overwrite) && parser.isSet(noOverwrite)) {
        options.error = QStringLiteral("--overwrite and --no-overwrite exclude each other");
        return options;
    }
    if (parser.isSet(overwrite) || parser.isSet(noOverwrite))
        options.overwrite = parser.isSet(overwrite);
    options.json = parser.isSet(json);
    if (options.profile.isEmpty()) {
        options.error = QStringLiteral("no profile: name one with -p");
        return options;
    }
    if (parser.isSet(output) && options.outputFolder.isEmpty()) {
        options.error = QStringLiteral("the output folder (-o) is empty");
        return options;
    }
    if (!tasks.isEmpty()) {
        bool ok = false;
        options.tasksAtOnce = tasks.toInt(&ok);
        if (!ok || options.tasksAtOnce < 1 || options.tasksAtOnce > MostTasksAtOnce) {
            options.error = QStringLiteral("-j takes a number from 1 to %1, not \"%2\"")
                                .arg(MostTasksAtOnce)
                                .arg(tasks);
            return options;
        }
    }
    options.inputs = parser.positionalArguments();
    if (options.inputs.isEmpty())
        options.error = QStringLiteral("no input: name files, folders or a .tmp list");
    return options;
}

QString BatchUsage()
{
    return QStringLiteral(
        "Usage: framewright-batch -p PROFILE [-o FOLDER] [-j N] [--overwrite | --no-overwrite]\n"
        "                         [--json] INPUT...\n"
        "Converts video files with a Framewright profile, as the window's Start does.\n"
        "\n"
        "  -p, --profile PROFILE  a profile's name as the window lists it (letter case\n"
        "                         ignored), or the path of a .cvp file\n"
        "  -o, --output FOLDER    where the outputs go; the window's output folder if not given\n"
        "  -j, --jobs N           tasks at once; the window's \"Automatic\" if not given\n"
        "      --overwrite        replace existing outputs (only once a conversion succeeded)\n"
        "      --no-overwrite     give new outputs a numbered name instead\n"
        "      --json             one JSON object per line instead of text\n"
        "  -h, --help             this text\n"
        "      --version          the program's version\n"
        "\n"
        "INPUT is a file, a folder (its supported files) or, first, a .tmp file listing paths.\n"
        "Exit status: 0 all converted, 1 some failed, 2 usage error or unusable profile,\n"
        "129, 130 or 143 stopped by SIGHUP, SIGINT or SIGTERM, 141 stopped because the\n"
        "standard output was closed or could not be written (existing outputs untouched).\n");
}
