#include "core/export/output_format.h"

#include <cctype>

#include "core/formats/apng_encoder.h"
#include "core/formats/webp_encoder.h"
#include "core/video/video_encoder.h"

namespace {

struct FormatName {
    const char* name;  // as --format and an extension write it
    OutputFormat format;
    const char* title;
};

const FormatName kFormats[] = {
    {"gif", OutputFormat::Gif, "GIF"},    {"webp", OutputFormat::WebP, "WebP"},
    {"apng", OutputFormat::Apng, "APNG"}, {"mp4", OutputFormat::Mp4, "MP4"},
    {"webm", OutputFormat::WebM, "WebM"},
};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

bool OutputFormatNamed(const std::string& name, OutputFormat& format)
{
    const std::string lower = Lower(name);
    for (const FormatName& f : kFormats)
        if (lower == f.name) {
            format = f.format;
            return true;
        }
    return false;
}

bool OutputFormatOfName(const std::string& path, OutputFormat& format, std::string& error)
{
    const size_t slash = path.find_last_of('/');
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = base.find_last_of('.');
    const std::string extension = dot == std::string::npos ? "" : Lower(base.substr(dot + 1));
    if (extension == "png") {
        error = "a name ending in .png is written as an APNG only with --format apng (or name "
                "it .apng)";
        return false;
    }
    if (!OutputFormatNamed(extension, format))
        format = OutputFormat::Gif;
    return true;
}

const char* OutputFormatTitle(OutputFormat format)
{
    for (const FormatName& f : kFormats)
        if (f.format == format)
            return f.title;
    return "GIF";
}

std::unique_ptr<AnimationEncoder> MakeAnimationEncoder(OutputFormat format)
{
    switch (format) {
    case OutputFormat::WebP:
        return std::make_unique<WebPEncoder>();
    case OutputFormat::Apng:
        return std::make_unique<ApngEncoder>();
    case OutputFormat::Mp4:
        return std::make_unique<VideoEncoder>(VideoContainer::Mp4);
    case OutputFormat::WebM:
        return std::make_unique<VideoEncoder>(VideoContainer::WebM);
    default:
        return nullptr;
    }
}
