// How much consecutive pictures differ: the share of differing pixels, what can never repeat,
// and the pass over a list that skips decoding where the compressed bytes already tell.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <vector>

#include "core/picture/picture_differences.h"
#include "core/picture/picture_store.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {
// A 10 x 10 picture, changed by change.
wxImage Changed(const std::function<void(wxImage&)>& change)
{
    wxImage image = PhotoLikeImage(10, 10, 3);
    change(image);
    return image;
}

void Nothing(wxImage&) {}
void OnePixel(wxImage& image) { image.SetRGB(4, 7, 1, 2, 3); }
void TwelvePixels(wxImage& image) { image.SetRGB(wxRect(0, 0, 4, 3), 9, 9, 9); }
void Alpha(wxImage& image) { image.InitAlpha(); }
void OneAlpha(wxImage& image)
{
    image.InitAlpha();
    image.GetAlpha()[55] = 7;
}
void Mask(wxImage& image) { image.SetMaskColour(1, 2, 3); }
}  // namespace

TEST(PictureDifferences, ShareCountsDifferingPixelsAndSomePairsNeverRepeat)
{
    const struct {
        const char* name;
        std::function<void(wxImage&)> first, second;
        double limit, share;
    } cases[] = {
        {"same pixels", Nothing, Nothing, 1, 0},
        {"one pixel of 100", Nothing, OnePixel, 1, 0.01},
        {"twelve pixels", Nothing, TwelvePixels, 1, 0.12},
        {"one alpha value", Alpha, OneAlpha, 1, 0.01},
        {"alpha and none", Nothing, Alpha, 1, kNotAlike},
        {"a mask and none", Nothing, Mask, 1, kNotAlike},
    };
    for (const auto& c : cases) {
        const wxImage a = Changed(c.first), b = Changed(c.second);
        EXPECT_DOUBLE_EQ(DifferingShare(ViewOf(a), ViewOf(b), c.limit), c.share) << c.name;
        EXPECT_DOUBLE_EQ(DifferingShare(ViewOf(b), ViewOf(a), c.limit), c.share) << c.name;
    }
    const wxImage small = PhotoLikeImage(10, 9, 3);
    EXPECT_EQ(DifferingShare(ViewOf(small), ViewOf(Changed(Nothing)), 1), kNotAlike);
    // Counting stops past the limit, still above it.
    const double stopped = DifferingShare(ViewOf(Changed(Nothing)), ViewOf(Changed(TwelvePixels)), 0);
    EXPECT_GT(stopped, 0);
    EXPECT_LE(stopped, 0.12);
}

TEST(PictureDifferences, PassOverAListGivesEachPairsShareOnBothThreads)
{
    TempDir dir;
    auto store = PictureStore::Create({1 << 20, dir.Path().ToStdString()});
    auto picture = [&](void (*change)(wxImage&)) {
        return Picture::FromImage(store, Changed(change));
    };
    const PictureRef base = picture(Nothing);
    // Pairs: the same object, equal pixels in another picture, one pixel, back, twelve, a
    // missing frame on either side, another size, and a tail that changes a pixel back and forth.
    std::vector<PictureRef> pictures = {base,
                                        base,
                                        picture(Nothing),
                                        picture(OnePixel),
                                        picture(Nothing),
                                        picture(TwelvePixels),
                                        nullptr,
                                        base,
                                        Picture::FromImage(store, PhotoLikeImage(10, 9, 3))};
    const std::vector<double> head = {kNotAlike, 0, 0, 0.01, 0.01, 0.12, kNotAlike, kNotAlike,
                                      kNotAlike};
    std::vector<double> expected = head;
    for (int i = 0; i < 9; ++i) {
        pictures.push_back(picture(i % 2 ? OnePixel : Nothing));
        expected.push_back(i == 0 ? kNotAlike : 0.01);
    }
    std::atomic<bool> stop{false};
    std::atomic<int> done{0};
    const std::vector<double> shares = ConsecutiveDifferences(pictures, 1, stop, &done);
    ASSERT_EQ(shares.size(), expected.size());
    for (size_t i = 0; i < shares.size(); ++i)
        EXPECT_DOUBLE_EQ(shares[i], expected[i]) << "pair " << i;
    EXPECT_EQ(done, static_cast<int>(pictures.size()) - 1);

    // Only whether any pixel differs: the same pairs are 0, the others above it.
    const std::vector<double> any = ConsecutiveDifferences(pictures, 0, stop);
    ASSERT_EQ(any.size(), expected.size());
    for (size_t i = 0; i < any.size(); ++i) {
        EXPECT_EQ(any[i] == 0, expected[i] == 0) << "pair " << i;
        EXPECT_EQ(any[i] == kNotAlike, expected[i] == kNotAlike) << "pair " << i;
    }

    stop = true;
    EXPECT_TRUE(ConsecutiveDifferences(pictures, 1, stop).empty()) << "a stopped pass gives none";
}
