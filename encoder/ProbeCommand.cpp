#include "ProbeCommand.h"

#include "InputReader.h"
#include "ProbeReport.h"
#include "StandardOutput.h"

int ProbeCommand::run(const std::string& input)
{
    constexpr int Status = 1;

    InputFacts facts;
    std::string error;
    // One write either way: the window may take the first read for the whole answer.
    if (InputReader::read(input, facts, error))
        StandardOutput::write(ProbeReport::text(facts, input));
    else
        StandardOutput::write(input + ": " + error + "\n");
    return Status;
}
