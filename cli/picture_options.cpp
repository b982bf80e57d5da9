#include "cli/picture_options.h"

namespace {
const char* const kNames[] = {"--crop", "--rotate", "--flip", "--fit", "--background"};
}

bool IsPictureOption(const std::string& name)
{
    for (const char* n : kNames)
        if (name == n)
            return true;
    return false;
}

bool ParsePictureOption(const std::string& name, const std::string& value,
                        PictureOptions& options, std::string& error)
{
    const std::string bad = "bad " + name + " \"" + value + "\": ";
    if (name == "--crop") {
        options.crop = ParseGeometry(value);
        if (!options.crop)
            error = bad + "expected WxH+X+Y with a width and height above 0, e.g. 320x240+10+20";
        return options.crop.has_value();
    }
    if (name == "--rotate") {
        const int turns = value == "90" ? 1 : value == "180" ? 2 : value == "270" ? 3 : -1;
        if (turns < 0)
            error = bad + "expected 90, 180 or 270 (degrees clockwise)";
        options.quarterTurns = turns;
        return turns >= 0;
    }
    if (name == "--flip") {
        if (value != "h" && value != "v") {
            error = bad + "expected h (left to right) or v (top to bottom)";
            return false;
        }
        options.flip = value[0];
        return true;
    }
    if (name == "--fit") {
        options.fit = FitModeNamed(value);
        if (!options.fit)
            error = bad + "expected fit, fill, stretch, centre or shrink";
        return options.fit.has_value();
    }
    options.background = ReadBackground(value);
    if (!options.background)
        error = bad + "expected a colour such as #ff8800 or white, or transparent";
    return options.background.has_value();
}

bool ApplyPictureOptions(const PictureOptions& options, EditedCanvas& state, std::string& error)
{
    EditedCanvas out = state;
    if (options.fit)
        out.edit.fit = *options.fit;
    if (options.background)
        out.edit.background = *options.background;
    if (options.crop) {
        if (const std::optional<std::string> problem = CropProblem(*options.crop, out.canvas)) {
            error = *problem;
            return false;
        }
        const std::optional<EditedCanvas> cropped = CroppedTo(out, *options.crop);
        if (!cropped) {
            error = "the crop leaves nothing of the picture";
            return false;
        }
        out = *cropped;
    }
    out = Turned(out, options.quarterTurns);
    if (options.flip)
        out = Mirrored(out, options.flip == 'h');
    state = out;
    return true;
}
