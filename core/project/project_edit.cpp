#include "core/project/project_edit.h"

#include <wx/xml/xml.h>

#include "core/picture/picture_limit.h"

namespace {

std::string Attribute(const wxXmlNode& node, const char* name)
{
    wxString value;
    return node.GetAttribute(name, &value) ? std::string(value.utf8_str()) : std::string();
}

std::optional<wxSize> ReadSize(const std::string& text)
{
    // A size is a geometry without a position.
    const std::optional<PixelRect> rect = ParseGeometry(text + "+0+0");
    if (!rect)
        return std::nullopt;
    return wxSize(rect->width, rect->height);
}

} // namespace

void WriteEditAttributes(const CanvasEdit& edit, wxXmlNode& gif)
{
    if (edit.fit != FitMode::Shrink)
        gif.AddAttribute("fit", FitModeName(edit.fit));
    if (edit.background != Background())
        gif.AddAttribute("background", BackgroundText(edit.background));
    if (edit.orientation.mirrored)
        gif.AddAttribute("flip", "h");
    if (edit.orientation.quarterTurns != 0)
        gif.AddAttribute("rotate", wxString::Format("%d", 90 * edit.orientation.quarterTurns));
    if (edit.Cropped()) {
        gif.AddAttribute("crop", FormatGeometry(edit.crop));
        gif.AddAttribute("crop_of",
                         wxString::Format("%dx%d", edit.cropBase.x, edit.cropBase.y));
    }
}

CanvasEdit ReadEditAttributes(const wxXmlNode& gif)
{
    CanvasEdit edit;
    if (const std::optional<FitMode> fit = FitModeNamed(Attribute(gif, "fit")))
        edit.fit = *fit;
    if (const std::optional<Background> background = ReadBackground(Attribute(gif, "background")))
        edit.background = *background;
    const std::string rotate = Attribute(gif, "rotate");
    const int turns = rotate == "90" ? 1 : rotate == "180" ? 2 : rotate == "270" ? 3 : 0;
    const std::string flip = Attribute(gif, "flip");
    // Top to bottom is left to right and a half turn.
    edit.orientation.mirrored = flip == "h" || flip == "v";
    edit.orientation.quarterTurns = (turns + (flip == "v" ? 2 : 0)) % 4;
    const std::optional<PixelRect> crop = ParseGeometry(Attribute(gif, "crop"));
    const std::optional<wxSize> base = ReadSize(Attribute(gif, "crop_of"));
    // The crop was made on a canvas no larger than a picture may be: a larger one is no crop
    // of ours, and would make pictures too large to hold.
    if (crop && base && base->x <= kMaxPictureSide && base->y <= kMaxPictureSide &&
        FitRegion(*crop, base->x, base->y) == RegionFit::Inside) {
        edit.crop = *crop;
        edit.cropBase = *base;
    }
    return edit;
}
