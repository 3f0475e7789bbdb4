#include "QtMediaGraph.h"

#include <QAudioOutput>
#include <QEvent>
#include <QGuiApplication>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>
#include <QWindow>

namespace {
QList<QWindow*> videoWindows()
{
    QList<QWindow*> result;
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->inherits("QVideoWindow"))
            result << window;
    }
    return result;
}
} // namespace

extern "C" Q_DECL_EXPORT MediaGraph* fwCreateMediaGraph(QWidget* videoArea,
                                                        const MediaGraph::Events& events)
{
    // Qt's ffmpeg backend crashes in 6.4 when there is no sound device.
    qputenv("QT_MEDIA_BACKEND", "gstreamer");
    return new QtMediaGraph(videoArea, events);
}

QtMediaGraph::QtMediaGraph(QWidget* videoArea, const Events& events)
    : m_events(events), m_player(new QMediaPlayer(this)), m_audio(new QAudioOutput(this))
{
    const QList<QWindow*> before = videoWindows();
    m_video = new QVideoWidget(videoArea);
    auto* fill = new QVBoxLayout(videoArea);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(m_video);
    m_video->show();
    m_player->setVideoOutput(m_video.data());
    m_player->setAudioOutput(m_audio);

    // QVideoWidget draws through a window of its own, which sets up its renderer when it first
    // draws and then switches the player's sink over to it. A switch while a file is starting
    // can leave the player stuck before its first frame (seen with OpenGL), so files wait
    // until that window has drawn once.
    for (QWindow* window : videoWindows()) {
        if (!before.contains(window))
            m_videoWindow = window;
    }
    if (m_videoWindow)
        m_videoWindow->installEventFilter(this);
    else
        m_ready = true;

    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &QtMediaGraph::mediaStatusChanged);
    // Failures are reported from the event loop, not from inside the player's own signal: the
    // report shows a modal box.
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString& text) {
                const int load = m_load;
                QMetaObject::invokeMethod(
                    this, [this, load, error, text] { reportFailure(load, error, text); },
                    Qt::QueuedConnection);
            });
}

QtMediaGraph::~QtMediaGraph()
{
    // The player goes first: it must not outlive the widget its pictures are sent to.
    delete m_player;
    delete m_audio;
    delete m_video;
}

bool QtMediaGraph::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_videoWindow && !m_ready) {
        if (event->type() == QEvent::Expose && m_videoWindow->isExposed())
            m_videoWindow->requestUpdate();
        else if (event->type() == QEvent::UpdateRequest) // drawing now; continue after it
            QMetaObject::invokeMethod(this, &QtMediaGraph::becomeReady, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void QtMediaGraph::becomeReady()
{
    if (m_ready)
        return;
    m_ready = true;
    if (m_videoWindow)
        m_videoWindow->removeEventFilter(this);
    if (m_pending.isEmpty())
        return;
    load(m_pending);
    m_pending.clear();
    if (m_running)
        m_player->play();
}

void QtMediaGraph::render(const QString& path)
{
    ++m_load;
    m_failed = false;
    m_running = false;
    m_atEnd = false;
    m_player->stop();
    m_player->setSource(QUrl());
    m_video->videoSink()->setVideoFrame(QVideoFrame()); // black until the new file's picture
    if (m_ready)
        load(path);
    else
        m_pending = path;
}

void QtMediaGraph::load(const QString& path)
{
    m_player->setSource(QUrl::fromLocalFile(path));
    // Qt has no balance control: sound always plays centred.
    m_player->setPlaybackRate(1.0);
    m_audio->setVolume(1.0F);
}

void QtMediaGraph::run()
{
    m_running = true;
    // At the end the player has stopped on the last picture; running it would rewind.
    if (m_ready && !m_atEnd)
        m_player->play();
}

void QtMediaGraph::pause()
{
    m_running = false;
    if (m_ready && !m_atEnd)
        m_player->pause();
}

void QtMediaGraph::stop()
{
    m_running = false;
    m_atEnd = false;
    m_pending.clear();
    // Releasing the file clears the picture; it is put back, the file is not held open for it.
    const QVideoFrame last = m_video->videoSink()->videoFrame();
    m_player->stop();
    m_player->setSource(QUrl());
    m_video->videoSink()->setVideoFrame(last);
}

bool QtMediaGraph::loaded() const
{
    switch (m_player->mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::EndOfMedia:
        return true;
    default:
        return false;
    }
}

bool QtMediaGraph::duration(qint64& ms) const
{
    if (!loaded() || m_player->duration() <= 0)
        return false;
    ms = m_player->duration();
    return true;
}

bool QtMediaGraph::position(qint64& ms) const
{
    if (!loaded())
        return false;
    ms = m_player->position();
    return true;
}

void QtMediaGraph::seek(qint64 ms)
{
    if (!loaded())
        return;
    if (m_atEnd) {
        m_atEnd = false;
        if (m_running) {
            m_player->setPosition(ms);
            m_player->play();
            return;
        }
        m_player->pause(); // from the end this rewinds, so the position is set after it
    }
    m_player->setPosition(ms);
}

void QtMediaGraph::mediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    if (status == QMediaPlayer::EndOfMedia)
        m_atEnd = true;
}

void QtMediaGraph::reportFailure(int load, QMediaPlayer::Error error, const QString& text)
{
    // One report per file: the player often follows its first error with vaguer ones.
    if (load != m_load || m_failed)
        return;
    m_failed = true;
    const QString description = text.isEmpty() ? m_player->errorString() : text;
    m_running = false;
    m_atEnd = false;
    m_player->stop();
    m_player->setSource(QUrl());
    if (m_events.failed)
        m_events.failed(description, int(error));
}
