// The rectangle an optimised frame writes and the image that fills it, on plain pixels.
#include <gtest/gtest.h>

#include "core/gif/frame_difference.h"

namespace {

struct Picture {
    int width, height;
    std::vector<uint8_t> rgb;
    Picture(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 7) {}
    void Set(int x, int y, uint8_t v)
    {
        uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        p[0] = p[1] = p[2] = v;
    }
};

void ExpectRect(const GifRect& r, int x, int y, int w, int h)
{
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, w);
    EXPECT_EQ(r.height, h);
}

} // namespace

TEST(ChangedRect, EqualPicturesGiveNothingAndEachChangeIsBoundedExactly)
{
    const Picture before(9, 6);
    EXPECT_TRUE(ChangedRect(before.rgb.data(), before.rgb.data(), 9, 6).Empty());

    struct Case { int x, y; } corners[] = {{0, 0}, {8, 0}, {0, 5}, {8, 5}, {4, 0}, {0, 3}, {8, 2}, {3, 5}};
    for (const Case& c : corners) {
        Picture after = before;
        after.Set(c.x, c.y, 200);
        ExpectRect(ChangedRect(before.rgb.data(), after.rgb.data(), 9, 6), c.x, c.y, 1, 1);
    }

    Picture two = before;
    two.Set(2, 4, 1);
    two.Set(6, 1, 1);
    ExpectRect(ChangedRect(before.rgb.data(), two.rgb.data(), 9, 6), 2, 1, 5, 4);

    // A change in one channel only counts.
    Picture blue = before;
    blue.rgb[(3 * 9 + 5) * 3 + 2] = 8;
    ExpectRect(ChangedRect(before.rgb.data(), blue.rgb.data(), 9, 6), 5, 3, 1, 1);

    Picture all(9, 6);
    std::fill(all.rgb.begin(), all.rgb.end(), 0);
    ExpectRect(ChangedRect(before.rgb.data(), all.rgb.data(), 9, 6), 0, 0, 9, 6);
}

TEST(MakePatch, CarriesOnlyTheColoursItDrawsAndClearsStillPixels)
{
    // A 4x1 frame over a 4-entry palette: indices 3 2 3 1, of which pixels 1 and 2 change.
    const GifRgb palette[4] = {{0, 0, 0}, {10, 10, 10}, {20, 20, 20}, {30, 30, 30}};
    const uint8_t indices[4] = {3, 2, 3, 1};
    const uint8_t after[12] = {30, 30, 30, 20, 20, 20, 30, 30, 30, 10, 10, 10};
    uint8_t before[12];
    std::copy(after, after + 12, before);
    before[3] = before[6] = 99;
    const GifRect rect{0, 0, 4, 1};

    const FramePatch opaque = MakePatch(indices, palette, before, after, 4, rect, false);
    EXPECT_EQ(opaque.transparentIndex, -1);
    ASSERT_EQ(opaque.colours.size(), 3u);  // 1, 2, 3 in palette order
    EXPECT_EQ(opaque.colours[0].red, 10);
    EXPECT_EQ(opaque.colours[2].red, 30);
    EXPECT_EQ(opaque.indices, (std::vector<uint8_t>{2, 1, 2, 0}));

    const FramePatch clear = MakePatch(indices, palette, before, after, 4, rect, true);
    ASSERT_EQ(clear.colours.size(), 3u);  // 2 and 3 drawn, then the transparent entry
    EXPECT_EQ(clear.transparentIndex, 2);
    EXPECT_EQ(clear.colours[0].red, 20);
    EXPECT_EQ(clear.indices, (std::vector<uint8_t>{2, 0, 1, 2}));

    // Nothing still inside the rectangle: transparency would only lengthen the table.
    const FramePatch inner = MakePatch(indices, palette, before, after, 4, GifRect{1, 0, 2, 1}, true);
    EXPECT_EQ(inner.transparentIndex, -1);
    EXPECT_EQ(inner.indices, (std::vector<uint8_t>{0, 1}));
}

TEST(MakePatch, AFullTableOfChangedColoursStaysOpaqueAndAStillPixelCanBeAllTransparent)
{
    const int n = 257;
    std::vector<GifRgb> palette(256);
    std::vector<uint8_t> indices(n), after(3 * n), before(3 * n);
    for (int i = 0; i < n; ++i) {
        const int k = i % 256;
        palette[k] = GifRgb{static_cast<uint8_t>(k), 0, 0};
        indices[i] = static_cast<uint8_t>(k);
        after[3 * i] = static_cast<uint8_t>(k);
        before[3 * i] = static_cast<uint8_t>(k + 1);
    }
    before[3 * 256] = after[3 * 256];  // the last pixel is still, the other 256 changed
    const FramePatch full = MakePatch(indices.data(), palette.data(), before.data(), after.data(), n,
                                      GifRect{0, 0, n, 1}, true);
    EXPECT_EQ(full.transparentIndex, -1);
    EXPECT_EQ(full.colours.size(), 256u);

    const FramePatch still = MakePatch(indices.data(), palette.data(), before.data(), after.data(), n,
                                       GifRect{256, 0, 1, 1}, true);
    EXPECT_EQ(still.colours.size(), 1u);
    EXPECT_EQ(still.transparentIndex, 0);
    EXPECT_EQ(still.indices, (std::vector<uint8_t>{0}));
}
