#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>

#include "core/settings/paths.h"
#include "core/settings/settings_store.h"
#include "support/temp_dir.h"

TEST(SettingsStore, ChoicesSurviveANewSessionAndMissingKeysGiveTheDefault)
{
    TempDir dir;
    const wxString path = dir.File("settings.ini");
    {
        SettingsStore store(path);
        EXPECT_TRUE(store.ReadBool("Save/Optimise", true));
        EXPECT_TRUE(store.Write("Save/Optimise", false));
        EXPECT_TRUE(store.Write("Save/Quality", 70L));
        // Written at once, not only when the session ends.
        EXPECT_TRUE(wxFileExists(path));
    }
    SettingsStore again(path);
    EXPECT_FALSE(again.ReadBool("Save/Optimise", true));
    EXPECT_EQ(again.ReadLong("Save/Quality", 100), 70);
    EXPECT_EQ(again.ReadLong("Save/Other", 5), 5);
}

TEST(SettingsStore, DamagedFileGivesDefaultsAndAFailedWriteIsReported)
{
    TempDir dir;
    const wxString path = dir.File("settings.ini");
    wxFFile(path, "wb").Write(std::string("\xff\xfe[[[=\n=x\n\0\0", 12).data(), 12);
    SettingsStore damaged(path);
    EXPECT_EQ(damaged.ReadLong("Save/Quality", 100), 100);

    // A folder in the file's place refuses the rename of the written copy, root or not.
    ASSERT_TRUE(wxMkdir(dir.File("blocked.ini")));
    SettingsStore blocked(dir.File("blocked.ini"));
    EXPECT_FALSE(blocked.Write("Save/Quality", 40L));
    // The choice still holds for the session.
    EXPECT_EQ(blocked.ReadLong("Save/Quality", 100), 40);
}

TEST(SettingsStore, LivesBesideTheLanguageFile)
{
    EXPECT_EQ(GetSettingsFilePath(), GetConfigDir() + "/settings.ini");
    EXPECT_EQ(wxPathOnly(GetSettingsFilePath()), wxPathOnly(GetLanguageFilePath()));
}
