#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class QWidget;

// The media framework as the preview uses it: one playback graph that decodes a file, sends its
// picture into a video area of the window and its sound to the default output. Positions are
// milliseconds. The framework lives in a module loaded on the first play (see MediaModule).
class MediaGraph
{
public:
    struct Events
    {
        // A file could not be loaded or played: the framework's description of the failure
        // and its code. The graph has stopped and released the file by then.
        std::function<void(const QString& description, int code)> failed;
    };

    virtual ~MediaGraph() = default;

    // Drops whatever was loaded and loads the file for playing from its start, at normal rate
    // and full volume. Failures arrive later through Events::failed.
    virtual void render(const QString& path) = 0;
    virtual void run() = 0;
    virtual void pause() = 0;
    // Stops playing and releases the file; the last picture stays on screen. The position is
    // not rewound, and the file cannot be run again without a new render.
    virtual void stop() = 0;

    // False while the value is unknown: nothing loaded yet, or a length the file does not tell.
    virtual bool duration(qint64& ms) const = 0;
    virtual bool position(qint64& ms) const = 0;
    // Playing (or the paused picture) continues from the new position; the end is unchanged.
    virtual void seek(qint64 ms) = 0;
};

// The module's one entry point, resolved by name.
using CreateMediaGraphFunction = MediaGraph* (*)(QWidget* videoArea,
                                                 const MediaGraph::Events& events);
inline constexpr char CreateMediaGraphSymbol[] = "fwCreateMediaGraph";
