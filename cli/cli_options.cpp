#include "cli_options.h"

#include <getopt.h>

#include "core/input/image_header.h"
#include "core/video/video_timing.h"
#include "core/picture/picture_limit.h"
#include "core/gif/gif_limits.h"

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <unistd.h>

namespace {

// A whole decimal number in [low, high]; no sign, no spaces, no trailing text.
bool ParseNumber(const std::string& text, long low, long high, long& value)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

bool ParseSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find_first_of("xX");
    long w = 0, h = 0;
    if (x == std::string::npos || !ParseNumber(text.substr(0, x), 1, kMaxPictureSide, w) ||
        !ParseNumber(text.substr(x + 1), 1, kMaxPictureSide, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// Comma-separated delays, each a whole number in 0..kGifMaxDelay; at least one.
bool ParseDelayList(const std::string& text, std::vector<int>& delays)
{
    delays.clear();
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        long delay = 0;
        if (!ParseNumber(text.substr(start, comma - start), 0, kGifMaxDelay, delay))
            return false;
        delays.push_back(static_cast<int>(delay));
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

// A percentage from 0 to 100, with decimals ("0.5", "2", ".25"); no sign, no exponent.
bool ParsePercent(const std::string& text, double& percent)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789.") != std::string::npos ||
        text.find('.') != text.rfind('.') || text == ".")
        return false;
    percent = std::strtod(text.c_str(), nullptr);
    return percent >= 0 && percent <= 100;
}

// A time as ParseClipTime reads it, into seconds; false with error for anything else.
bool ParseTimeOption(const std::string& name, const std::string& value, double& seconds,
                     std::string& error)
{
    const std::optional<double> parsed = ParseClipTime(value);
    if (!parsed) {
        error = "bad " + name + " \"" + value +
                "\": expected seconds (2.5) or [HH:]MM:SS[.sss] (1:02.5)";
        return false;
    }
    seconds = *parsed;
    return true;
}

} // namespace

const std::vector<ByteUnit>& ByteUnits()
{
    // As the system's own tools read them: a letter alone or with "iB" counts in powers of
    // 1024, with "B" in powers of 1000.
    static const std::vector<ByteUnit> units = {
        {"K", 1024},     {"KiB", 1024},          {"KB", 1000},
        {"M", 1u << 20}, {"MiB", 1u << 20},      {"MB", 1000 * 1000},
    };
    return units;
}

bool ParseByteSize(const std::string& text, uint64_t& bytes)
{
    const size_t digitsEnd = text.find_first_not_of("0123456789");
    const std::string digits = text.substr(0, digitsEnd);
    const std::string suffix = digitsEnd == std::string::npos ? "" : text.substr(digitsEnd);
    uint64_t unit = suffix.empty() ? 1 : 0;
    for (const ByteUnit& known : ByteUnits())
        if (strcasecmp(suffix.c_str(), known.suffix) == 0)
            unit = known.bytes;
    if (unit == 0 || digits.empty() || digits.size() > 13)
        return false;
    const uint64_t value = std::strtoull(digits.c_str(), nullptr, 10);
    const uint64_t most = uint64_t(1) << 40;
    if (value == 0 || value > most / unit)
        return false;
    bytes = value * unit;
    return true;
}

namespace {

// Every long option; -h, -q and -o are the short names of the first three. Unique
// abbreviations are taken ("--opt" for --optimize). Each has a value of its own: the C
// library takes an abbreviation of options that look alike ("--del" for --delay and
// --delays) as the first of them instead of refusing it.
const option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},
    {"quiet", no_argument, nullptr, 'q'},
    {"output", required_argument, nullptr, 'o'},
    {"verbose", no_argument, nullptr, 257},
    {"optimize", no_argument, nullptr, 258},
    {"skip-missing", no_argument, nullptr, 259},
    {"estimate-only", no_argument, nullptr, 260},
    {"quality", required_argument, nullptr, 261},
    {"max-size", required_argument, nullptr, 262},
    {"fps", required_argument, nullptr, 263},
    {"start", required_argument, nullptr, 264},
    {"end", required_argument, nullptr, 265},
    {"duration", required_argument, nullptr, 266},
    {"width", required_argument, nullptr, 267},
    {"delay", required_argument, nullptr, 268},
    {"delays", required_argument, nullptr, 269},
    {"loop", required_argument, nullptr, 270},
    {"size", required_argument, nullptr, 271},
    {"threads", required_argument, nullptr, 272},
    {"quantizer", required_argument, nullptr, 273},
    {"reducer", required_argument, nullptr, 274},
    {"version", no_argument, nullptr, 275},
    {"skip-extra-frames", no_argument, nullptr, 276},
    {"record", no_argument, nullptr, 277},
    {"region", required_argument, nullptr, 278},
    {"no-pointer", no_argument, nullptr, 279},
    {"countdown", required_argument, nullptr, 280},
    {"crop", required_argument, nullptr, 281},
    {"rotate", required_argument, nullptr, 282},
    {"flip", required_argument, nullptr, 283},
    {"fit", required_argument, nullptr, 284},
    {"background", required_argument, nullptr, 285},
    {"dedupe", optional_argument, nullptr, 300},
    {"every", required_argument, nullptr, 301},
    {"max-fps", required_argument, nullptr, 302},
    {"format", required_argument, nullptr, 303},
    {"lossless", no_argument, nullptr, 304},
    {nullptr, 0, nullptr, 0},
};

