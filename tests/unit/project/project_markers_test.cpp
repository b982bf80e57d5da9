// Run markers as each version wrote them: every frame comes back, no marker loads, and the
// rule found writes the file again unchanged.
#include <gtest/gtest.h>

#include "core/project/project_file.h"
#include "core/project/project_markers.h"

namespace {
wxArrayString List(std::initializer_list<const char*> items)
{
    wxArrayString out;
    for (const char* s : items)
        out.Add(s);
    return out;
}

wxArrayString FramesOf(const wxArrayString& entries, const ProjectFrameEntries& found)
{
    wxArrayString frames;
    for (size_t k : found.frames)
        frames.Add(entries[k]);
    return frames;
}
}

TEST(ProjectMarkers, EachVersionsMarkersAreFoundWhereAndAsItsRulePutsThem)
{
    using M = ProjectMarkers;
    const struct {
        const char* what;
        wxArrayString entries;
        wxArrayString frames;
        M rule;
        bool handMade = false;
    } cases[] = {
        {"run ending on frames 0-9", List({"/p/a.gif_0", "/p/a.gif_1", "/p/a.gif", "/p/x.png"}),
         List({"/p/a.gif_0", "/p/a.gif_1", "/p/x.png"}), M::GifPath},
        {"older, run ending on 10-99", List({"/p/a.gif_11", "/p/a.gif_12", "/p/a.gif_", "/p/x.png"}),
         List({"/p/a.gif_11", "/p/a.gif_12", "/p/x.png"}), M::Shortened},
        {"older, run ending on 100-999: no phantom frame 1",
         List({"/p/a.gif_122", "/p/a.gif_123", "/p/a.gif_1", "/p/x.png"}),
         List({"/p/a.gif_122", "/p/a.gif_123", "/p/x.png"}), M::Shortened},
        {"older, marker before the last frame of a run ending the list",
         List({"/p/x.png", "/p/a.gif_11", "/p/a.gif_", "/p/a.gif_12"}),
         List({"/p/x.png", "/p/a.gif_11", "/p/a.gif_12"}), M::Shortened},
        {"older, 1 after 123 is a marker when 200 follows",
         List({"/p/g.gif_123", "/p/g.gif_1", "/p/g.gif_200"}),
         List({"/p/g.gif_123", "/p/g.gif_200"}), M::Shortened},
        {"older, a folder holding .gif_ got a marker too",
         List({"/p/x.gif_old/a.png", "/p/x.gif_old/a.p", "/p/b.png"}),
         List({"/p/x.gif_old/a.png", "/p/b.png"}), M::Shortened},
        {"upper-case .GIF pictures are frames", List({"/p/a.png", "/p/X.GIF", "/p/b.png"}),
         List({"/p/a.png", "/p/X.GIF", "/p/b.png"}), M::GifPath},
        {"today's marker of an upper-case GIF",
         List({"/p/X.GIF_0", "/p/X.GIF_1", "/p/X.GIF", "/p/y.png"}),
         List({"/p/X.GIF_0", "/p/X.GIF_1", "/p/y.png"}), M::GifPath},
        {"a GIF's path after its own run is a marker, then a frame",
         List({"/p/a.gif_0", "/p/a.gif", "/p/a.gif", "/p/a.gif_1"}),
         List({"/p/a.gif_0", "/p/a.gif", "/p/a.gif_1"}), M::GifPath},
        {"a GIF's path elsewhere is a frame", List({"/p/a.gif", "/p/x.png", "/p/a.gif"}),
         List({"/p/a.gif", "/p/x.png", "/p/a.gif"}), M::GifPath},
        {"a marker is never last", List({"/p/a.gif_0", "/p/a.gif"}),
         List({"/p/a.gif_0", "/p/a.gif"}), M::GifPath, true},
        {"a marker doesn't split a run", List({"/p/a.gif_3", "/p/a.gif", "/p/a.gif_4", "/p/a.gif_5"}),
         List({"/p/a.gif_3", "/p/a.gif", "/p/a.gif_4", "/p/a.gif_5"}), M::GifPath, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ProjectFrameEntries found = FindProjectFrames(c.entries);
        EXPECT_EQ(FramesOf(c.entries, found), c.frames);
        EXPECT_EQ(found.rule, c.rule);
        // Saved again, the frames read back the same; a list a writer made is written as it was.
        const wxArrayString again = ProjectPathEntries(c.frames, c.rule);
        EXPECT_EQ(FramesOf(again, FindProjectFrames(again)), c.frames);
        if (!c.handMade) {
            EXPECT_EQ(again, c.entries);
        }
    }
}

TEST(ProjectMarkers, WritersOfBothRulesAreReadBackFrameForFrame)
{
    const wxArrayString frames = List({"/p/a.gif_9", "/p/a.gif_10", "/p/a.gif_99", "/p/X.GIF",
                                       "/p/a.gif_100", "/p/a.gif_1000", "/p/b.gif_5", "/p/b.gif_6"});
    for (const ProjectMarkers rule : {ProjectMarkers::GifPath, ProjectMarkers::Shortened}) {
        const wxArrayString entries = ProjectPathEntries(frames, rule);
        const ProjectFrameEntries found = FindProjectFrames(entries);
        EXPECT_EQ(FramesOf(entries, found), frames);
        EXPECT_EQ(ProjectPathEntries(FramesOf(entries, found), found.rule), entries);
    }
    EXPECT_EQ(ProjectPathEntries(List({"/p/a.gif_1234", "/p/x.png"}), ProjectMarkers::Shortened),
              List({"/p/a.gif_1234", "/p/a.gif_12", "/p/x.png"}));
}

TEST(ProjectMarkers, AGifsOwnPathLoadsAsOnePicture)
{
    EXPECT_EQ(ProjectLoadEntries(List({"/p/X.GIF", "/p/a.gif_3", "/p/a.gif", "/p/b.png"})),
              List({"/p/X.GIF_0", "/p/a.gif_3", "/p/a.gif_0", "/p/b.png"}));
}
