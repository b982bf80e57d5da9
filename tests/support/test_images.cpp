#include "support/test_images.h"

#include "core/picture/picture_store.h"

#include <cmath>
#include <cstring>

#include <wx/imaggif.h>
#include <wx/anidecod.h>
#include <wx/palette.h>
#include <wx/quantize.h>
#include <wx/image.h>
#include <wx/wfstream.h>

wxImage SolidImage(int w, int h, unsigned char r, unsigned char g, unsigned char b)
{
    wxImage img(w, h, false);
    img.SetRGB(wxRect(0, 0, w, h), r, g, b);
    return img;
}

wxImage GradientImage(int w, int h, int seed)
{
    wxImage img(w, h, false);
    unsigned char* p = img.GetData();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            *p++ = static_cast<unsigned char>((x * 255) / (w > 1 ? w - 1 : 1));
            *p++ = static_cast<unsigned char>((y * 255) / (h > 1 ? h - 1 : 1));
            *p++ = static_cast<unsigned char>((x * 7 + y * 13 + seed * 31) & 0xFF);
        }
    return img;
}

wxImage PhotoLikeImage(int w, int h, int seed)
{
    wxImage img(w, h, false);
    unsigned char* p = img.GetData();
    unsigned int state = 2166136261u ^ static_cast<unsigned int>(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = static_cast<int>((state >> 24) & 0x0F) - 8;
            const double fx = static_cast<double>(x) / w, fy = static_cast<double>(y) / h;
            const double sky = 0.5 + 0.5 * std::sin(6.0 * fx + seed + 3.0 * fy);
            const bool hill = fy > 0.6 + 0.1 * std::sin(9.0 * fx + seed);
            int r = hill ? static_cast<int>(60 + 80 * fx) : static_cast<int>(90 + 120 * sky);
            int g = hill ? static_cast<int>(110 + 60 * fy) : static_cast<int>(140 + 90 * sky);
            int b = hill ? static_cast<int>(40 + 30 * sky) : static_cast<int>(200 + 50 * fy);
            r += noise; g += noise; b += noise;
            *p++ = static_cast<unsigned char>(r < 0 ? 0 : r > 255 ? 255 : r);
            *p++ = static_cast<unsigned char>(g < 0 ? 0 : g > 255 ? 255 : g);
            *p++ = static_cast<unsigned char>(b < 0 ? 0 : b > 255 ? 255 : b);
        }
    return img;
}

bool WriteImage(const wxImage& img, const wxString& path, wxBitmapType type)
{
    return img.SaveFile(path, type);
}

bool WriteAnimatedGif(const wxString& path, const wxImage* frames, int count)
{
    wxImageArray images;
    // The toolkit's animation writer wants frames of one size that carry a palette.
    for (int i = 0; i < count; ++i) {
        wxImage quantised;
        wxPalette* palette = nullptr;
        if (!wxQuantize::Quantize(frames[i], quantised, &palette, 256, nullptr,
                                  wxQUANTIZE_FILL_DESTINATION_IMAGE))
            return false;
        quantised.SetPalette(*palette);
        delete palette;
        images.Add(quantised);
    }
    wxFileOutputStream out(path);
    if (!out.IsOk())
        return false;
    wxGIFHandler handler;
    return handler.SaveAnimation(images, &out, false, 10) && out.Close();
}

bool SamePixels(const wxImage& a, const wxImage& b)
{
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize())
        return false;
    return std::memcmp(a.GetData(), b.GetData(), static_cast<size_t>(a.GetWidth()) * a.GetHeight() * 3) == 0;
}

PictureRef PictureOf(const wxImage& image)
{
    static const std::shared_ptr<PictureStore> store = PictureStore::Create();
    return Picture::FromImage(store, image);
}