// The most frames --every merges into one.
constexpr long kMaxEvery = 100000;

// The short options: h, q and o (with a value).
const char kShortOptions[] = ":hqo:";

// Whether name (without "--") is a long option that takes no value.
bool IsFlag(const std::string& name)
{
    for (const option* o = kLongOptions; o->name; ++o)
        if (name == o->name)
            return o->has_arg == no_argument;
    return false;
}

// Our words for what getopt_long refused with code ('?' or ':').
std::string UsageError(int code, int argc, char** argv)
{
    const std::string arg = optind >= 1 && optind - 1 < argc ? argv[optind - 1] : "";
    const bool isLong = arg.compare(0, 2, "--") == 0;
    const std::string name =
        isLong ? arg.substr(0, arg.find('=')) : "-" + std::string(1, static_cast<char>(optopt));
    if (code == ':')
        return "option " + name + " needs a value";
    if (isLong && arg.find('=') != std::string::npos && IsFlag(name.substr(2)))
        return "option " + name + " takes no value";
    if (isLong)
        return "unknown or ambiguous option " + name;
    return "unknown option " + name;
}

// argv with "--lo" (and "--lo=N") spelt out as --loop: it was --loop's shortest abbreviation
// before --lossless came, and scripts keep it. The new texts live in storage.
std::vector<char*> LoopAbbreviationKept(int argc, char** argv, std::vector<std::string>& storage)
{
    storage.reserve(static_cast<size_t>(argc));
    std::vector<char*> args(argv, argv + argc);
    args.push_back(nullptr);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "--lo" || arg.rfind("--lo=", 0) == 0) {
            storage.push_back("--loop" + arg.substr(4));
            args[static_cast<size_t>(i)] = &storage.back()[0];
        }
    }
    return args;
}

// The output's type, from its name unless formatGiven, and the options that depend on it.
bool CheckOutputFormat(CliOptions& options, bool formatGiven, std::string& error)
{
    if (!formatGiven && !options.output.empty() &&
        !OutputFormatOfName(options.output, options.format, error))
        return false;
    const OutputFormat format = options.format;
    const std::string title = OutputFormatTitle(format);
    // An APNG is lossless anyway; a GIF or a video can't be.
    if (options.lossless && format != OutputFormat::WebP && format != OutputFormat::Apng) {
        error = "--lossless is for WebP files (an APNG is always lossless), not " + title;
        return false;
    }
    if (format != OutputFormat::Gif && options.maxSize > 0) {
        error = "--max-size is for GIF files for now, not " + title;
        return false;
    }
    if (format != OutputFormat::Gif && options.estimateOnly) {
        error = "--estimate-only is for GIF files for now, not " + title;
        return false;
    }
    return true;
}

// The options of a recording, once all are read.
bool CheckRecordOptions(CliOptions& options, const std::string& fpsText, double duration,
                        const std::string& videoOnly, std::string& error)
{
    if (!options.inputs.empty()) {
        error = "--record takes no input files";
        return false;
    }
    if (!videoOnly.empty() || options.estimateOnly) {
        error = (videoOnly.empty() ? std::string("--estimate-only") : videoOnly) +
                " can't be used with --record";
        return false;
    }
    if (options.output.empty()) {
        error = "no output file given (-o OUT.gif)";
        return false;
    }
    long fps = options.recordFps;
    if (!fpsText.empty() && !ParseNumber(fpsText, 1, 60, fps)) {
        error = "bad --fps \"" + fpsText + "\": a recording takes a whole number from 1 to 60";
        return false;
    }
    options.recordFps = static_cast<int>(fps);
    options.recordSeconds = duration > 0 ? duration : 0;
    return true;
}

} // namespace

