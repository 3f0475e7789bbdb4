#include "WatchRules.h"

#include <algorithm>

bool IsPartialName(const QString& fileName)
{
    return fileName.startsWith(QLatin1Char('.')) || fileName.endsWith(QLatin1Char('~')) ||
           fileName.endsWith(QLatin1String(".part"), Qt::CaseInsensitive) ||
           fileName.endsWith(QLatin1String(".crdownload"), Qt::CaseInsensitive);
}

Settling Settle(const FileLook& before, const FileLook& now, qint64 settleMs)
{
    if (now.size < 0)
        return {Settling::Gone};
    if (now.size != before.size || now.modifiedMs != before.modifiedMs)
        return {Settling::Wait, now.seenMs + settleMs};
    if (now.seenMs - before.seenMs >= settleMs || now.seenMs - now.modifiedMs >= settleMs)
        return {Settling::Ready};
    // A time ahead of ours (a share's clock) is never waited for longer than one settle time.
    return {Settling::Wait, std::min(now.modifiedMs, now.seenMs) + settleMs};
}
