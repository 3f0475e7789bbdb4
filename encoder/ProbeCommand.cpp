#include "ProbeCommand.h"

#include "InputReader.h"
#include "Libav.h"
#include "ProbeReport.h"
#include "StandardOutput.h"

int ProbeCommand::run(const std::string& input)
{
    constexpr int Status = 1;

    std::string error;
    const Libav* av = Libav::load(error);
    if (!av) {
        StandardOutput::write(input + ": the ffmpeg libraries cannot be loaded (" + error + ")\n");
        return Status;
    }
    InputFacts facts;
    // One write either way: the window may take the first read for the whole answer.
    if (InputReader(*av).read(input, facts, error))
        StandardOutput::write(ProbeReport::text(facts, input));
    else
        StandardOutput::write(input + ": " + error + "\n");
    return Status;
}
