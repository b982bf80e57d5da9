#include <gtest/gtest.h>

#include "core/settings/gif_save_setting.h"
#include "core/settings/settings_store.h"
#include "core/export/gif_save_options.h"
#include "support/temp_dir.h"
#include "core/base/file_length_text.h"

TEST(GifSaveOptions, QualityLevelsMapBothWaysAndStrayValuesFindTheNearestLevel)
{
    for (int level = 0; level < kGifQualityLevelCount; ++level)
        EXPECT_EQ(LevelOfQuality(QualityOfLevel(level)), level);
    EXPECT_EQ(QualityOfLevel(0), kGifBestQuality) << "the first choice is today's output";
    EXPECT_EQ(LevelOfQuality(95), 0);
    EXPECT_EQ(LevelOfQuality(65), 2);
    EXPECT_EQ(LevelOfQuality(1), kGifQualityLevelCount - 1);
    EXPECT_EQ(QualityOfLevel(-1), 100) << "no choice made reads as the best";
}

TEST(GifSaveOptions, MegabytesAreReadWithAPointOrACommaAndNothingElse)
{
    EXPECT_EQ(ParseMegabytes("2.5"), 2500000u);
    EXPECT_EQ(ParseMegabytes(" 2,5 "), 2500000u);
    EXPECT_EQ(ParseMegabytes("10"), 10000000u);
    EXPECT_EQ(ParseMegabytes(".5"), 500000u);
    EXPECT_EQ(ParseMegabytes("0.0000019"), 1u) << "digits past a byte are dropped";
    for (const char* bad : {"", " ", ".", "0", "0.0", "-1", "1e3", "inf", "0x10", "2.5.1", "2 MB",
                            "abc", "100001"})
        EXPECT_FALSE(ParseMegabytes(bad).has_value()) << bad;
    EXPECT_TRUE(ParseMegabytes("100000").has_value());
}

TEST(GifSaveOptions, LimitTextShowsTheStoredLimitToTheByteAndReadsBackAsIt)
{
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {2500000, "2.5"},      {3000000, "3"},           {1234567, "1.234567"},
        {4000, "0.004"},       {1, "0.000001"},          {999999, "0.999999"},
        {750000, "0.75"},      {99990000, "99.99"},      {100000000000ull, "100000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MegabytesText(c.bytes), c.text) << c.bytes;
        EXPECT_EQ(ParseMegabytes(MegabytesText(c.bytes)), c.bytes) << c.bytes;
    }
}

TEST(GifSaveOptions, FileLengthsReadInKilobytesThenMegabytes)
{
    EXPECT_EQ(FileLengthText(0), "1 kB");
    EXPECT_EQ(FileLengthText(849600), "850 kB");
    EXPECT_EQ(FileLengthText(2400000), "2.4 MB");
    EXPECT_EQ(FileLengthText(123456789), "123 MB");
    EXPECT_EQ(FileLengthText(999499999), "999 MB");
    EXPECT_EQ(FileLengthText(12800000000), "12.8 GB");
}

TEST(GifSaveOptions, OnlyAKeptLimitIsPassedToTheExport)
{
    GifSaveOptions options;
    options.limitBytes = 5000;
    EXPECT_EQ(options.MaxBytes(), 0u);
    options.keepUnder = true;
    EXPECT_EQ(options.MaxBytes(), 5000u);
}

TEST(GifSaveSetting, ChoicesSurviveANewSessionAndBadValuesGiveTheDefaults)
{
    TempDir dir;
    const wxString path = dir.File("settings.ini");
    {
        SettingsStore store(path);
        EXPECT_EQ(ReadGifSaveOptions(store), GifSaveOptions());
        GifSaveOptions chosen;
        chosen.optimize = true;
        chosen.quality = 60;
        chosen.keepUnder = false;
        chosen.limitBytes = 2500123;
        EXPECT_TRUE(WriteGifSaveOptions(store, chosen));
    }
    SettingsStore again(path);
    const GifSaveOptions read = ReadGifSaveOptions(again);
    EXPECT_TRUE(read.optimize);
    EXPECT_EQ(read.quality, 60);
    EXPECT_FALSE(read.keepUnder);
    EXPECT_EQ(read.limitBytes, 2500123u) << "a limit switched off is still offered, to the byte";

    again.Write("GifSave/Quality", 0L);
    again.Write("GifSave/KeepUnder", true);
    again.Write("GifSave/LimitBytes", -4L);
    const GifSaveOptions damaged = ReadGifSaveOptions(again);
    EXPECT_EQ(damaged.quality, kGifBestQuality);
    EXPECT_FALSE(damaged.keepUnder) << "no limit to keep under";
    EXPECT_EQ(damaged.MaxBytes(), 0u);
}
