#pragma once

#include <QString>

// The run's clock: whole seconds counted by ticks as they are handled (a late tick is not made
// up), and the time still needed, estimated from the total progress.
class BatchClock final
{
public:
    void reset();
    // One second more; the estimate follows the total bar's position p unless p is 0, when the
    // last estimate stands.
    void tick(int totalPercent);

    QString elapsedText() const;
    QString remainingText() const;

private:
    int m_elapsed = 0;
    int m_remaining = 0;
};
