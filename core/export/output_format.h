// The types of file an animation is written as, told apart by name or by a file's extension,
// and the encoder of each type other than GIF.
#pragma once

#include <memory>
#include <string>

#include "core/formats/animation_encoder.h"

enum class OutputFormat { Gif, WebP, Apng, Mp4, WebM };

// The type a --format value names (gif, webp, apng, mp4, webm; any case); false for another.
bool OutputFormatNamed(const std::string& name, OutputFormat& format);

// The type a file name's extension asks for (any case): .webp, .apng, .mp4 and .webm their
// types, every other name a GIF, as before there were other types; false (with error) for a
// name ending in .png, which could be a still picture or an APNG.
bool OutputFormatOfName(const std::string& path, OutputFormat& format, std::string& error);

// How the type is called to the user: "GIF", "WebP", "APNG", "MP4", "WebM".
const char* OutputFormatTitle(OutputFormat format);

// A new encoder of the type; nullptr for GIF (its export is ExportGif) and for a type this
// build can't write.
std::unique_ptr<AnimationEncoder> MakeAnimationEncoder(OutputFormat format);
