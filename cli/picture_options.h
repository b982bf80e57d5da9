// The options that edit the pictures of the output (--crop, --rotate, --flip, --fit,
// --background) and how they apply: in the window's terms, one after the other.
#pragma once

#include <optional>
#include <string>

#include "core/document/canvas_edit.h"

struct PictureOptions {
    std::optional<FitMode> fit;
    std::optional<Background> background;
    std::optional<PixelRect> crop;  // in the canvas's pixels, before turning
    int quarterTurns = 0;           // clockwise
    char flip = 0;                  // 'h', 'v' or none
};

// Whether name ("--crop") is one of these options.
bool IsPictureOption(const std::string& name);
// Reads the value of option name into options; false with error (one line) when it can't be
// read.
bool ParsePictureOption(const std::string& name, const std::string& value,
                        PictureOptions& options, std::string& error);

// Applies options to state, the canvas and edits the frames have (a project's, or none), in
// the order the window would: the fit mode and background, then the crop (of the canvas as it
// is), then the turn, then the flip. False with error when the crop doesn't lie within the
// canvas; state is then unchanged.
bool ApplyPictureOptions(const PictureOptions& options, EditedCanvas& state, std::string& error);
