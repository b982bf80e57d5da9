#include "core/colour/palette.h"

#include <memory>
#include <vector>

#include <wx/imagbmp.h>
#include <wx/mstream.h>
#include <wx/palette.h>
#include <wx/quantize.h>

#include "core/colour/palette_lookup.h"
#include "core/colour/palette_quant.h"

namespace {

// The three ramp tables: entry i of each holds i, so together they are 256 greys. Built once,
// on first use (thread-safe static initialisation), never changed.
struct RampTables {
    unsigned char red[256];
    unsigned char green[256];
    unsigned char blue[256];
    RampTables()
    {
        for (int i = 0; i < 256; ++i)
            red[i] = green[i] = blue[i] = static_cast<unsigned char>(i);
    }
};

const RampTables& Ramps()
{
    static const RampTables tables;
    return tables;
}

// The BMP codec asks the quantiser for 236 colours when it writes an 8-bit file (it caps the
// request below 256), fills the destination image and takes a 256-entry palette whose tail is
// black. The direct path must ask for exactly this to give the same result.
constexpr int kCodecColours = 236;

} // namespace

wxImage ReduceToPalette(wxImage& source)
{
    if (!source.IsOk())
        return wxImage();
    const RampTables& ramps = Ramps();
    source.SetPalette(wxPalette(256, ramps.red, ramps.green, ramps.blue));
    source.SetOption(wxIMAGE_OPTION_BMP_FORMAT, wxBMP_8BPP);

    auto out = std::make_unique<wxMemoryOutputStream>();
    source.SaveFile(*out, wxBITMAP_TYPE_BMP);
    auto in = std::make_unique<wxMemoryInputStream>(*out);
    wxImage result(*in, wxBITMAP_TYPE_BMP, -1);
    if (!result.IsOk() || !result.HasPalette())
        return wxImage();
    ClearUnusedPaletteEntries(result);
    return result;
}

wxImage ReduceToPaletteDirect(const wxImage& source)
{
    if (!source.IsOk())
        return wxImage();
    wxImage result;
    wxPalette* palette = nullptr;
    if (!wxQuantize::Quantize(source, result, &palette, kCodecColours, nullptr,
                              wxQUANTIZE_FILL_DESTINATION_IMAGE)) {
        delete palette;
        return wxImage();
    }
    std::unique_ptr<wxPalette> owner(palette);
    if (!result.IsOk() || !owner)
        return wxImage();
    result.SetPalette(*owner);
    ClearUnusedPaletteEntries(result);
    return result;
}

wxImage ReduceWith(PaletteReducer reducer, wxImage& source, const QuantSettings& quant)
{
    switch (reducer) {
    case PaletteReducer::BmpPass:
        return ReduceToPalette(source);
    case PaletteReducer::Direct:
        return ReduceToPaletteDirect(source);
    case PaletteReducer::Quant:
        break;
    }
    return ReduceToPaletteQuant(source, quant);
}

bool ClearUnusedPaletteEntries(wxImage& image)
{
    if (!image.HasPalette())
        return false;
    const wxPalette& palette = image.GetPalette();
    const int count = palette.GetColoursCount();
    if (count <= 0)
        return true;
    std::vector<unsigned char> red(count), green(count), blue(count);
    std::vector<GifRgb> table(count);
    for (int i = 0; i < count; ++i) {
        palette.GetRGB(i, &red[i], &green[i], &blue[i]);
        table[i] = {red[i], green[i], blue[i]};
    }

    const PaletteLookup lookup(table.data(), count);
    std::vector<bool> used(count, false);
    const unsigned char* p = image.GetData();
    const long pixels = static_cast<long>(image.GetWidth()) * image.GetHeight();
    uint32_t last = 0xFFFFFFFFu;
    for (long i = 0; i < pixels; ++i, p += 3) {
        const uint32_t rgb = (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        if (rgb == last)
            continue;
        last = rgb;
        const int index = lookup.Find(p[0], p[1], p[2]);
        if (index >= 0)
            used[index] = true;
    }

    bool changed = false;
    for (int i = 0; i < count; ++i)
        if (!used[i] && (red[i] | green[i] | blue[i])) {
            red[i] = green[i] = blue[i] = 0;
            changed = true;
        }
    if (changed)
        image.SetPalette(wxPalette(count, red.data(), green.data(), blue.data()));
    return true;
}

bool ExtractGifPalette(const wxImage& image, GifPaletteTable& table, int& count,
                       int& transparentIndex)
{
    if (!image.HasPalette())
        return false;
    const wxPalette& palette = image.GetPalette();
    int n = palette.GetColoursCount();
    if (n > 256)
        n = 256;
    if (n < 0)
        n = 0;
    int copied = 0;
    for (; copied < n; ++copied) {
        GifRgb& e = table[copied];
        if (!palette.GetRGB(copied, &e.red, &e.green, &e.blue))
            break;
    }
    n = copied;

    int transparent = -1;
    if (image.HasMask()) {
        const GifRgb mask{image.GetMaskRed(), image.GetMaskGreen(), image.GetMaskBlue()};
        for (int i = 0; i < n; ++i)
            if (table[i].red == mask.red && table[i].green == mask.green &&
                table[i].blue == mask.blue) {
                transparent = i;
                break;
            }
        if (transparent < 0 && n < 256) {
            table[n] = mask;
            transparent = n++;
        }
    }
    count = n;
    transparentIndex = transparent;
    return true;
}
