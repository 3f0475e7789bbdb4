#pragma once

#include "MediaGraph.h"

#include <QMediaPlayer>
#include <QObject>
#include <QPointer>

class QAudioOutput;
class QVideoWidget;
class QWindow;

// The playback graph on Qt Multimedia with its GStreamer backend: a QMediaPlayer whose picture
// goes to a QVideoWidget placed in the video area and whose sound goes to a QAudioOutput on the
// default device (silently nowhere when there is none). Built into the media module only.
class QtMediaGraph final : public QObject, public MediaGraph
{
    Q_OBJECT
public:
    QtMediaGraph(QWidget* videoArea, const Events& events);
    ~QtMediaGraph() override;

    void render(const QString& path) override;
    void run() override;
    void pause() override;
    void stop() override;
    bool duration(qint64& ms) const override;
    bool position(qint64& ms) const override;
    void seek(qint64 ms) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load(const QString& path);
    bool loaded() const;
    void becomeReady();
    void mediaStatusChanged(QMediaPlayer::MediaStatus status);
    void reportFailure(int load, QMediaPlayer::Error error, const QString& text);

    Events m_events;
    QPointer<QVideoWidget> m_video;
    QPointer<QWindow> m_videoWindow;
    QMediaPlayer* m_player;
    QAudioOutput* m_audio;
    bool m_ready = false;   // the video window has drawn once (see the constructor)
    QString m_pending;      // a file to load once ready
    bool m_running = false; // asked to run and not since to pause or stop
    bool m_atEnd = false;   // the player reached the end of the file
    int m_load = 0;         // counts renders, to tell a stale failure from the current one
    bool m_failed = false;  // the current load has reported its failure
};
