// How the frames become the pictures of the output, kept apart from the frames themselves so
// that no picture is ever copied or changed: each frame is turned and mirrored, fitted onto the
// crop's canvas and cut (when the animation was cropped), then fitted onto the canvas, all over
// a background. The edits of the window and the command line change this state and nothing
// else; undo gives back the state before.
#pragma once

#include <optional>
#include <string>

#include <wx/gdicmn.h>

#include "core/base/pixel_rect.h"
#include "core/document/frame_placement.h"

// What shows where no frame covers the canvas, and behind a frame's transparent pixels.
struct Background {
    bool transparent = false;
    unsigned char red = 0, green = 0, blue = 0;
    bool operator==(const Background& o) const
    {
        return transparent == o.transparent &&
               (transparent || (red == o.red && green == o.green && blue == o.blue));
    }
    bool operator!=(const Background& o) const { return !(*this == o); }
};

// "transparent" or "#rrggbb".
std::string BackgroundText(const Background& background);
// "transparent", "#rgb", "#rrggbb" or a colour name the toolkit knows ("white"); nothing for
// any other text.
std::optional<Background> ReadBackground(const std::string& text);

// Each frame mirrored left to right first (when mirrored), then turned clockwise.
struct Orientation {
    int quarterTurns = 0;  // 0..3
    bool mirrored = false;
    bool operator==(const Orientation& o) const
    {
        return quarterTurns == o.quarterTurns && mirrored == o.mirrored;
    }
    bool operator!=(const Orientation& o) const { return !(*this == o); }
    bool Identity() const { return quarterTurns == 0 && !mirrored; }
};

// A picture's size after orientation: its sides swapped by an odd number of quarter turns.
wxSize OrientedSize(const wxSize& picture, const Orientation& orientation);

struct CanvasEdit {
    FitMode fit = FitMode::Shrink;
    Background background;
    Orientation orientation;
    // The crop: the canvas the frames were fitted onto when the user cropped (empty: no crop),
    // and the rectangle of it that was kept, which is then fitted onto the canvas.
    wxSize cropBase;
    PixelRect crop;

    bool Cropped() const { return cropBase.x > 0 && cropBase.y > 0 && !crop.Empty(); }
    // Nothing changes a picture: the output of versions without these edits.
    bool Identity() const
    {
        return fit == FitMode::Shrink && background == Background() && orientation.Identity() &&
               !Cropped();
    }
    bool operator==(const CanvasEdit& o) const
    {
        return fit == o.fit && background == o.background && orientation == o.orientation &&
               cropBase == o.cropBase && crop == o.crop;
    }
    bool operator!=(const CanvasEdit& o) const { return !(*this == o); }
};

// The canvas and the edit, which turning and cropping change together.
struct EditedCanvas {
    wxSize canvas;
    CanvasEdit edit;
};

// Turned clockwise by quarterTurns (negative: counter-clockwise): the frames' orientation, the
// crop's rectangle within its canvas and the canvas itself.
EditedCanvas Turned(const EditedCanvas& state, int quarterTurns);
// Mirrored left to right (leftRight) or top to bottom.
EditedCanvas Mirrored(const EditedCanvas& state, bool leftRight);

// Where the crop's rectangle lands on the canvas (as the fit mode places it); the whole canvas
// without a crop.
FramePlacement CropPlacement(const EditedCanvas& state);

// Keeps the part shown within shown, a rectangle in canvas pixels: the crop becomes that part of
// the picture (within the crop made before) and the canvas its size. Nothing when shown leaves
// nothing of the picture.
std::optional<EditedCanvas> CroppedTo(const EditedCanvas& state, const PixelRect& shown);

// Whether rect lies within a canvas of size canvas with both sides at least one pixel, for
// typed or command-line crops; a message saying what is wrong, in English, when not.
std::optional<std::string> CropProblem(const PixelRect& rect, const wxSize& canvas);

