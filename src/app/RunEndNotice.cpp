#include "RunEndNotice.h"

namespace {
QString Files(int count)
{
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}
} // namespace

RunEndNotice NoticeForRunEnd(const BatchOutcome& outcome)
{
    switch (outcome.kind) {
    case BatchOutcome::Stopped:
        return {QStringLiteral("Conversion stopped"),
                QStringLiteral("The conversion was stopped.")};
    case BatchOutcome::CannotStart:
        return {QStringLiteral("Conversion failed"),
                QStringLiteral("The encoder could not be started.")};
    case BatchOutcome::Completed:
        break;
    }
    const int converted = outcome.tasks - outcome.failed;
    QString body;
    if (outcome.failed == 0)
        body = Files(converted) + QStringLiteral(" converted.");
    else if (converted == 0)
        body = Files(outcome.failed) + QStringLiteral(" failed.");
    else
        body = QStringLiteral("%1 converted, %2 failed.").arg(Files(converted)).arg(outcome.failed);
    return {QStringLiteral("Conversion finished"), body};
}
