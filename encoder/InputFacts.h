#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// What the probe learns about an input, as plain values: the reader fills it from
// libavformat, the report turns it into text.
struct InputFacts
{
    struct Stream
    {
        enum class Kind { Video, Audio, Subtitle, Data, Attachment };

        int index = 0;
        Kind kind = Kind::Data;
        // Cover art arrives as a one-frame video stream.
        bool attachedPicture = false;
        QByteArray codec; // empty when unknown
        QByteArray pixelFormat;
        int width = 0;
        int height = 0;
        double averageFrameRate = 0; // frames per second, 0 when unknown
        double baseFrameRate = 0;
        int sampleRate = 0;       // Hz, 0 when unknown
        QByteArray channelLayout; // empty when the channels have no known order
        int channels = 0;
        qint64 bitRate = 0; // bits per second, 0 when unknown
    };

    QByteArray formatName;
    std::optional<qint64> duration; // microseconds
    std::optional<qint64> start;    // microseconds
    qint64 bitRate = 0;
    QList<Stream> streams;
};
