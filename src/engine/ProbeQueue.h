#pragma once

#include "engine/MediaProbe.h"

#include <QObject>
#include <QQueue>
#include <QStringDecoder>

#include <memory>
#include <vector>

class EncoderProcess;
class ProbeReader;
class QTimer;

// Probes many inputs, several at a time, without ever waiting on the window's thread. An
// encoder front that offers the list form (it answers the capability query, asked once) reads
// them in long-lived readers, one per parallel probe, fed in turn; any other encoder is run once
// per input. Each report is parsed once, by MediaProbe::FactsOf; an encoder that cannot start,
// dies on an input or is still at it after the time limit yields empty facts for it.
class ProbeQueue final : public QObject
{
    Q_OBJECT
public:
    ProbeQueue(const QString& encoderPath, int parallel, int limitMs = MediaProbe::DefaultLimitMs,
               QObject* parent = nullptr);
    ~ProbeQueue() override;

    void enqueue(const QString& path);
    int pending() const; // waiting or running
    // Ends every probe at once; nothing more is reported of them. Not from a read() receiver.
    void cancel();
    // Ends the probes of these paths, waiting or running; nothing more is reported of them.
    // Returns how many there were. Not from a read() receiver.
    int cancel(const QStringList& paths);

    // As many as the machine has cores, and at least two.
    static int DefaultParallel();
    // Probes from now on run only on time no other process wants.
    void setBackground(bool background) { m_background = background; }

signals:
    void read(const QString& text); // the text of one read of any probe, as it arrives
    void probed(const QString& path, const MediaProbe::Facts& facts);
    void encoderFailed(const QString& reason);
    void idle(); // the last pending probe has ended

private:
    enum class Form { Unknown, Asking, List, OneByOne };
    struct Probe;
    void ask();
    void startNext();
    bool startReading(); // hands the next input to an idle reader; false when none could take it
    void startProbe();   // starts the next input's one-file probe
    void readerReported(ProbeReader* reader, const QString& path, const QByteArray& report);
    int busyReaders() const;
    void finish(Probe* probe, const MediaProbe::Facts& facts);
    // Takes the probe out of the running ones and releases it once its signals have returned.
    void release(Probe* probe);

    QString m_encoderPath;
    int m_parallel;
    int m_limitMs;
    bool m_background = false;
    QQueue<QString> m_waiting;
    std::vector<std::unique_ptr<Probe>> m_running;
    Form m_form = Form::Unknown;
    std::unique_ptr<EncoderProcess> m_question; // the capability query while it runs
    std::vector<std::unique_ptr<ProbeReader>> m_readers;
};
