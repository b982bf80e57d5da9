// A screen source that also makes the strip's small copy of each picture it gives, on the
// recorder's thread while the pixels are at hand, so that the frames of a long recording
// reach the strip at Stop without a single picture decoded again.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include <wx/image.h>

#include "core/record/screen_source.h"

using SmallPicture = std::shared_ptr<const wxImage>;

// The small copies of the pictures taken: one a grab, the same one again for a grab equal to
// the one before, with the moment of the grab (microseconds on any steady clock).
class SmallCopies {
public:
    void Add(SmallPicture small, int64_t moment);
    // The small copies of a recording's count pictures, in order, as the recorder keeps them:
    // merged, a run of equal grabs is one picture; a picture taken less than minDelay
    // hundredths after the one kept before it is left out when that makes the count. Empty
    // when the grabs don't add up to them, and the strip makes its own.
    std::vector<SmallPicture> For(size_t count, bool merged, int minDelay) const;

private:
    struct Grab {
        SmallPicture small;
        int64_t moment;
    };
    mutable std::mutex m_mutex;
    std::vector<Grab> m_grabs;
};

class SmallCopySource : public ScreenSource {
public:
    // Small copies fit a square of side pixels and go to copies.
    SmallCopySource(std::unique_ptr<ScreenSource> source, int side,
                    std::shared_ptr<SmallCopies> copies);

    int Width() const override { return m_source->Width(); }
    int Height() const override { return m_source->Height(); }
    bool Grab(const CaptureRect& region, bool pointer, std::vector<uint8_t>& rgb,
              std::string& error) override;

private:
    std::unique_ptr<ScreenSource> m_source;
    int m_side;
    std::shared_ptr<SmallCopies> m_copies;
    // The last grab's pixels and small copy, to know an equal grab without averaging it.
    std::vector<uint8_t> m_last;
    SmallPicture m_lastSmall;
};
