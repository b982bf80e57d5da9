// Where a frame lands on a canvas, in each of the ways a frame can meet a canvas of another
// size: plain integer arithmetic, shared by the export's composition and the crop's mapping.
#pragma once

#include <optional>
#include <string>

#include <wx/gdicmn.h>

// How a frame of another size than the canvas is placed on it. Every mode centres the frame.
enum class FitMode {
    Shrink,   // shrunk to fit when larger, never enlarged: the rule of older projects
    Fit,      // scaled up or down until the whole frame just fits; bars beside it
    Fill,     // scaled until it covers the canvas; what passes the canvas is cut off
    Stretch,  // scaled to the canvas both ways, proportion lost
    Centre,   // never scaled: cut off or with bars
};

// The mode's name in projects and on the command line ("shrink", "fit", "fill", "stretch",
// "centre"); "center" is read too.
const char* FitModeName(FitMode mode);
std::optional<FitMode> FitModeNamed(const std::string& name);

struct FramePlacement {
    bool shrunk = false;  // the frame was scaled (Shrink: it was wider or taller)
    wxSize size;          // the frame's size on the canvas
    wxPoint origin;       // its top-left corner; negative where it passes the canvas
};

// Shrink's geometry, computed in exact integer arithmetic: the limiting side gets the canvas
// size exactly, the other one the truncated proportional size (at least 1 pixel); centred with
// truncating division.
FramePlacement PlaceFrame(const wxSize& frame, const wxSize& canvas);

// Any mode's geometry. Fit scales as Shrink does but enlarges too; Fill gives the covering side
// the canvas size and the other the proportional size rounded up; sizes are at least 1 pixel.
// An empty frame or canvas places nothing (size 0 x 0).
FramePlacement PlaceFrameIn(const wxSize& frame, const wxSize& canvas, FitMode mode);
