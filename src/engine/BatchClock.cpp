#include "BatchClock.h"

#include "engine/BatchRules.h"
#include "engine/TimeText.h"

void BatchClock::reset()
{
    m_elapsed = 0;
    m_remaining = 0;
}

void BatchClock::tick(int totalPercent)
{
    ++m_elapsed;
    if (totalPercent != 0)
        m_remaining =
            static_cast<int>(RoundHalfEven(m_elapsed / (totalPercent / 100.0) - m_elapsed));
}

QString BatchClock::elapsedText() const
{
    return SecondsToText(m_elapsed);
}

QString BatchClock::remainingText() const
{
    return SecondsToText(m_remaining);
}
