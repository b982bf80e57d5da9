// Frames made ready for GifWriter: a reduced image (every pixel an entry of its palette, as the
// reducers give) looked up into indices, and a frame already held as indices only viewed.
#pragma once

#include <string>

#include <wx/image.h>

#include "core/colour/indexed_frame.h"
#include "core/gif/gif_writer.h"

// A reduced image as indices, with what else of it goes into the file. Its palette is the
// image's own (see ExtractGifPalette): entries may repeat or go unused.
struct GifImageIndices {
    IndexedFrame frame;
    int transparentIndex = -1;  // the mask colour's entry
    // The image's "GifComment" option, in the locale's multibyte encoding (the format declares
    // none); text that doesn't convert gives an empty comment, still written.
    bool hasComment = false;
    std::string comment;
};

// Looks every pixel of image up in its palette. False when the image has no palette, or a
// pixel's colour is not one of the palette's entries, or the indices can't be held in memory.
bool IndexGifImage(const wxImage& image, GifImageIndices& out);

// What the writer reads of a frame; it points into the frame, which must outlive it.
GifIndexedImage ImageView(const GifImageIndices& frame);
// The default reducer's frame: its colour table, no transparency, no comment.
GifIndexedImage ImageView(const IndexedFrame& frame);
