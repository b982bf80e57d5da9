// The frames folder beside a project: its names, the entries a project stores, and which files a
// save writes, keeps, copies and leaves.
#include <set>

#include <gtest/gtest.h>

#include "core/project/frame_file_plan.h"
#include "core/project/frame_folder.h"
#include "support/string_list.h"
#include "support/test_images.h"

TEST(FrameFolder, NamesEntriesAndResolution)
{
    EXPECT_EQ(FramesFolderOf("/w/demo.xml"), "/w/demo.frames");
    EXPECT_EQ(FramesFolderOf("/w/Demo.XML"), "/w/Demo.frames");
    EXPECT_EQ(FrameFileName(1), "0001.png");
    EXPECT_EQ(FrameFileName(12345), "12345.png");

    const struct {
        const char* name;
        bool ours;
    } names[] = {{"0001.png", true}, {"12345.png", true}, {"001.png", false},
                 {"0001.PNG", false}, {"a001.png", false}, {"0001.png.tmp", false}};
    for (const auto& c : names)
        EXPECT_EQ(IsFrameFileName(c.name), c.ours) << c.name;

    const struct {
        const char* path;
        const char* entry;
    } entries[] = {
        {"/w/demo.frames/0001.png", "demo.frames/0001.png"},
        {"/w/demo.frames/sub/0001.png", "/w/demo.frames/sub/0001.png"},
        {"/w/demo.frames/photo.png", "/w/demo.frames/photo.png"},
        {"/w/demo.framesX/0001.png", "/w/demo.framesX/0001.png"},
        {"/w/a.png", "/w/a.png"},
        {"", ""},
    };
    for (const auto& c : entries) {
        EXPECT_EQ(ProjectEntryFor(c.path, "/w/demo.xml"), c.entry) << c.path;
        EXPECT_EQ(ResolveProjectEntry(c.entry, "/w/demo.xml"), c.path) << c.entry;
    }
    // A project renamed without its folder still finds it; other relative names are kept.
    EXPECT_EQ(ResolveProjectEntry("demo.frames/0002.png", "/w/new.xml"), "/w/demo.frames/0002.png");
    for (const char* kept : {"a.png", "x/0001.png", "demo.frames/a.png", " ", ".frames/0001.png"})
        EXPECT_EQ(ResolveProjectEntry(kept, "/w/demo.xml"), kept);
}

namespace {
class FramePlan : public testing::Test {
protected:
    FramePtr Recorded(int seed) { return MakeFrame(PictureOf(GradientImage(8, 6, seed)), ""); }
    FrameFilePlan Plan(const FrameList& frames, const wxString& project,
                       const wxString& from = wxString())
    {
        return PlanFrameFiles(frames, project, from, record,
                              [this](const wxString& path) { return disk.count(path) > 0; });
    }
    // What a successful save leaves: the files on disk and in the record.
    void Saved(const FrameFilePlan& plan)
    {
        for (const FrameFileTask& task : plan.tasks)
            disk.insert(task.target);
        for (const auto& placed : plan.placed)
            record.Note(placed.first, placed.second);
    }

    FrameFileRecord record;
    std::set<wxString> disk;
};
}

TEST_F(FramePlan, AFrameWrittenOnceKeepsItsFileAndOnlyNewOnesAreWritten)
{
    const FramePtr a = Recorded(1), b = Recorded(2);
    // Duplicated frames share their picture: one file.
    const FramePtr again = WithDelay(a, 50);
    const FramePtr file = MakeFrame(PictureOf(GradientImage(8, 6, 3)), "/p/x.png");
    FrameFilePlan plan = Plan({a, file, b, again}, "/w/demo.xml");
    EXPECT_EQ(plan.entries, Strings({"demo.frames/0001.png", "/p/x.png",
                                           "demo.frames/0002.png", "demo.frames/0001.png"}));
    ASSERT_EQ(plan.tasks.size(), 2u);
    EXPECT_EQ(plan.tasks[0].picture, a->picture);
    EXPECT_EQ(plan.tasks[0].target, "/w/demo.frames/0001.png");
    Saved(plan);

    // An unused file of the folder (a deleted frame's) is not written over: the project on
    // disk still names it until the new one is in place.
    disk.insert("/w/demo.frames/0003.png");
    const FramePtr c = Recorded(4);
    plan = Plan({b, c, a}, "/w/demo.xml");
    ASSERT_EQ(plan.tasks.size(), 1u);
    EXPECT_EQ(plan.tasks[0].target, "/w/demo.frames/0004.png");
    EXPECT_EQ(plan.entries, Strings({"demo.frames/0002.png", "demo.frames/0004.png",
                                           "demo.frames/0001.png"}));
    EXPECT_EQ(plan.used, (std::set<wxString>{"0001.png", "0002.png", "0004.png"}));
    Saved(plan);

    // A file that went (deleted with its frame, which undo brought back) is written again.
    disk.erase("/w/demo.frames/0001.png");
    plan = Plan({a, b}, "/w/demo.xml");
    ASSERT_EQ(plan.tasks.size(), 1u);
    EXPECT_EQ(plan.tasks[0].picture, a->picture);
    EXPECT_EQ(plan.tasks[0].target, "/w/demo.frames/0001.png");
}

TEST_F(FramePlan, SaveAsCopiesTheFramesOfTheOldFolderAndWritesTheNewOnes)
{
    // A frame of an opened project (its file in the project's folder), one saved before by
    // this window, and one without a file.
    disk = {"/w/demo.frames/0007.png", "/w/demo.frames/0001.png"};
    const FramePtr opened = MakeFrame(PictureOf(GradientImage(8, 6, 1)), "/w/demo.frames/0007.png");
    const FramePtr saved = Recorded(2);
    record.Note(saved->picture, "/w/demo.frames/0001.png");
    const FramePtr fresh = Recorded(3);

    FrameFilePlan plan = Plan({opened, saved, fresh}, "/v/other.xml", "/w/demo.frames");
    ASSERT_EQ(plan.tasks.size(), 3u);
    EXPECT_EQ(plan.tasks[0].copyFrom, "/w/demo.frames/0007.png");
    EXPECT_FALSE(plan.tasks[0].picture) << "a copy, not a new encoding";
    EXPECT_EQ(plan.tasks[1].copyFrom, "/w/demo.frames/0001.png");
    EXPECT_TRUE(plan.tasks[2].copyFrom.empty());
    EXPECT_EQ(plan.entries, Strings({"other.frames/0001.png", "other.frames/0002.png",
                                           "other.frames/0003.png"}));
    Saved(plan);

    // Saved again under the new name, every frame is where the copy put it, the opened one too.
    plan = Plan({opened, saved, fresh}, "/v/other.xml", "/v/other.frames");
    EXPECT_TRUE(plan.tasks.empty());
    EXPECT_EQ(plan.entries[0], "other.frames/0001.png");

    // A frame the recovery copy has written already is copied from there.
    FrameFileRecord recovery;
    const FramePtr recorded = Recorded(4);
    recovery.Note(recorded->picture, "/state/recovery-1-1.frames/0009.png");
    disk.insert("/state/recovery-1-1.frames/0009.png");
    plan = PlanFrameFiles({recorded}, "/v/other.xml", wxString(), record,
                          [this](const wxString& path) { return disk.count(path) > 0; }, &recovery);
    ASSERT_EQ(plan.tasks.size(), 1u);
    EXPECT_EQ(plan.tasks[0].copyFrom, "/state/recovery-1-1.frames/0009.png");
    EXPECT_EQ(plan.entries, Strings({"other.frames/0004.png"}));
}
