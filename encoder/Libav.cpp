#include "Libav.h"

#include <dlfcn.h>
#include <string_view>

// The structures are read through these headers, so the libraries loaded must be the
// ones the headers describe.
static_assert(std::string_view(FW_LIBAVFORMAT_SONAME) ==
                  "libavformat.so." AV_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR),
              "libavformat headers and library differ");
static_assert(std::string_view(FW_LIBAVCODEC_SONAME) ==
                  "libavcodec.so." AV_STRINGIFY(LIBAVCODEC_VERSION_MAJOR),
              "libavcodec headers and library differ");
static_assert(std::string_view(FW_LIBAVUTIL_SONAME) ==
                  "libavutil.so." AV_STRINGIFY(LIBAVUTIL_VERSION_MAJOR),
              "libavutil headers and library differ");

namespace {

// Never closed: the probe ends soon after, and unloaded code would leave stack traces
// of leak reports without names.
void* openLibrary(const char* soname, std::string& error)
{
    void* library = ::dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        error = ::dlerror();
    return library;
}

template <typename Function>
bool find(void* library, const char* name, Function& function, std::string& error)
{
    void* symbol = ::dlsym(library, name);
    if (!symbol) {
        error = ::dlerror();
        return false;
    }
    function = reinterpret_cast<Function>(symbol);
    return true;
}

bool loadAll(Libav& av, std::string& error)
{
    void* format = openLibrary(FW_LIBAVFORMAT_SONAME, error);
    void* codec = format ? openLibrary(FW_LIBAVCODEC_SONAME, error) : nullptr;
    void* util = codec ? openLibrary(FW_LIBAVUTIL_SONAME, error) : nullptr;
    return util && find(util, "av_log_set_level", av.av_log_set_level, error) &&
           find(util, "av_strerror", av.av_strerror, error) &&
           find(util, "av_parse_time", av.av_parse_time, error) &&
           find(util, "av_get_pix_fmt_name", av.av_get_pix_fmt_name, error) &&
           find(util, "av_channel_layout_describe", av.av_channel_layout_describe, error) &&
           find(codec, "avcodec_descriptor_get", av.avcodec_descriptor_get, error) &&
           find(format, "avformat_open_input", av.avformat_open_input, error) &&
           find(format, "avformat_find_stream_info", av.avformat_find_stream_info, error) &&
           find(format, "avformat_close_input", av.avformat_close_input, error);
}

} // namespace

const Libav* Libav::load(std::string& error)
{
    static Libav av;
    static std::string failure;
    static const bool loaded = loadAll(av, failure);
    if (!loaded)
        error = failure;
    return loaded ? &av : nullptr;
}
