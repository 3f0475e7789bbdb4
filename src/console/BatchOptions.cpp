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
    const QCommandLineOption watch(QStringLiteral("watch"), {}, QStringLiteral("FOLDER"));
    const QCommandLineOption recursive(
        QStringList{QStringLiteral("r"), QStringLiteral("recursive")});
    const QCommandLineOption settle(QStringLiteral("settle"), {}, QStringLiteral("SECONDS"));
    const QCommandLineOption done(QStringLiteral("done"), {}, QStringLiteral("WHAT"));
    const QCommandLineOption forget(QStringLiteral("forget"));
    parser.addOptions({profile, output, jobs, overwrite, noOverwrite, json, help, version, watch,
                       recursive, settle, done, forget});

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
    if (options.profile.isEmpty() && !parser.isSet(forget)) {
        options.error = QStringLiteral("no profile: name one with -p");
        return options;
    }
    if (parser.isSet(output) && options.outputFolder.isEmpty()) {
        options.error = QStringLiteral("the output folder (-o) is empty");
        return options;
    }
    if (parser.isSet(jobs)) {
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
    options.watch = single(watch, QStringLiteral("the watched folder (--watch)"));
    if (!options.error.isEmpty())
        return options;
    if (options.watch.isEmpty()) {
        if (parser.isSet(recursive) || parser.isSet(settle) || parser.isSet(done) ||
            parser.isSet(forget))
            options.error = QStringLiteral("-r, --settle, --done and --forget go with --watch");
        else if (options.inputs.isEmpty())
            options.error = QStringLiteral("no input: name files, folders or a .tmp list");
        return options;
    }
    options.subfolders = parser.isSet(recursive);
    options.forget = parser.isSet(forget);
    if (parser.isSet(settle)) {
        bool ok = false;
        options.settleSeconds = parser.value(settle).toDouble(&ok);
        if (!ok || options.settleSeconds < 0 || options.settleSeconds > 3600) {
            options.error = QStringLiteral("--settle takes seconds from 0 to 3600, not \"%1\"")
                                .arg(parser.value(settle));
            return options;
        }
    }
    if (parser.isSet(done))
        options.done = parser.value(done);
    // "--done move DIR": the folder is the one word left after the options.
    if (options.done == QLatin1String("move") && options.inputs.size() == 1)
        options.doneFolder = options.inputs.takeFirst();
    if (options.done != QLatin1String("keep") && options.done != QLatin1String("move") &&
        options.done != QLatin1String("delete"))
        options.error = QStringLiteral("--done takes keep, move FOLDER or delete, not \"%1\"")
                            .arg(options.done);
    else if (options.done == QLatin1String("move") && options.doneFolder.isEmpty())
        options.error = QStringLiteral("--done move needs the folder to move converted files to");
    else if (!options.inputs.isEmpty())
        options.error = QStringLiteral("--watch takes no inputs: the files come from its folder");
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
        "\n"
        "       framewright-batch --watch FOLDER -p PROFILE [-o FOLDER] [-r] [--settle S]\n"
        "                         [--done keep | --done move FOLDER | --done delete] [--forget]\n"
        "Converts every supported file in FOLDER not converted before, then every file that\n"
        "arrives, until stopped with SIGINT or SIGTERM.\n"
        "\n"
        "      --watch FOLDER     the folder to watch; never the output folder or one holding it\n"
        "  -r, --recursive        its subfolders too\n"
        "      --settle S         seconds a file closed after writing must stay unchanged (5)\n"
        "      --done WHAT        after a checked conversion, keep the input (the default), move\n"
        "                         it to a folder, or delete it; never after a failure\n"
        "      --forget           forget what was converted from FOLDER, then end\n"
        "\n"
        "INPUT is a file, a folder (its supported files) or, first, a .tmp file listing paths.\n"
        "Exit status: 0 all converted, 1 some failed, 2 usage error or unusable profile,\n"
        "3 a watcher that cannot go on (the encoder cannot be started),\n"
        "129, 130 or 143 stopped by SIGHUP, SIGINT or SIGTERM, 141 stopped because the\n"
        "standard output was closed or could not be written (existing outputs untouched).\n"
        "A watcher stopped by SIGINT or SIGTERM ends with 0, or 1 when a file failed.\n");
}
