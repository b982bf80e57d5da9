#include <gtest/gtest.h>

#include "core/input/frame_reference.h"

TEST(FrameReference, OneToThreeDigitsReadAsBefore)
{
    EXPECT_EQ(GetGifFrameIndex("/p/anim.gif_7"), 7);
    EXPECT_EQ(StripGifFrameSuffix("/p/anim.gif_7"), "/p/anim.gif");
    EXPECT_EQ(GetGifFrameIndex("/p/anim.gif_42"), 42);
    EXPECT_EQ(StripGifFrameSuffix("/p/anim.gif_42"), "/p/anim.gif");
    EXPECT_EQ(GetGifFrameIndex("/p/anim.gif_123"), 123);
    EXPECT_EQ(StripGifFrameSuffix("/p/anim.gif_123"), "/p/anim.gif");
    EXPECT_EQ(GetGifFrameIndex("anim.gif_0"), 0);
}

TEST(FrameReference, FrameNumbersPast999AreNotLost)
{
    EXPECT_EQ(GetGifFrameIndex("/p/anim.gif_1234"), 1234);
    EXPECT_EQ(StripGifFrameSuffix("/p/anim.gif_1234"), "/p/anim.gif");
    EXPECT_EQ(GetGifFrameIndex("/p/anim.gif_000012"), 12);
}

TEST(FrameReference, GifSuffixElsewhereInThePathIsAPlainPath)
{
    EXPECT_EQ(GetGifFrameIndex("/p/x.gif_old/a.png"), -1);
    EXPECT_EQ(StripGifFrameSuffix("/p/x.gif_old/a.png"), "/p/x.gif_old/a.png");
    EXPECT_EQ(GetGifFrameIndex("/p/x.gif_old/b.gif_3"), 3);
    EXPECT_EQ(StripGifFrameSuffix("/p/x.gif_old/b.gif_3"), "/p/x.gif_old/b.gif");
    EXPECT_EQ(GetGifFrameIndex("/p/a.gif_12x"), -1);
    EXPECT_EQ(GetGifFrameIndex("/p/a.gif_"), -1);
    EXPECT_EQ(StripGifFrameSuffix("/p/a.gif_"), "/p/a.gif_");
}

TEST(FrameReference, GifSuffixIsReadInAnyCase)
{
    EXPECT_EQ(GetGifFrameIndex("/p/ANIM.GIF_3"), 3);
    EXPECT_EQ(StripGifFrameSuffix("/p/ANIM.GIF_3"), "/p/ANIM.GIF");
    EXPECT_EQ(GetGifFrameIndex("/p/a.Gif_12"), 12);
    EXPECT_EQ(GetGifFrameIndex("/p/a.GIF_x"), -1);
}

TEST(FrameReference, NamesThatAreNotGifFramesStayWhole)
{
    EXPECT_EQ(GetGifFrameIndex("/p/anim.gif"), -1);
    EXPECT_EQ(GetGifFrameIndex(".gif_3"), -1);
    EXPECT_EQ(StripGifFrameSuffix(".gif_3"), ".gif_3");
    EXPECT_EQ(GetGifFrameIndex("/p/a.gif_99999999999"), -1);
    EXPECT_EQ(MakeFrameReferenceName("/p/a.gif", 12), "/p/a.gif_12");
}
