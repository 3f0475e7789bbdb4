#pragma once

#include <QObject>

class QSocketNotifier;
class QTimer;

// SIGINT, SIGTERM and SIGHUP, heard in the event loop instead of ending the program at once, so
// that a console run can stop its encoders and say what it did. A SIGHUP ignored when the
// program started (nohup) stays ignored. One instance at a time.
class StopSignals final : public QObject
{
    Q_OBJECT
public:
    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override; // the signals end the program again

    // A write to a closed pipe then fails with an error the writer sees, instead of ending the
    // program unseen half-way through a line. Lasts for the program's life.
    static void IgnoreBrokenPipe();

    // When fd is a pipe or a socket, its reader going away (| head having read enough) is told
    // as SIGPIPE within a quarter of a second, without waiting for a write to fail: a run that
    // writes a line per file would otherwise convert one more file for nobody.
    void watchReader(int fd);

signals:
    void received(int signal);

private:
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_readerCheck = nullptr;
};
