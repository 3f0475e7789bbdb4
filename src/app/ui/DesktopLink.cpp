#include "DesktopLink.h"

#include "AppContext.h"
#include "app/RunEndNotice.h"
#include "engine/BatchRun.h"
#include "platform/DesktopNotice.h"
#include "platform/SleepInhibitor.h"

#include <QWidget>

DesktopLink::DesktopLink(QWidget* window, BatchRun& run, const AppContext& context)
    : QObject(window), m_window(window), m_context(context)
{
    connect(&run, &BatchRun::started, this, &DesktopLink::runStarted);
    connect(&run, &BatchRun::ended, this, &DesktopLink::runEnded);
}

DesktopLink::~DesktopLink() = default;

void DesktopLink::runStarted()
{
    // The system bus is opened only when a run needs it, never at start-up.
    if (!m_inhibitor && m_context.systemBus)
        m_inhibitor = std::make_unique<SleepInhibitor>(m_context.systemBus());
    if (m_inhibitor)
        m_inhibitor->hold();
}

void DesktopLink::runEnded(const BatchOutcome& outcome)
{
    release();
    if (m_window->isActiveWindow() || !m_context.sessionBus)
        return;
    const RunEndNotice notice = NoticeForRunEnd(outcome);
    SendDesktopNotice(m_context.sessionBus(), notice.summary, notice.body);
}

void DesktopLink::release()
{
    if (m_inhibitor)
        m_inhibitor->release();
}
