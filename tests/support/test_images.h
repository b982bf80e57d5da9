// Images built in code for tests: no binary test data needed for the common cases.
#pragma once

#include <wx/image.h>
#include <wx/string.h>

#include "core/picture/picture.h"

// A w x h image filled with one colour.
wxImage SolidImage(int w, int h, unsigned char r, unsigned char g, unsigned char b);
// A w x h image whose pixels vary smoothly and with a pattern (many distinct colours).
wxImage GradientImage(int w, int h, int seed = 0);
// A photograph-like image: smooth areas, edges and noise, deterministic for a seed.
wxImage PhotoLikeImage(int w, int h, int seed);
// Writes img to path in the given format; returns false on failure.
bool WriteImage(const wxImage& img, const wxString& path, wxBitmapType type);
// Writes an animated GIF with the given frames (all of one size) through the toolkit's own
// writer.
bool WriteAnimatedGif(const wxString& path, const wxImage* frames, int count);
// True when both images have the same size and the same RGB bytes.
bool SamePixels(const wxImage& a, const wxImage& b);
// image as a picture, kept in a store of the test program's own.
PictureRef PictureOf(const wxImage& image);
