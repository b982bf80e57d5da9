// The choices a GIF save makes beyond the path: a smaller encoding, a quality, a size limit.
// The save dialog shows them, the settings remember them, and the window's save and its size
// estimate both read them, so what the status bar predicts is what the next save writes.
#pragma once

#include <cstdint>
#include <optional>

#include <wx/string.h>

#include "core/export/gif_export.h"

struct GifSaveOptions {
    bool optimize = false;
    int quality = kGifBestQuality;
    // "Keep under": whether the limit applies, and the limit itself, kept while switched off
    // so that the dialog offers it again.
    bool keepUnder = false;
    uint64_t limitBytes = 0;

    // The limit a save passes to ExportGifWithinSize: 0 for none.
    uint64_t MaxBytes() const { return keepUnder ? limitBytes : 0; }
    bool operator==(const GifSaveOptions& other) const;
    bool operator!=(const GifSaveOptions& other) const { return !(*this == other); }
};

// The dialog offers four named qualities rather than a number: the steps between two
// neighbouring numbers are too small to see, and a name says what to expect.
constexpr int kGifQualityLevelCount = 4;
// The quality of level 0 ("Best") .. 3 ("Low"): 100, 80, 60, 40.
int QualityOfLevel(int level);
// The level whose quality is nearest to quality (a remembered value from elsewhere).
int LevelOfQuality(int quality);

// Megabytes as the user types them: a decimal number above 0 (a point or a comma) up to
// kMaxLimitMegabytes; bytes counted in millions, as file managers show them. Nothing for
// anything else.
constexpr double kMaxLimitMegabytes = 100000;
std::optional<uint64_t> ParseMegabytes(const wxString& text);
// bytes as the limit field shows it: megabytes to the byte, without trailing zeros ("2.5",
// "0.004"); ParseMegabytes reads it back as the same bytes.
wxString MegabytesText(uint64_t bytes);
