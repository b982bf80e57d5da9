#include <gtest/gtest.h>

#include "core/settings/record_setting.h"
#include "core/settings/settings_store.h"
#include "support/temp_dir.h"

TEST(RecordSetting, ChoicesComeBackInANewSessionWithTokenAndRegionAsWritten)
{
    TempDir dir;
    const wxString path = dir.File("settings.ini");
    RecordSettings chosen;
    chosen.fps = 30;
    chosen.pointer = false;
    chosen.countdown = 0;
    chosen.limited = true;
    chosen.limitSeconds = 90;
    chosen.mergeUnchanged = false;
    chosen.region = CaptureRect{10, 20, 640, 480};
    // Tokens are the portal's own text: quotes, "$" and "=" must survive the file's syntax.
    chosen.portalToken = "a$HOME \"b\"=c\\d";
    {
        SettingsStore store(path);
        EXPECT_TRUE(WriteRecordSettings(store, chosen));
    }
    SettingsStore again(path);
    const RecordSettings read = ReadRecordSettings(again);
    EXPECT_EQ(read.fps, 30);
    EXPECT_FALSE(read.pointer);
    EXPECT_EQ(read.countdown, 0);
    EXPECT_TRUE(read.limited);
    EXPECT_EQ(read.limitSeconds, 90);
    EXPECT_FALSE(read.mergeUnchanged);
    EXPECT_EQ(read.region, chosen.region);
    EXPECT_EQ(read.portalToken, chosen.portalToken);
    const RecordOptions options = RecordOptionsOf(read);
    EXPECT_EQ(options.limitSeconds, 90);
    EXPECT_EQ(options.fps, 30);
}

TEST(RecordSetting, ValuesOutOfRangeReadAsTheDefaults)
{
    TempDir dir;
    SettingsStore store(dir.File("settings.ini"));
    const RecordSettings defaults;
    struct Case {
        const char* key;
        long value;
    };
    for (const Case& c : {Case{"Record/FramesPerSecond", 0}, Case{"Record/FramesPerSecond", 61},
                          Case{"Record/Countdown", -1}, Case{"Record/Countdown", 11},
                          Case{"Record/LimitSeconds", 0}, Case{"Record/LimitSeconds", 3601}}) {
        ASSERT_TRUE(store.Write(c.key, c.value));
        const RecordSettings read = ReadRecordSettings(store);
        EXPECT_EQ(read.fps, defaults.fps) << c.key << " " << c.value;
        EXPECT_EQ(read.countdown, defaults.countdown) << c.key << " " << c.value;
        EXPECT_EQ(read.limitSeconds, defaults.limitSeconds) << c.key << " " << c.value;
    }
    ASSERT_TRUE(store.WriteString("Record/Region", "640x0+0+0"));
    EXPECT_FALSE(ReadRecordSettings(store).region);
    // No limit chosen: the recorder gets none, whatever number is kept for the field.
    EXPECT_EQ(RecordOptionsOf(ReadRecordSettings(store)).limitSeconds, 0);
}
