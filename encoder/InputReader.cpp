#include "InputReader.h"

#include "Libav.h"

#include <memory>

namespace {

using Stream = InputFacts::Stream;

std::optional<std::int64_t> known(int64_t microseconds)
{
    if (microseconds == AV_NOPTS_VALUE)
        return std::nullopt;
    return microseconds;
}

double rate(AVRational value)
{
    return value.num > 0 && value.den > 0 ? av_q2d(value) : 0;
}

Stream::Kind kind(AVMediaType type)
{
    switch (type) {
    case AVMEDIA_TYPE_VIDEO:
        return Stream::Kind::Video;
    case AVMEDIA_TYPE_AUDIO:
        return Stream::Kind::Audio;
    case AVMEDIA_TYPE_SUBTITLE:
        return Stream::Kind::Subtitle;
    case AVMEDIA_TYPE_ATTACHMENT:
        return Stream::Kind::Attachment;
    default:
        return Stream::Kind::Data;
    }
}

} // namespace

InputFacts::Stream InputReader::stream(const AVStream& source) const
{
    const AVCodecParameters& codec = *source.codecpar;
    Stream facts;
    facts.index = source.index;
    facts.kind = kind(codec.codec_type);
    facts.attachedPicture = (source.disposition & AV_DISPOSITION_ATTACHED_PIC) != 0;
    if (const AVCodecDescriptor* descriptor = m_av.avcodec_descriptor_get(codec.codec_id))
        facts.codec = descriptor->name;
    facts.bitRate = codec.bit_rate;
    if (source.duration != AV_NOPTS_VALUE && source.time_base.den > 0)
        facts.duration = static_cast<std::int64_t>(static_cast<double>(source.duration) *
                                                   av_q2d(source.time_base) * AV_TIME_BASE);
    if (codec.codec_type == AVMEDIA_TYPE_VIDEO) {
        const char* pixelFormat =
            m_av.av_get_pix_fmt_name(static_cast<AVPixelFormat>(codec.format));
        facts.pixelFormat = pixelFormat ? pixelFormat : "";
        facts.width = codec.width;
        facts.height = codec.height;
        facts.averageFrameRate = rate(source.avg_frame_rate);
        facts.baseFrameRate = rate(source.r_frame_rate);
    } else if (codec.codec_type == AVMEDIA_TYPE_AUDIO) {
        facts.sampleRate = codec.sample_rate;
        facts.channels = codec.ch_layout.nb_channels;
        // A layout without order would only be described as "N channels".
        if (codec.ch_layout.order != AV_CHANNEL_ORDER_UNSPEC) {
            char layout[128] = {};
            if (m_av.av_channel_layout_describe(&codec.ch_layout, layout, sizeof layout) > 0)
                facts.channelLayout = layout;
        }
    }
    return facts;
}

bool InputReader::read(const std::string& path, InputFacts& facts, std::string& error) const
{
    const auto errorText = [this](int status) {
        char text[AV_ERROR_MAX_STRING_SIZE] = {};
        m_av.av_strerror(status, text, sizeof text);
        return std::string(text);
    };
    // Only the report may reach the window.
    m_av.av_log_set_level(AV_LOG_QUIET);

    AVFormatContext* opened = nullptr;
    // "file:" so that a name with a colon is never taken for another protocol.
    if (const int status =
            m_av.avformat_open_input(&opened, ("file:" + path).c_str(), nullptr, nullptr);
        status < 0) {
        error = errorText(status);
        return false;
    }
    const auto close = [this](AVFormatContext* context) { m_av.avformat_close_input(&context); };
    const std::unique_ptr<AVFormatContext, decltype(close)> input(opened, close);
    if (const int status = m_av.avformat_find_stream_info(input.get(), nullptr); status < 0) {
        error = errorText(status);
        return false;
    }

    facts = {};
    facts.formatName = input->iformat->name;
    facts.duration = known(input->duration);
    facts.start = known(input->start_time);
    facts.durationFromBitRate = input->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
    facts.bitRate = input->bit_rate;
    for (unsigned i = 0; i < input->nb_streams; ++i)
        facts.streams.push_back(stream(*input->streams[i]));
    return true;
}
