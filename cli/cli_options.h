// The command line of zoruvede-cli.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/picture_options.h"
#include "core/colour/palette.h"
#include "core/export/output_format.h"
#include "core/screen/capture_region.h"
#include "core/video/video_timing.h"

struct CliOptions {
    std::string output;
    std::vector<std::string> inputs;
    int delay = 10;              // hundredths of a second
    bool delayGiven = false;     // --delay was on the command line
    std::vector<int> delays;     // --delays: one per output frame; empty when not given
    int loopCount = 0;           // --loop: 0 forever, 1 once, N N times
    bool loopGiven = false;      // --loop was on the command line
    int width = 0, height = 0;   // 0: derived from the frames
    bool quiet = false;
    bool verbose = false;
    bool help = false;
    bool version = false;
    int threads = 0;
    bool skipMissing = false;    // a project's frames whose files are gone are left out
    bool skipExtraFrames = false;  // a GIF's frames past the most read are left out
    bool optimize = false;       // --optimize: later frames only where they differ
    PaletteReducer reducer = PaletteReducer::Quant;
    int quality = 100;           // --quality: 1..100
    uint64_t maxSize = 0;        // --max-size in bytes; 0: no limit
    // The type written: --format, else the output's extension (see OutputFormatOfName).
    OutputFormat format = OutputFormat::Gif;
    bool lossless = false;       // --lossless: a WebP coded without loss
    // How video inputs are taken: the frames shown every 1 / fps seconds from videoStart up
    // to videoEnd (--end, or --start plus --duration; the whole clip without either), each
    // videoWidth pixels wide (0: the clip's own width, at most 640).
    double fps = 10;
    double videoStart = 0;
    double videoEnd = kWholeVideo;
    int videoWidth = 0;
    bool estimateOnly = false;   // --estimate-only: print the expected length, write nothing
    // --record: the screen is recorded instead of read from inputs, at recordFps (--fps, a
    // whole number) for up to recordSeconds (--duration; 0: until Ctrl+C), of recordRegion
    // (--region; empty: the whole screen), after a countdown of countdown seconds.
    bool record = false;
    CaptureRect recordRegion;
    int recordFps = 15;
    double recordSeconds = 0;
    bool recordPointer = true;   // --no-pointer: the mouse pointer left out
    int countdown = 0;           // --countdown: 0..10
    // --crop, --rotate, --flip, --fit, --background: the pictures' edits.
    PictureOptions picture;
    // Fewer frames, applied in this order once the frames are read: --dedupe[=T] merges each
    // frame into the one before it when at most T % of its pixels differ; then --every N keeps
    // every N-th frame or --max-fps N at most N frames a second (0: not asked). Merged frames
    // play for the time of all they stand for.
    bool dedupe = false;
    double dedupeTolerance = 0;  // percent of the pixels, 0..100
    int every = 0;
    int maxFps = 0;
};

// A unit a length may be written in after its number, and how many bytes it stands for.
struct ByteUnit {
    const char* suffix;
    uint64_t bytes;
};
// Every unit ParseByteSize takes: K, KiB and M, MiB in powers of 1024; KB and MB in powers of
// 1000 (letters in either case).
const std::vector<ByteUnit>& ByteUnits();

// A length in bytes as written on the command line: a whole number, optionally followed by
// one of ByteUnits, at least 1 byte and at most 1 TiB. False on anything else.
bool ParseByteSize(const std::string& text, uint64_t& bytes);

// Parses argv[1..]. False with error (one line, without the program name) on bad usage.
bool ParseCliOptions(int argc, char** argv, CliOptions& options, std::string& error);

// Every option the parser takes, as "-h" and "--help": each must be in the usage text.
std::vector<std::string> CliOptionNames();
