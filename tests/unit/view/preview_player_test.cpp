#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/document/animation_document.h"
#include "core/view/preview_player.h"
#include "support/test_images.h"

namespace {
// One frame per letter: 'x' has a picture, '-' is the placeholder of a missing file. delays
// holds the frames' own delays (kCommonDelay: the common one), one per frame or none.
std::unique_ptr<AnimationDocument> Animation(const std::string& pictures, int loopCount,
                                             const std::vector<int>& delays = {})
{
    auto document = std::make_unique<AnimationDocument>();
    FrameList frames;
    for (size_t i = 0; i < pictures.size(); ++i) {
        PictureRef image = pictures[i] == 'x' ? PictureOf(wxImage(2, 2)) : nullptr;
        frames.push_back(MakeFrame(image, "f.png", delays.empty() ? kCommonDelay : delays[i]));
    }
    document->Insert(0, frames);
    DocumentSettings settings = document->Settings();
    settings.loopCount = loopCount;
    document->SetSettings(settings);
    return document;
}

// The frames the ticks show until the play ends (at most limit ticks).
std::vector<int> PlayToTheEnd(PreviewPlayer& player, const AnimationDocument& document,
                              int limit = 100)
{
    std::vector<int> shown;
    while (player.Playing() && limit-- > 0) {
        const PreviewTick tick = player.Tick(document);
        if (tick.shown >= 0)
            shown.push_back(tick.shown);
    }
    return shown;
}
}

TEST(PreviewPlayer, SkipsFramesWithoutAPictureSoALoopEndsWithTheLastThatHasOne)
{
    const struct {
        const char* pictures;
        bool starts;
        std::vector<int> shown;  // over two loops
    } cases[] = {
        {"xxx", true, {0, 1, 2, 0, 1, 2}},
        {"-xx", true, {1, 2, 1, 2}},
        {"xx-", true, {0, 1, 0, 1}},
        {"-x-", true, {1, 1}},
        {"---", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pictures);
        const auto document = Animation(c.pictures, 2);
        PreviewPlayer player;
        EXPECT_EQ(player.Start(*document).has_value(), c.starts);
        EXPECT_EQ(player.Playing(), c.starts);
        EXPECT_EQ(PlayToTheEnd(player, *document), c.shown);
        EXPECT_FALSE(player.Playing());
        EXPECT_EQ(player.LoopsPlayed(), 0);
    }
}

// After the loop count the play ends with the last frame on show. Stopping by hand keeps
// the loops played, so the next run ends that many loops earlier; a change of the loop
// setting counts them from none again.
TEST(PreviewPlayer, CountsLoopsAndEndsAfterTheLoopCount)
{
    const auto document = Animation("xx", 3);
    PreviewPlayer player;
    ASSERT_TRUE(player.Start(*document));
    std::vector<int> loops;
    PreviewTick tick;
    do {
        tick = player.Tick(*document);
        loops.push_back(player.LoopsPlayed());
    } while (tick.playing && loops.size() < 100);
    EXPECT_EQ(loops, (std::vector<int>{0, 1, 1, 2, 2, 0}));
    EXPECT_EQ(tick.shown, 1);
    EXPECT_EQ(player.Tick(*document).shown, -1) << "an ended play shows nothing more";

    player.Start(*document);
    for (int i = 0; i < 3; ++i)
        player.Tick(*document);
    player.Stop();
    EXPECT_EQ(player.LoopsPlayed(), 1);
    player.Start(*document);
    EXPECT_EQ(PlayToTheEnd(player, *document), (std::vector<int>{0, 1, 0, 1}));

    player.Start(*document);
    player.Tick(*document);
    player.Tick(*document);
    player.ResetLoops();
    EXPECT_EQ(PlayToTheEnd(player, *document).size(), 6u);
}

TEST(PreviewPlayer, ALoopCountOfNoneNeverEnds)
{
    const auto document = Animation("x-x", 0);
    PreviewPlayer player;
    ASSERT_TRUE(player.Start(*document));
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(player.Tick(*document).playing) << "tick " << i;
    EXPECT_EQ(player.LoopsPlayed(), 500);
}

// Each frame stays for its own delay, the wait before the first tick included; delays under
// 2 hundredths play as 10.
TEST(PreviewPlayer, EachFrameIsShownForItsPlayedDelay)
{
    const auto document = Animation("-xxxxx", 0, {50, 0, 1, 2, 25, kCommonDelay});
    DocumentSettings settings = document->Settings();
    settings.delay = 7;
    document->SetSettings(settings);
    PreviewPlayer player;
    EXPECT_EQ(player.Start(*document), 10) << "the first frame with a picture, frame 1";
    std::vector<int> waits;
    for (int i = 0; i < 5; ++i)
        waits.push_back(player.Tick(*document).wait);
    EXPECT_EQ(waits, (std::vector<int>{10, 10, 2, 25, 7}));
}
