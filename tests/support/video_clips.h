// Video clips made at test time with the ffmpeg tool. Each source picture of a numbered clip
// carries its number as a colour, so a test can tell which picture a frame shows.
#pragma once

#include <string>

#include <wx/image.h>
#include <wx/string.h>

// Whether the ffmpeg tool is installed (tests that need it are skipped without).
bool HaveFfmpeg();

// Runs the ffmpeg tool with arguments (quiet, overwriting); true when it succeeded.
bool Ffmpeg(const std::string& arguments);

// Makes an H.264 clip at path (its extension picks the container) of 30 pictures a second of
// 160 x 120 for seconds, picture n coloured red (n % 16) * 16 + 8, green (n / 16) * 16 + 8.
// filters is appended to the filter chain (e.g. ",setpts=..."), output to the output options.
bool MakeNumberedClip(const wxString& path, double seconds, const std::string& filters = "",
                      const std::string& output = "");

// Makes an MJPEG clip in AVI at path whose headers and pictures state width x height, though
// its data is that of a small picture: a clip of any claimed size, made in an instant.
bool MakeClaimingClip(const wxString& path, int width, int height);

// How many pictures of the clip at path the ffmpeg tool decodes; -1 when it fails.
int PicturesFfmpegDecodes(const wxString& path);

// Keeps the first bytes of the file at path, as a download cut short leaves it.
bool CutFile(const wxString& path, size_t bytes);

// The number of the source picture a frame shows, from its middle pixel.
int PictureNumber(const wxImage& frame);
