#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT and SIGTERM, heard in the event loop instead of ending the program at once, so that a
// console run can stop its encoders and say what it did. One instance at a time.
class StopSignals final : public QObject
{
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override; // the signals end the program again

signals:
    void received(int signal);

private:
    QSocketNotifier* m_notifier = nullptr;
};
