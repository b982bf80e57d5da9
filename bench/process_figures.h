// What a bench reads about its own process: resident memory, its peak, and CPU time of every
// thread. Header-only, so that each bench executable (and the unit tests of the parsing)
// uses it without another library.
#pragma once

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace bench {

// The value of a "Name:   N kB" line of a /proc/<pid>/status text, in KiB; 0 without one.
// The name must match whole: "VmRSS" is not read from a "VmRSSx" line.
inline long StatusFieldKiB(const std::string& status, const char* field)
{
    const size_t length = std::strlen(field);
    std::istringstream lines(status);
    std::string line;
    while (std::getline(lines, line))
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':')
            return std::atol(line.c_str() + length + 1);
    return 0;
}

inline std::string OwnStatus()
{
    std::ifstream file("/proc/self/status");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

inline long ResidentKiB()
{
    return StatusFieldKiB(OwnStatus(), "VmRSS");
}

// The highest resident size since the process started, or since ResetPeak.
inline long PeakKiB()
{
    return StatusFieldKiB(OwnStatus(), "VmHWM");
}

// Starts the peak over from the present resident size, so that a later PeakKiB is the peak of
// what ran in between. False where the kernel doesn't offer it (the peak then stays the
// process's own).
inline bool ResetPeak()
{
    FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (!f)
        return false;
    const bool written = std::fputs("5", f) >= 0;
    return std::fclose(f) == 0 && written;
}

// User and system time of every thread of the process so far, in seconds.
inline double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// What importing frames of width x height may add to the window's memory: their pictures at
// 4 bytes a pixel, a quarter more for what the strip and the loader keep beside them, and
// 100 MiB for the decoder and the libraries.
inline uint64_t VideoImportMemoryBound(int frames, int width, int height)
{
    const uint64_t pictures = static_cast<uint64_t>(frames) * static_cast<uint64_t>(width) *
                              static_cast<uint64_t>(height) * 4;
    return pictures + pictures / 4 + (uint64_t{100} << 20);
}

} // namespace bench
