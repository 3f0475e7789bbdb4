#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libavutil/channel_layout.h>
#include <libavutil/parseutils.h>
#include <libavutil/pixdesc.h>
}

#include <string>

// The few ffmpeg library functions the probe and the output check call, looked up at run
// time. Linking the libraries would make every conversion load them and their hundred-odd
// dependencies before ffmpeg itself loads them all again.
struct Libav
{
    decltype(&::av_log_set_level) av_log_set_level = nullptr;
    decltype(&::av_strerror) av_strerror = nullptr;
    decltype(&::av_parse_time) av_parse_time = nullptr;
    decltype(&::av_get_pix_fmt_name) av_get_pix_fmt_name = nullptr;
    decltype(&::av_channel_layout_describe) av_channel_layout_describe = nullptr;
    decltype(&::avcodec_descriptor_get) avcodec_descriptor_get = nullptr;
    decltype(&::avformat_open_input) avformat_open_input = nullptr;
    decltype(&::avformat_find_stream_info) avformat_find_stream_info = nullptr;
    decltype(&::avformat_close_input) avformat_close_input = nullptr;

    // Loads the libraries the build found; nullptr with the loader's reason in `error`
    // when that fails.
    static const Libav* load(std::string& error);
};
