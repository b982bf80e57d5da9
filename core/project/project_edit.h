// The picture edits of a project (see canvas_edit.h), as attributes of its gif element, which
// older readers pass over:
//   fit="fill"            how frames meet the canvas (fit, fill, stretch, centre); absent: frames
//                         larger than the canvas are shrunk, never enlarged, as before
//   background="#ffffff"  the colour of the canvas around and behind frames, or "transparent";
//                         absent: black
//   flip="h" rotate="90"  each frame flipped left to right, then turned clockwise by 90, 180 or
//                         270 degrees; flip="v" (top to bottom) is read too
//   crop="320x240+16+8" crop_of="640x480"
//                         the part kept of the picture the frames made on a canvas of crop_of,
//                         which is then fitted onto the project's width and height
// A project without edits has none of them. A value that can't be read leaves its part unedited.
#pragma once

#include "core/document/canvas_edit.h"

class wxXmlNode;

void WriteEditAttributes(const CanvasEdit& edit, wxXmlNode& gif);
CanvasEdit ReadEditAttributes(const wxXmlNode& gif);
