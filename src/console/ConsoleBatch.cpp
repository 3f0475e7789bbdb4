#include "ConsoleBatch.h"

#include "tasks/InputTypes.h"

#include <csignal>

ConsoleBatch::ConsoleBatch(const QString& encoderPath, ConsoleReport& report, int reportFd,
                           QObject* parent)
    : QObject(parent), m_report(report), m_watchedOutput(reportFd),
      m_adder(m_rows, InputExtensions(),
              {nullptr, nullptr, [this](const QString& path) { readLength(path); }}),
      m_probes(encoderPath, ProbeQueue::DefaultParallel()), m_run(m_rows, encoderPath)
{
    // Reading the files must not slow the conversions down.
    m_probes.setBackground(true);
    connect(&m_probes, &ProbeQueue::probed, this,
            [this](const QString& path, const MediaProbe::Facts& facts) {
                m_adder.Apply(path, facts);
            });
    connect(&m_run, &BatchRun::taskStarted, this,
            [this](int row) { m_report.started(m_rows.caption(row)); });
    connect(&m_run, &BatchRun::taskEnded, this, &ConsoleBatch::taskEnded);
    connect(&m_run, &BatchRun::ended, this, &ConsoleBatch::end);
    m_ticker.setInterval(500);
    connect(&m_ticker, &QTimer::timeout, this, &ConsoleBatch::showProgress);
    m_report.onLost([this] {
        // From the event loop: the failed write may come from inside the run's own bookkeeping.
        QTimer::singleShot(0, this, [this] { stop(SIGPIPE); });
    });
}

ConsoleBatch::~ConsoleBatch()
{
    m_report.onLost(nullptr);
}

void ConsoleBatch::readLength(const QString& path)
{
    // Lengths serve the progress alone: none is read when none is shown.
    if (m_report.showsProgress())
        m_probes.enqueue(path);
}

void ConsoleBatch::start(const QStringList& inputs, const QString& arguments,
                         const BatchSettings& settings)
{
    m_elapsed.start();
    addInputs(inputs);
    m_tally.tasks += m_rows.rowCount();
    // Nobody reads what the run would say: it does not begin.
    if (m_report.lost())
        m_signal = SIGPIPE;
    if (m_rows.rowCount() == 0 || m_signal != 0) {
        // Nothing to convert, or nobody to tell: the run ends as it would after its last task.
        QTimer::singleShot(0, this, [this] { end(BatchOutcome{}); });
        return;
    }
    // From the first encoder on, a signal stops the run instead of ending the program.
    m_stopSignals = std::make_unique<StopSignals>();
    connect(m_stopSignals.get(), &StopSignals::received, this, &ConsoleBatch::stop);
    if (m_watchedOutput >= 0)
        m_stopSignals->watchReader(m_watchedOutput);
    m_ticker.start();
    // The files are read while the first tasks convert: the command gives no task times of its
    // own for a reading to bring in first.
    m_run.RunBatch(arguments, settings);
}

void ConsoleBatch::addInputs(const QStringList& inputs)
{
    m_adder.AddCommandLine(inputs);
    const QList<RefusedInput> refusals = m_adder.takeRefused();
    QStringList named;
    for (int row = 0; row < m_rows.rowCount(); ++row)
        named << m_rows.caption(row);
    for (const RefusedInput& refused : refusals)
        named << refused.path;
    m_report.setInputs(named);
    for (const RefusedInput& refused : refusals)
        notATask(refused.path, reason(refused.why));
    if (const int twice = m_adder.takeDuplicates(); twice > 0)
        m_report.tell(QStringLiteral("duplicates"),
                      QStringLiteral("%1 named a file already listed")
                          .arg(twice == 1 ? QStringLiteral("1 input")
                                          : QStringLiteral("%1 inputs").arg(twice)));
}

QString ConsoleBatch::reason(Refusal why) const
{
    switch (why) {
    case Refusal::NoSuchFile:
        return QStringLiteral("no such file");
    case Refusal::NotRegularFile:
        return QStringLiteral("not a regular file");
    case Refusal::NotSupported:
        return QStringLiteral("not a supported input (%1)")
            .arg(m_adder.extensions().join(QLatin1Char(' ')));
    case Refusal::NameNotText:
        return QStringLiteral("the name is not valid text");
    case Refusal::ListUnreadable:
        return QStringLiteral("the list cannot be read");
    }
    return QString();
}

void ConsoleBatch::notATask(const QString& path, const QString& reason)
{
    ++m_tally.tasks;
    ++m_tally.failed;
    m_report.ended(path, TaskState::Failed, QString(), reason);
}

void ConsoleBatch::taskEnded(int row, TaskState state, const QString& output, const QString& reason)
{
    switch (state) {
    case TaskState::Complete:
        ++m_tally.complete;
        break;
    case TaskState::Failed:
        ++m_tally.failed;
        break;
    case TaskState::Stopped:
        ++m_tally.stopped;
        break;
    case TaskState::Added:
    case TaskState::Converting:
        return;
    }
    m_report.ended(m_rows.caption(row), state, output, reason);
}

void ConsoleBatch::showProgress()
{
    QList<ConsoleReport::Converting> under;
    for (const int row : m_run.convertingRows())
        under.append({m_rows.task(row).inputPath, m_rows.task(row).progress});
    m_report.progress(m_run.totalPosition(), under, m_elapsed.elapsed());
}

void ConsoleBatch::stop(int signal)
{
    if (m_signal != 0)
        return; // already stopping
    m_signal = signal;
    // Its end comes through ended; a run not under way ends by itself already.
    if (!m_ended && m_run.state() == BatchRun::Converting)
        m_run.Stop();
}

int ConsoleBatch::status(const BatchOutcome& outcome) const
{
    if (m_signal != 0)
        return 128 + m_signal;
    if (outcome.kind != BatchOutcome::Completed || m_tally.failed > 0)
        return 1;
    return 0;
}

void ConsoleBatch::end(const BatchOutcome& outcome)
{
    if (m_ended)
        return;
    m_ended = true;
    m_ticker.stop();
    m_probes.cancel();
    m_report.summary(m_tally, m_elapsed.elapsed(), status(outcome));
    // Whoever reads the report did not learn how the run ended.
    if (m_report.lost() && m_signal == 0)
        m_signal = SIGPIPE;
    emit finished(status(outcome));
}
