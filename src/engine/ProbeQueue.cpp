#include "ProbeQueue.h"

#include "engine/EncoderCommand.h"
#include "engine/ProbeReader.h"
#include "platform/EncoderProcess.h"

#include <QThread>
#include <QTimer>

#include <algorithm>

struct ProbeQueue::Probe
{
    QString path;
    QByteArray output;
    QStringDecoder decoder{QStringDecoder::Utf8}; // keeps a character split between reads
    std::unique_ptr<EncoderProcess> encoder;
    std::unique_ptr<QTimer> limit;
};

ProbeQueue::ProbeQueue(const QString& encoderPath, int parallel, int limitMs, QObject* parent)
    : QObject(parent), m_encoderPath(encoderPath), m_parallel(std::max(1, parallel)),
      m_limitMs(limitMs)
{
    qRegisterMetaType<MediaProbe::Facts>();
}

ProbeQueue::~ProbeQueue()
{
    cancel();
}

int ProbeQueue::DefaultParallel()
{
    return std::max(2, QThread::idealThreadCount());
}

void ProbeQueue::enqueue(const QString& path)
{
    m_waiting.enqueue(path);
    startNext();
}

int ProbeQueue::pending() const
{
    return int(m_waiting.size() + m_running.size()) + busyReaders();
}

int ProbeQueue::busyReaders() const
{
    return int(std::count_if(m_readers.begin(), m_readers.end(),
                             [](const auto& reader) { return reader->busy(); }));
}

void ProbeQueue::cancel()
{
    m_waiting.clear();
    while (!m_running.empty())
        release(m_running.back().get());
    for (const auto& reader : m_readers) {
        if (reader->busy())
            reader->stop();
    }
}

void ProbeQueue::ask()
{
    // Asked once: whether the encoder reads a list of inputs in one process.
    m_form = Form::Asking;
    m_question = std::make_unique<EncoderProcess>();
    auto answer = std::make_shared<QByteArray>();
    const auto decide = [this, answer](bool list) {
        if (m_form != Form::Asking)
            return;
        m_form = list ? Form::List : Form::OneByOne;
        m_question->disconnect(this);
        // Inside its own signal, perhaps; kept as a child until it has gone, as a probe is.
        m_question->setParent(this);
        m_question.release()->stopAndDeleteLater();
        startNext();
    };
    // A program that does not answer at once is no front of the list form.
    QTimer::singleShot(m_limitMs, m_question.get(), [decide] { decide(false); });
    connect(m_question.get(), &EncoderProcess::outputArrived, this,
            [answer](const QByteArray& bytes) { *answer += bytes; });
    connect(m_question.get(), &EncoderProcess::finished, this, [answer, decide] {
        decide(answer->split('\n').contains(QByteArrayLiteral("probe-list")));
    });
    connect(m_question.get(), &EncoderProcess::failedToStart, this,
            [decide] { decide(false); });
    if (!m_question->launch(m_encoderPath, QStringLiteral("-capabilities"))) {
        m_question.reset();
        m_form = Form::OneByOne;
    }
}

void ProbeQueue::startNext()
{
    if (m_form == Form::Unknown && !m_waiting.isEmpty())
        ask();
    if (m_form == Form::Asking)
        return;
    while (int(m_running.size()) + busyReaders() < m_parallel && !m_waiting.isEmpty()) {
        // A path with a line break cannot be a line of the list.
        const QString& next = m_waiting.head();
        if (m_form == Form::List && !next.contains(QLatin1Char('\n')) &&
            !next.contains(QLatin1Char('\r'))) {
            if (!startReading())
                return;
        } else {
            startProbe();
        }
    }
}

bool ProbeQueue::startReading()
{
    auto idle = std::find_if(m_readers.begin(), m_readers.end(),
                             [](const auto& reader) { return !reader->busy(); });
    if (idle == m_readers.end()) {
        if (int(m_readers.size()) >= m_parallel)
            return false;
        m_readers.push_back(
            std::make_unique<ProbeReader>(m_encoderPath, m_limitMs, m_background));
        ProbeReader* reader = m_readers.back().get();
        connect(reader, &ProbeReader::reported, this,
                [this, reader](const QString& path, const QByteArray& report) {
                    readerReported(reader, path, report);
                });
        connect(reader, &ProbeReader::failedToStart, this, &ProbeQueue::encoderFailed);
        idle = m_readers.end() - 1;
    }
    (*idle)->read(m_waiting.dequeue());
    return true;
}

