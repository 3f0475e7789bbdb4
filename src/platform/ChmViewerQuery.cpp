#include "ChmViewerQuery.h"

#include "platform/ProcessTies.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <iterator>
#include <utility>

namespace {
const char* const ChmTypes[] = {"application/vnd.ms-htmlhelp", "application/x-chm"};
constexpr int ChmTypeCount = int(std::size(ChmTypes));
} // namespace

ChmViewerQuery::ChmViewerQuery(const QString& xdgMime, int timeoutMs, QObject* parent)
    : QObject(parent), m_xdgMime(xdgMime), m_timeoutMs(timeoutMs)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] { conclude(false); });
}

ChmViewerQuery::~ChmViewerQuery()
{
    dropQuery();
}

void ChmViewerQuery::start()
{
    if (m_state != State::NotAsked)
        return;
    m_state = State::Asking;
    // Looked up first, so that a desktop without xdg-utils costs no failed process start.
    m_program = m_xdgMime.contains(QLatin1Char('/')) ? m_xdgMime
                                                     : QStandardPaths::findExecutable(m_xdgMime);
    if (m_program.isEmpty() || !QFileInfo(m_program).isExecutable()) {
        conclude(false);
        return;
    }
    m_limit.start(m_timeoutMs);
    ask(0);
}

void ChmViewerQuery::whenAnswered(std::function<void(bool viewer)> answered)
{
    if (m_state == State::Known) {
        answered(m_viewer);
        return;
    }
    m_waiting.append(std::move(answered));
    start();
}

void ChmViewerQuery::ask(int type)
{
    if (type >= ChmTypeCount) {
        conclude(false);
        return;
    }
    m_query = new QProcess(this);
    QProcess* query = m_query;
    query->setStandardInputFile(QProcess::nullDevice());
    connect(query, &QProcess::finished, this,
            [this, query, type](int exitCode, QProcess::ExitStatus status) {
                const bool named = status == QProcess::NormalExit && exitCode == 0 &&
                                   !query->readAllStandardOutput().trimmed().isEmpty();
                dropQuery();
                if (named)
                    conclude(true);
                else
                    ask(type + 1);
            });
    connect(query, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        dropQuery();
        conclude(false);
    });
    // It answers and ends within moments; killed with the program should that die first.
    StartTied(*query, m_program,
              {QStringLiteral("query"), QStringLiteral("default"), QLatin1String(ChmTypes[type])},
              QIODevice::ReadOnly, WhenProgramDies::Kill);
}

void ChmViewerQuery::conclude(bool viewer)
{
    if (m_state == State::Known)
        return;
    m_state = State::Known;
    m_viewer = viewer;
    m_limit.stop();
    dropQuery(); // still running when the time is up
    const QList<std::function<void(bool)>> waiting = std::exchange(m_waiting, {});
    for (const auto& answered : waiting)
        answered(viewer);
}

void ChmViewerQuery::dropQuery()
{
    if (!m_query)
        return;
    QProcess* query = std::exchange(m_query, nullptr);
    query->disconnect(this);
    if (query->state() == QProcess::NotRunning) {
        // May be inside one of its own signals.
        query->deleteLater();
        return;
    }
    // Killed without waiting; it goes once it has ended.
    query->kill();
    connect(query, &QProcess::finished, query, &QObject::deleteLater);
}
