// Names whose bytes are no valid text reach the system unchanged, and a project file never
// stores one it couldn't give back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include <dirent.h>
#include <unistd.h>

#include "core/files/atomic_file.h"
#include "core/base/file_name_encoding.h"
#include "core/project/project_file.h"
#include "support/temp_dir.h"

namespace {
// The entries of dir as the system names them.
std::set<std::string> RawEntries(const wxString& dir)
{
    std::set<std::string> names;
    if (DIR* d = ::opendir(FileNameBytes(dir).c_str())) {
        while (const dirent* e = ::readdir(d))
            if (std::string(e->d_name) != "." && std::string(e->d_name) != "..")
                names.insert(e->d_name);
        ::closedir(d);
    }
    return names;
}

std::string RawContents(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

const std::string kLatinE = "out_\xe9.bin";        // é in Latin-1: no valid UTF-8
const std::string kUtf8E = "out_\xc3\xa9.bin";     // é in UTF-8
}

TEST(FileNameEncoding, ChosenFromTheVariableThenTheLocaleWithAsciiTakenAsUtf8)
{
    const struct {
        const char* variable;
        const char* charset;
        const char* encoding;
    } cases[] = {
        {"", "UTF-8", "UTF-8"},
        {"", "ANSI_X3.4-1968", "UTF-8"},
        {"", "", "UTF-8"},
        {"", "ISO-8859-1", "ISO-8859-1"},
        {"@locale", "iso-8859-15", "ISO-8859-15"},
        {"@locale,UTF-8", "EUC-JP", "EUC-JP"},
        {"ISO-8859-2,UTF-8", "UTF-8", "ISO-8859-2"},
        {"utf8", "ISO-8859-1", "UTF8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileNameEncodingFor(c.variable, c.charset), c.encoding)
            << c.variable << " / " << c.charset;
}

TEST(AtomicFile, NameThatIsNoUtf8IsWrittenUnderExactlyItsBytes)
{
    for (AtomicTempFile kind : {AtomicTempFile::Unnamed, AtomicTempFile::Named}) {
        TempDir dir;
        const wxString target = dir.File(FileNameFromBytes(kLatinE));
        for (const char* text : {"old", "new"}) {  // a new file, then a replacement
            AtomicFileWriter writer(target, kind);
            ASSERT_TRUE(writer.Open()) << writer.Error();
            writer.Stream().Write(text, 3);
            ASSERT_TRUE(writer.Commit()) << writer.Error();
        }
        EXPECT_EQ(RawEntries(dir.Path()), std::set<std::string>{kLatinE});
        EXPECT_EQ(RawContents(FileNameBytes(dir.Path()) + "/" + kLatinE), "new");
    }
}

TEST(AtomicFile, LinkWhoseTextIsNoUtf8IsFollowedToExactlyThatFile)
{
    TempDir dir;
    const std::string folder = FileNameBytes(dir.Path());
    ASSERT_EQ(::symlink(kLatinE.c_str(), (folder + "/link").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(dir.File("link"), "new", 3, nullptr));
    EXPECT_EQ(RawEntries(dir.Path()), (std::set<std::string>{kLatinE, "link"}));
    EXPECT_EQ(RawContents(folder + "/" + kLatinE), "new");
}

TEST(ProjectFile, NameThatIsNoValidTextIsNeverWritten)
{
    EXPECT_FALSE(XmlCanHold(FileNameFromBytes("/p/" + kLatinE)));
    EXPECT_FALSE(XmlCanHold(wxString("/p/") + wxUniChar(0xD800) + ".png"));
    EXPECT_TRUE(XmlCanHold(FileNameFromBytes("/p/" + kUtf8E)));
    EXPECT_TRUE(XmlCanHold(wxString("/p/") + wxUniChar(0x10FFFD) + ".png"));

    TempDir dir;
    ProjectData data;
    data.frames.Add(dir.File(FileNameFromBytes(kLatinE)));
    wxString error;
    EXPECT_FALSE(WriteProjectFile(dir.File("p.xml"), data, &error));
    EXPECT_TRUE(RawEntries(dir.Path()).empty());
    data.frames.Clear();
    data.frames.Add("/p/a.png");
    data.gifName = FileNameFromBytes(kLatinE);
    EXPECT_FALSE(WriteProjectFile(dir.File("p.xml"), data, &error));
}
