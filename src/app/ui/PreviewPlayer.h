#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class MediaGraph;
struct TMainFormUi;
class QWidget;

// The preview pane: plays a task's input file with Play, Pause / Resume and Stop, a position
// bar in whole seconds driven by a one-second timer, and the elapsed time. The media framework
// is loaded and its graph and video widget are created on the first play, and then kept.
class PreviewPlayer final : public QObject
{
    Q_OBJECT
public:
    // The graph as the preview sees it; Uninitialised until the first play.
    enum class State { Uninitialised, Stopped, Paused, Running };

    struct Hooks
    {
        std::function<int()> currentTask;      // the first selected row, -1 when none
        std::function<void()> showCurrentTask; // the list's click handler
    };

    // moduleFolder holds the media module. The player lives in the video area, so it goes
    // before the video widget it creates there.
    PreviewPlayer(QWidget* form, const TMainFormUi& ui, const QString& moduleFolder, Hooks hooks);
    ~PreviewPlayer() override;

    // Plays the current task's input file from its start; nothing when no task is selected.
    void PlaySelectedTask();
    void sbtnPlayClick();
    void sbtnPauseClick();
    void sbtnStopClick();
    // Stops playing and releases the file, keeping the picture and the time shown. Also used
    // when a batch starts, since it may write that file, and when the window closes.
    void Stop();
    // Shows the bar's position as the elapsed time; the arguments are not looked at.
    void TrackBarTimer(qint64 position, qint64 duration);
    // The bar follows the file once a second; tests need not wait that long for it.
    void setTickInterval(int ms) { m_trackTimer.setInterval(ms); }

    State state() const { return m_state; }
    const MediaGraph* graph() const { return m_graph.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void activate();
    void run();
    void trackBarTick();
    void trackBarReleased();
    void graphFailed(const QString& description, int code);

    QWidget* m_form;
    const TMainFormUi& m_ui;
    QString m_moduleFolder;
    Hooks m_hooks;
    std::unique_ptr<MediaGraph> m_graph;
    State m_state = State::Uninitialised;
    QTimer m_trackTimer;
    bool m_held = false; // the left button holds the bar's thumb: ticks leave it alone
};
