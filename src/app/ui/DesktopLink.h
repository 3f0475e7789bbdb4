#pragma once

#include "engine/BatchOutcome.h"

#include <QObject>

#include <memory>

struct AppContext;
class BatchRun;
class SleepInhibitor;
class QWidget;

// Lets the desktop know of a batch run: the computer does not go to sleep while it converts,
// and a run that ends while the window is in the background is told in a notification.
class DesktopLink final : public QObject
{
    Q_OBJECT
public:
    DesktopLink(QWidget* window, BatchRun& run, const AppContext& context);
    ~DesktopLink() override;

    // Lets the computer sleep again: the window closes during a run, which ends without a word.
    void release();

private:
    void runStarted();
    void runEnded(const BatchOutcome& outcome);

    QWidget* m_window;
    const AppContext& m_context;
    std::unique_ptr<SleepInhibitor> m_inhibitor; // made by the first run
};
