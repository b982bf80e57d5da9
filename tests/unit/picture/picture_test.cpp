// A picture gives back exactly the pixels it was made from, its alpha and mask colour, in
// every form it is shown: as a copy and as a view over its decoded pixels.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/picture/picture.h"
#include "core/picture/picture_store.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {

struct Shape {
    const char* name;
    int width, height;
    bool alpha, mask;
};

wxImage ImageOf(const Shape& shape)
{
    wxImage image = PhotoLikeImage(shape.width, shape.height, shape.width + shape.height);
    if (shape.alpha) {
        image.InitAlpha();
        for (int i = 0; i < shape.width * shape.height; ++i)
            image.GetAlpha()[i] = static_cast<unsigned char>(i * 7 % 256);
    }
    if (shape.mask)
        image.SetMaskColour(1, 2, 3);
    return image;
}

bool SameImage(const wxImage& a, const wxImage& b)
{
    const size_t pixels = size_t(a.GetWidth()) * a.GetHeight();
    return SamePixels(a, b) && a.HasAlpha() == b.HasAlpha() &&
           (!a.HasAlpha() || std::memcmp(a.GetAlpha(), b.GetAlpha(), pixels) == 0) &&
           a.HasMask() == b.HasMask() &&
           (!a.HasMask() || (a.GetMaskRed() == b.GetMaskRed() &&
                             a.GetMaskGreen() == b.GetMaskGreen() &&
                             a.GetMaskBlue() == b.GetMaskBlue()));
}

} // namespace

TEST(Picture, EveryShapeComesBackExactlyAsViewAndAsCopy)
{
    const Shape shapes[] = {{"1x1", 1, 1, false, false},          {"1x1 alpha", 1, 1, true, false},
                            {"odd RGB", 37, 11, false, false},     {"odd RGBA", 31, 17, true, false},
                            {"masked", 20, 9, false, true},        {"16384 wide", 16384, 1, false, false},
                            {"16384 wide alpha", 16384, 1, true, false}, {"one column", 1, 300, true, false}};
    TempDir dir;
    auto store = PictureStore::Create({1 << 20, dir.Path().ToStdString()});
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.name);
        const wxImage image = ImageOf(shape);
        const PictureRef picture = Picture::FromImage(store, image);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->Width(), shape.width);
        EXPECT_EQ(picture->Height(), shape.height);
        EXPECT_EQ(picture->HasAlpha(), shape.alpha);
        const DecodedPictureRef decoded = picture->Decode();
        ASSERT_TRUE(decoded);
        EXPECT_TRUE(SameImage(image, picture->ToImage()));
        const wxImage view = decoded->View();
        EXPECT_TRUE(SameImage(image, view));
        EXPECT_EQ(view.GetData(), decoded->rgb.data()) << "the view copied the pixels";
    }
    EXPECT_FALSE(Picture::FromImage(store, wxImage()));
    EXPECT_FALSE(Picture::FromPlanes(store, 0, 5, std::vector<uint8_t>(3).data(), nullptr));
}
