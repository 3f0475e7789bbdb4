#include "OutputInspector.h"

#include "ExpectedLength.h"
#include "InputReader.h"
#include "Libav.h"
#include "OutputCheck.h"

std::string OutputInspector::fault(const std::string& input, const std::string& output) const
{
    std::string error;
    const Libav* av = Libav::load(error);
    // Without the libraries the file cannot be judged; the run's own signs (exit status,
    // no write error, a file with content) are all there is, and they were good.
    if (!av)
        return {};
    const InputReader reader(*av);
    InputFacts written;
    if (!reader.read(output, written, error))
        return OutputCheck::ofFile(error, std::nullopt, std::nullopt);
    const ExpectedLength length(m_arguments, *av);
    InputFacts source;
    std::optional<double> expected;
    if (reader.read(input, source, error))
        expected = length.forInput(ExpectedLength::ofInput(source, written));
    return OutputCheck::ofFile({}, expected, ExpectedLength::ofOutput(written));
}
