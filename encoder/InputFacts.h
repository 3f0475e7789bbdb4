#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
        std::string codec; // empty when unknown
        std::string pixelFormat;
        int width = 0;
        int height = 0;
        double averageFrameRate = 0; // frames per second, 0 when unknown
        double baseFrameRate = 0;
        int sampleRate = 0;        // Hz, 0 when unknown
        std::string channelLayout; // empty when the channels have no known order
        int channels = 0;
        std::int64_t bitRate = 0;             // bits per second, 0 when unknown
        std::optional<std::int64_t> duration; // microseconds
    };

    std::string formatName;
    std::optional<std::int64_t> duration; // microseconds
    std::optional<std::int64_t> start;    // microseconds
    // Lengths guessed from the bit rate, which may be far off.
    bool durationFromBitRate = false;
    std::int64_t bitRate = 0;
    std::vector<Stream> streams;
};
