// What FFmpeg's libraries say, kept for the user: their error codes as words, and their own
// log (complaints about damaged files, the encoders' statistics) kept off standard error,
// since every failure reaches the user through the caller instead.
#pragma once

#include <string>

// The library's words for error (a negative AVERROR code).
std::string FfmpegErrorWords(int error);

// Silences the libraries' log for the rest of the process; any thread, any number of times.
void QuietFfmpeg();
