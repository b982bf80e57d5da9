// Image files on disk for tests that load frames through the real window.
#pragma once

#include <wx/arrstr.h>
#include <wx/colour.h>
#include <wx/string.h>

#include "support/temp_dir.h"

// Writes a w x h picture of one colour in the format the name's extension says
// (png, jpg, bmp) and returns its path.
wxString WritePicture(const TempDir& dir, const char* name, int w, int h,
                      const wxColour& colour = wxColour(200, 30, 30));
// Writes an animated GIF of frames w x h, frame i filled with a grey of 40 * i.
wxString WriteGif(const TempDir& dir, const char* name, int frames, int w = 20, int h = 10);
