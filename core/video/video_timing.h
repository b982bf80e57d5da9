// Which moments of a video become frames, and how long each frame is shown: on plain numbers.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The stretch of a video to take and how densely: frame k shows the picture on screen at
// start + k / fps, for every such moment before end.
// An end that stands for the whole video, however long.
constexpr double kWholeVideo = 1e12;

struct VideoSampling {
    double start = 0;   // seconds from the video's beginning
    double end = 0;     // seconds; the video's length when it ends earlier (kWholeVideo)
    double fps = 10;    // frames per second, > 0
};

// The number of frames sampling takes from a video of the given length in seconds: the
// moments start + k / fps before min(end, length). 0 when the stretch is empty.
int VideoFrameCount(const VideoSampling& sampling, double length);

// The moment of frame k, in seconds from the video's beginning.
double VideoFrameTime(const VideoSampling& sampling, int k);

// The moment of frame k in whole milliseconds, as frames taken from a video are named and
// decoded (the window, project files and the command line alike).
long long VideoFrameMillis(const VideoSampling& sampling, int k);

// Delays in hundredths of a second for count frames at fps: the total after frame k is
// (k + 1) / fps rounded up to a hundredth, so the animation runs as long as the stretch and
// no error adds up: 15 fps gives 7, 7, 6, 7, 7, 6, ...
std::vector<int> VideoFrameDelays(int count, double fps);

// A time as the command line and dialogs take it: seconds ("2.5", "90") or
// [HH:]MM:SS[.sss] ("1:02.5", "01:00:03"); never negative, independent of the locale.
// Nothing when text is no such time.
std::optional<double> ParseClipTime(const std::string& text);

// seconds as ParseClipTime reads it back: up to three decimals after a dot, no trailing zeros
// ("12.5", "3", "0.067").
std::string FormatClipTime(double seconds);
