#include "ChildGuard.h"
#include "CommandLine.h"
#include "ConvertCommand.h"
#include "ProbeCommand.h"
#include "StandardOutput.h"

#include <QByteArrayList>
#include <QCoreApplication>
#include <QTimer>

int main(int argc, char* argv[])
{
    // Taken before QCoreApplication may consume any, and as raw bytes: the probe
    // report must echo the input path exactly as the window passed it.
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);

    ChildGuard::installSignalHandlers();
    QCoreApplication app(argc, argv);

    const CommandLine line = CommandLine::parse(arguments);
    switch (line.form) {
    case CommandLine::Form::Probe:
        return ProbeCommand::run(line.input);
    case CommandLine::Form::Convert: {
        ConvertCommand command(line.arguments);
        QObject::connect(&command, &ConvertCommand::finished, &app,
                         [](int status) { QCoreApplication::exit(status); });
        // Started from the event loop, so that even an immediate failure can end it.
        QTimer::singleShot(0, &command, &ConvertCommand::start);
        return QCoreApplication::exec();
    }
    case CommandLine::Form::Usage:
        break;
    }
    StandardOutput::write(CommandLine::usage());
    return 1;
}