bool ParseCliOptions(int argc, char** givenArgv, CliOptions& options, std::string& error)
{
    std::vector<std::string> kept;
    std::vector<char*> args = LoopAbbreviationKept(argc, givenArgv, kept);
    char** argv = args.data();
    bool endGiven = false;
    bool dedupeBare = false;  // --dedupe was given without =T
    bool formatGiven = false;  // --format was given: the output's name does not choose
    double videoEnd = -1, videoDuration = -1;
    std::string fpsText;
    std::string videoOnly;    // the first option given that only video inputs take
    std::string recordOnly;   // the first option given that only --record takes
    // The C library's parser, quiet (its messages would name the program its own way): a
    // leading ':' tells a missing value from an unknown option; "--" ends the options, and
    // options may follow the inputs.
    opterr = 0;
    optind = 0;
    for (;;) {
        int index = -1;
        const int code = getopt_long(argc, argv, kShortOptions, kLongOptions, &index);
        if (code == -1)
            break;
        if (code == '?' || code == ':') {
            error = UsageError(code, argc, argv);
            return false;
        }
        const std::string name = index >= 0 ? std::string("--") + kLongOptions[index].name
                                            : std::string("-") + static_cast<char>(code);
        const std::string value = optarg ? optarg : "";

        if (videoOnly.empty() && (name == "--start" || name == "--end" || name == "--width"))
            videoOnly = name;
        if (recordOnly.empty() &&
            (name == "--region" || name == "--countdown" || name == "--no-pointer"))
            recordOnly = name;
        if (name == "-h" || name == "--help") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "-q" || name == "--quiet") {
            options.quiet = true;
        } else if (name == "--verbose") {
            options.verbose = true;
        } else if (name == "--optimize") {
            options.optimize = true;
        } else if (name == "--skip-missing") {
            options.skipMissing = true;
        } else if (name == "--skip-extra-frames") {
            options.skipExtraFrames = true;
        } else if (name == "--record") {
            options.record = true;
        } else if (name == "--no-pointer") {
            options.recordPointer = false;
        } else if (name == "--region") {
            const std::optional<CaptureRect> region = ParseGeometry(value);
            if (!region) {
                error = "bad --region \"" + value + "\": expected WxH+X+Y, e.g. 1280x720+0+0";
                return false;
            }
            options.recordRegion = *region;
        } else if (name == "--countdown") {
            long seconds = 0;
            if (!ParseNumber(value, 0, 10, seconds)) {
                error = "bad --countdown \"" + value + "\": expected a whole number from 0 to 10";
                return false;
            }
            options.countdown = static_cast<int>(seconds);
        } else if (name == "--dedupe") {
            // The C library gives the value only as --dedupe=T: a word after --dedupe is an input.
            if (optarg && !ParsePercent(value, options.dedupeTolerance)) {
                error = "bad --dedupe \"" + value +
                        "\": expected a tolerance from 0 to 100 (percent of the pixels, e.g. 0.5)";
                return false;
            }
            options.dedupe = true;
            dedupeBare = dedupeBare || !optarg;
        } else if (name == "--every") {
            long every = 0;
            if (!ParseNumber(value, 2, kMaxEvery, every)) {
                error = "bad --every \"" + value + "\": expected a whole number from 2 to " +
                        std::to_string(kMaxEvery);
                return false;
            }
            options.every = static_cast<int>(every);
        } else if (name == "--max-fps") {
            long fps = 0;
            if (!ParseNumber(value, 1, 100, fps)) {
                error = "bad --max-fps \"" + value + "\": expected a whole number from 1 to 100";
                return false;
            }
            options.maxFps = static_cast<int>(fps);
        } else if (name == "--format") {
            if (!OutputFormatNamed(value, options.format)) {
                error = "bad --format \"" + value + "\": expected gif, webp, apng, mp4 or webm";
                return false;
            }
            formatGiven = true;
        } else if (name == "--lossless") {
            options.lossless = true;
        } else if (name == "--estimate-only") {
            // Unlisted: for benchmarks of the size estimate the window shows.
            options.estimateOnly = true;
        } else if (name == "--quality") {
            long quality = 0;
            if (!ParseNumber(value, 1, 100, quality)) {
                error = "bad --quality \"" + value + "\": expected a whole number from 1 to 100";
                return false;
            }
            options.quality = static_cast<int>(quality);
        } else if (name == "--fps") {
            const std::optional<double> fps =
                value.find(':') == std::string::npos ? ParseClipTime(value) : std::nullopt;
            if (!fps || *fps <= 0 || *fps > 60) {
                error = "bad --fps \"" + value + "\": expected a number above 0 and up to 60";
                return false;
            }
            options.fps = *fps;
            fpsText = value;
        } else if (name == "--start") {
            if (!ParseTimeOption(name, value, options.videoStart, error))
                return false;
        } else if (name == "--end" || name == "--duration") {
            if (endGiven) {
                error = "--end and --duration can't both be given";
                return false;
            }
            endGiven = true;
            double seconds = 0;
            if (!ParseTimeOption(name, value, seconds, error))
                return false;
            (name == "--end" ? videoEnd : videoDuration) = seconds;
        } else if (name == "--width") {
            long width = 0;
            if (!ParseNumber(value, 1, kMaxPictureSide, width)) {
                error = "bad --width \"" + value + "\": expected a whole number from 1 to " +
                        std::to_string(kMaxPictureSide);
                return false;
            }
            options.videoWidth = static_cast<int>(width);
        } else if (name == "--max-size") {
            if (!ParseByteSize(value, options.maxSize)) {
                error = "bad --max-size \"" + value +
                        "\": expected bytes, or a number with K or M (times 1024) or KB or MB "
                        "(times 1000), e.g. 8M";
                return false;
            }
        } else if (name == "-o" || name == "--output") {
            if (value.empty()) {
                error = "the output name is empty";
                return false;
            }
            options.output = value;
        } else if (name == "--delay") {
            long delay = 0;
            if (!ParseNumber(value, 0, kGifMaxDelay, delay)) {
                error = "bad --delay \"" + value + "\": expected a whole number from 0 to " +
                        std::to_string(kGifMaxDelay);
                return false;
            }
            options.delay = static_cast<int>(delay);
            options.delayGiven = true;
        } else if (name == "--delays") {
            if (!ParseDelayList(value, options.delays)) {
                error = "bad --delays \"" + value +
                        "\": expected whole numbers from 0 to " + std::to_string(kGifMaxDelay) +
                        " separated by commas";
                return false;
            }
        } else if (name == "--loop") {
            long loop = 0;
            if (!ParseNumber(value, 0, kGifMaxLoopCount, loop)) {
                error = "bad --loop \"" + value +
                        "\": expected 0 (forever), 1 (once) or how many times, up to " +
                        std::to_string(kGifMaxLoopCount);
                return false;
            }
            options.loopCount = static_cast<int>(loop);
            options.loopGiven = true;
        } else if (name == "--size") {
            if (!ParseSize(value, options.width, options.height)) {
                error = "bad --size \"" + value + "\": expected WIDTHxHEIGHT, each from 1 to " +
                        std::to_string(kMaxPictureSide) + " (e.g. 640x480)";
                return false;
            }
        } else if (name == "--threads") {
            long threads = 0;
            if (!ParseNumber(value, 1, 64, threads)) {
                error = "bad --threads \"" + value + "\": expected a whole number from 1 to 64";
                return false;
            }
            options.threads = static_cast<int>(threads);
        } else if (IsPictureOption(name)) {
            if (!ParsePictureOption(name, value, options.picture, error))
                return false;
        } else if (name == "--quantizer" || name == "--reducer") {
            // --reducer and its value direct are the earlier names of --quantizer and toolkit.
            if (value == "quant")
                options.reducer = PaletteReducer::Quant;
            else if (value == "toolkit" || value == "direct")
                options.reducer = PaletteReducer::Direct;
            else if (value == "bmp")
                options.reducer = PaletteReducer::BmpPass;
            else {
                error = "bad " + name + " \"" + value + "\": expected quant, toolkit or bmp";
                return false;
            }
        } else {
            error = "unknown option " + name;
            return false;
        }
    }
    for (int i = optind; i < argc; ++i)
        options.inputs.push_back(argv[i]);
    if (videoEnd >= 0)
        options.videoEnd = videoEnd;
    if (videoDuration >= 0)
        options.videoEnd = options.videoStart + videoDuration;
    if (endGiven && options.videoEnd <= options.videoStart) {
        error = "the end of the video's stretch must come after its start";
        return false;
    }
    if (options.help || options.version)
        return true;
    if (options.every > 0 && options.maxFps > 0) {
        error = "--every and --max-fps can't both be given";
        return false;
    }
    if (!CheckOutputFormat(options, formatGiven, error))
        return false;
    if (options.record)
        return CheckRecordOptions(options, fpsText, videoDuration, videoOnly, error);
    if (!recordOnly.empty()) {
        error = recordOnly + " is for --record";
        return false;
    }
    if (options.output.empty() && !options.estimateOnly) {
        error = "no output file given (-o OUT.gif)";
        return false;
    }
    if (options.inputs.empty()) {
        error = "no input images given";
        return false;
    }
    // "--dedupe 2" leaves the 2 as an input; when no file has that name, the tolerance was
    // meant.
    double percent = 0;
    for (const std::string& input : options.inputs)
        if (dedupeBare && ParsePercent(input, percent) && access(input.c_str(), F_OK) != 0) {
            error = "--dedupe takes its tolerance as --dedupe=" + input + " (there is no file \"" +
                    input + "\")";
            return false;
        }
    return true;
}

std::vector<std::string> CliOptionNames()
{
    std::vector<std::string> names;
    for (const char* c = kShortOptions; *c; ++c)
        if (*c != ':')
            names.push_back(std::string("-") + *c);
    for (const option* o = kLongOptions; o->name; ++o)
        names.push_back(std::string("--") + o->name);
    return names;
}