void ProbeQueue::readerReported(ProbeReader*, const QString& path, const QByteArray& report)
{
    if (!report.isEmpty())
        emit read(QString::fromUtf8(report));
    startNext();
    emit probed(path, report.isEmpty() ? MediaProbe::Facts{} : MediaProbe::FactsOf(report, path));
    if (pending() == 0)
        emit idle();
}

void ProbeQueue::startProbe()
{
    auto probe = std::make_unique<Probe>();
    Probe* raw = probe.get();
    raw->path = m_waiting.dequeue();
    raw->encoder = std::make_unique<EncoderProcess>();
    raw->encoder->setBackground(m_background);
    raw->limit = std::make_unique<QTimer>();
    raw->limit->setSingleShot(true);
    connect(raw->encoder.get(), &EncoderProcess::outputArrived, this,
            [this, raw](const QByteArray& bytes) {
                raw->output += bytes;
                emit read(QString(raw->decoder(bytes)));
            });
    connect(raw->encoder.get(), &EncoderProcess::finished, this,
            [this, raw] { finish(raw, MediaProbe::FactsOf(raw->output, raw->path)); });
    connect(raw->encoder.get(), &EncoderProcess::failedToStart, this,
            [this, raw](const QString& reason) {
                emit encoderFailed(reason);
                finish(raw, {});
            });
    // An encoder that hangs on a broken file is given up on; the others go on meanwhile. One
    // that could not even be launched is told of here too.
    connect(raw->limit.get(), &QTimer::timeout, this, [this, raw] {
        if (const QString reason = raw->encoder->errorString(); !reason.isEmpty())
            emit encoderFailed(reason);
        finish(raw, {});
    });
    m_running.push_back(std::move(probe));
    raw->limit->start(m_limitMs);
    // Told from the event loop, as a failure of the process itself would be; not at all when
    // the probe is cancelled first (its timer stops with it).
    if (!raw->encoder->launch(m_encoderPath, ProbeCommandLine(raw->path)))
        raw->limit->start(0);
}

int ProbeQueue::cancel(const QStringList& paths)
{
    int cancelled =
        int(m_waiting.removeIf([&](const QString& path) { return paths.contains(path); }));
    for (const auto& reader : m_readers) {
        if (reader->busy() && paths.contains(reader->path())) {
            reader->stop();
            ++cancelled;
        }
    }
    std::vector<Probe*> running;
    for (const auto& probe : m_running) {
        if (paths.contains(probe->path))
            running.push_back(probe.get());
    }
    for (Probe* probe : running)
        release(probe);
    cancelled += int(running.size());
    if (cancelled == 0)
        return 0;
    startNext();
    if (pending() == 0)
        emit idle();
    return cancelled;
}

void ProbeQueue::release(Probe* probe)
{
    const auto at = std::find_if(m_running.begin(), m_running.end(),
                                 [probe](const auto& running) { return running.get() == probe; });
    // Released once its signal has returned: this may run inside one of them.
    std::unique_ptr<Probe> done = std::move(*at);
    m_running.erase(at);
    done->limit->stop();
    // Kept as children until then, so that nothing is left behind should no event loop follow.
    // An encoder still at it is asked to end, and goes once it has (killed after its grace).
    done->encoder->setParent(this);
    done->encoder.release()->stopAndDeleteLater();
    done->limit->setParent(this);
    done->limit.release()->deleteLater();
}

void ProbeQueue::finish(Probe* probe, const MediaProbe::Facts& facts)
{
    const bool running = std::any_of(m_running.begin(), m_running.end(),
                                     [probe](const auto& known) { return known.get() == probe; });
    if (!running)
        return;
    const QString path = probe->path;
    release(probe);
    startNext();
    emit probed(path, facts);
    if (pending() == 0)
        emit idle();
}
