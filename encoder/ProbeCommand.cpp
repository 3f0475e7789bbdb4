#include "ProbeCommand.h"

#include "FileKind.h"
#include "InputReader.h"
#include "Libav.h"
#include "ProbeReport.h"
#include "StandardOutput.h"

#include <iostream>

namespace {
// The report of one input, or why it cannot be read.
std::string report(const Libav* av, const std::string& loadError, const std::string& input)
{
    // Opening a FIFO would wait for a writer that may never come.
    if (const std::string refusal = FileKind::refusal(input); !refusal.empty())
        return refusal + "\n";
    if (!av)
        return input + ": the ffmpeg libraries cannot be loaded (" + loadError + ")\n";
    InputFacts facts;
    std::string error;
    if (InputReader(*av).read(input, facts, error))
        return ProbeReport::text(facts, input);
    return input + ": " + error + "\n";
}
} // namespace

int ProbeCommand::run(const std::string& input)
{
    std::string error;
    const Libav* av = Libav::load(error);
    // One write either way: the window may take the first read for the whole answer.
    StandardOutput::write(report(av, error, input));
    return 1;
}

int ProbeCommand::runList()
{
    std::string error;
    const Libav* av = Libav::load(error);
    std::string input;
    while (std::getline(std::cin, input)) {
        if (!input.empty() && input.back() == '\r')
            input.pop_back();
        // Each report with its end in one write: the reader may be waiting for it.
        StandardOutput::write(report(av, error, input) + ListEnd);
    }
    return 0;
}
