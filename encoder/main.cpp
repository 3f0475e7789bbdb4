#include "ChildGuard.h"
#include "CommandLine.h"
#include "ConvertCommand.h"
#include "ProbeCommand.h"
#include "StandardOutput.h"

// Plain C++ and POSIX only: every conversion pays this program's start on top of
// ffmpeg's, so it loads nothing ffmpeg does not need.
int main(int argc, char* argv[])
{
    // Raw bytes: the probe report must echo the input path exactly as the window passed it.
    const CommandLine line = CommandLine::parse(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.form) {
    case CommandLine::Form::Probe:
        return ProbeCommand::run(line.input);
    case CommandLine::Form::Convert:
        ChildGuard::installSignalHandlers();
        return ConvertCommand(line.arguments).run();
    case CommandLine::Form::ProbeList:
        return ProbeCommand::runList();
    case CommandLine::Form::Capabilities:
        StandardOutput::write(ProbeCommand::Capabilities);
        return 0;
    case CommandLine::Form::Usage:
        break;
    }
    StandardOutput::write(CommandLine::usage());
    return 1;
}
