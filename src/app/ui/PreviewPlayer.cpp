#include "PreviewPlayer.h"

#include "ErrorReport.h"
#include "TMainFormUi.h"
#include "base/FwError.h"
#include "engine/TaskModel.h"
#include "engine/TaskRows.h"
#include "engine/TimeText.h"
#include "platform/ui/MediaModule.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QTreeView>

PreviewPlayer::PreviewPlayer(QWidget* form, const TMainFormUi& ui, const QString& moduleFolder,
                             Hooks hooks)
    : QObject(ui.VideoWindow1), m_form(form), m_ui(ui), m_moduleFolder(moduleFolder),
      m_hooks(std::move(hooks))
{
    m_trackTimer.setInterval(1000);
    connect(&m_trackTimer, &QTimer::timeout, this, &PreviewPlayer::trackBarTick);
    m_ui.TrackBar->installEventFilter(this);
}

PreviewPlayer::~PreviewPlayer() = default;

void PreviewPlayer::activate()
{
    if (m_graph)
        return;
    MediaGraph::Events events;
    events.failed = [this](const QString& description, int code) {
        graphFailed(description, code);
    };
    m_graph = CreateMediaGraph(m_moduleFolder, m_ui.VideoWindow1, events);
    m_state = State::Stopped;
}

void PreviewPlayer::PlaySelectedTask()
{
    const int row = m_hooks.currentTask();
    if (row < 0)
        return;
    const QString path = TaskRows(m_ui.taskModel).caption(row);
    activate();
    m_trackTimer.stop();
    m_state = State::Stopped;
    m_graph->render(path);
    // The new file starts at its beginning; the bar learns its length on the first tick.
    m_ui.TrackBar->setRange(0, 0);
    TrackBarTimer(0, 0);
    run();
}

void PreviewPlayer::sbtnPlayClick()
{
    if (TaskRows(m_ui.taskModel).rowCount() == 0)
        return;
    if (m_hooks.currentTask() < 0) {
        const QModelIndex first = m_ui.taskModel->index(0, 0);
        m_ui.ltvTask->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect |
                                                                   QItemSelectionModel::Rows);
        m_hooks.showCurrentTask();
    }
    PlaySelectedTask();
}

void PreviewPlayer::sbtnPauseClick()
{
    if (m_state == State::Running) {
        m_graph->pause();
        m_state = State::Paused;
        m_trackTimer.stop();
    } else if (m_state == State::Paused) {
        run();
    }
}

void PreviewPlayer::sbtnStopClick()
{
    Stop();
}

void PreviewPlayer::Stop()
{
    if (!m_graph)
        return;
    m_trackTimer.stop();
    m_graph->stop();
    m_state = State::Stopped;
}

void PreviewPlayer::run()
{
    m_graph->run();
    m_state = State::Running;
    m_trackTimer.start();
    if (!m_trackTimer.isActive())
        throw FwError(QStringLiteral("Not enough timers available"));
}

void PreviewPlayer::trackBarTick()
{
    if (m_held)
        return;
    qint64 duration = 0;
    qint64 position = 0;
    if (!m_graph->duration(duration) || !m_graph->position(position))
        return;
    m_ui.TrackBar->setRange(0, int(duration / 1000));
    m_ui.TrackBar->setValue(int(position / 1000));
    TrackBarTimer(position, duration);
}

void PreviewPlayer::TrackBarTimer(qint64 /*position*/, qint64 /*duration*/)
{
    m_ui.labPreviewTime->setText(SecondsToText(m_ui.TrackBar->value()));
}

bool PreviewPlayer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.TrackBar) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_held = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            // The thumb has been moved by the press and the drag already.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                trackBarReleased();
            m_held = false;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PreviewPlayer::trackBarReleased()
{
    const qint64 maximum = m_ui.TrackBar->maximum();
    qint64 stop = 0; // the end of the file
    // A file shorter than a second has a bar without length: there is nothing to seek to.
    if (!m_graph || maximum <= 0 || !m_graph->duration(stop))
        return;
    m_graph->seek(stop * m_ui.TrackBar->value() / maximum);
}

void PreviewPlayer::graphFailed(const QString& description, int code)
{
    m_trackTimer.stop();
    m_state = State::Stopped;
    // The framework's own description, and its error code: the QMediaPlayer::Error value.
    ShowError(m_form, description + QStringLiteral(" ($%1).").arg(code, 0, 16));
}
