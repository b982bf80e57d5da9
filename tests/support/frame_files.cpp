#include "support/frame_files.h"

#include <vector>

#include <gtest/gtest.h>

#include "support/test_images.h"

wxString WritePicture(const TempDir& dir, const char* name, int w, int h, const wxColour& colour)
{
    const wxString path = dir.File(name);
    const wxString ext = path.AfterLast('.').Lower();
    const wxBitmapType type = ext == "jpg" ? wxBITMAP_TYPE_JPEG
                              : ext == "bmp" ? wxBITMAP_TYPE_BMP
                                             : wxBITMAP_TYPE_PNG;
    EXPECT_TRUE(WriteImage(SolidImage(w, h, colour.Red(), colour.Green(), colour.Blue()), path, type));
    return path;
}

wxString WriteGif(const TempDir& dir, const char* name, int frames, int w, int h)
{
    std::vector<wxImage> images;
    for (int i = 0; i < frames; ++i) {
        const auto grey = static_cast<unsigned char>(40 * i);
        images.push_back(SolidImage(w, h, grey, grey, grey));
    }
    const wxString path = dir.File(name);
    EXPECT_TRUE(WriteAnimatedGif(path, images.data(), frames));
    return path;
}
