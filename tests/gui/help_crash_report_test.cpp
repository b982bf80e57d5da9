// A crash in a child process: the application's fatal-signal hook writes the compressed
// report with its timestamp and tells the user which folder holds it.
#include <csignal>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>

#include <gtest/gtest.h>
#include <wx/datetime.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>

#include "app/crash_report.h"
#include "app/gif_app.h"
#include "support/temp_dir.h"

namespace {
// The child has nobody to answer a message box: what the user would be told goes to files
// in the temporary folder, where the parent looks for it.
class FilePresenter : public CrashReportPresenter {
public:
    void ShowMessage(const wxString& message) override { Write("message.txt", message); }
    void OpenFolder(const wxString& folder) override { Write("folder.txt", folder); }

private:
    static void Write(const char* name, const wxString& text)
    {
        wxFFile file(wxFileName::GetTempDir() + "/" + name, "w");
        file.Write(text, wxConvUTF8);
    }
};

// Runs in the child: the application object as start-up makes it (its constructor asks for
// fatal signals to be handled), then a fatal signal.
void CrashLikeTheApplication()
{
    static FilePresenter presenter;
    SetCrashReportPresenter(&presenter);
    wxApp::SetInstance(new GifApp());
    raise(SIGSEGV);
}

wxString ReadText(const wxString& path)
{
    wxString text;
    wxFFile file(path, "r");
    if (file.IsOpened())
        file.ReadAll(&text, wxConvUTF8);
    return text;
}

// The content of the archive's entry name; "<missing>" when it has none.
std::string ZipEntry(const wxString& zipPath, const wxString& name)
{
    wxFFileInputStream file(zipPath);
    wxZipInputStream zip(file);
    while (std::unique_ptr<wxZipEntry> entry{zip.GetNextEntry()}) {
        if (entry->GetName() != name)
            continue;
        std::string content;
        char buffer[256];
        while (zip.Read(buffer, sizeof(buffer)).LastRead() > 0)
            content.append(buffer, zip.LastRead());
        return content;
    }
    return "<missing>";
}

class ScopedTempDirVariable {
public:
    explicit ScopedTempDirVariable(const wxString& dir)
    {
        if (const char* previous = getenv("TMPDIR"))
            m_previous.reset(new std::string(previous));
        setenv("TMPDIR", dir.utf8_str(), 1);
    }
    ~ScopedTempDirVariable()
    {
        if (m_previous)
            setenv("TMPDIR", m_previous->c_str(), 1);
        else
            unsetenv("TMPDIR");
    }

private:
    std::unique_ptr<std::string> m_previous;
};
}

TEST(HelpCrashReport, FatalSignalLeavesArchiveWithTimestampAndNamesItsFolder)
{
    // The child runs this test again from its start; it must use the parent's folder, which
    // it finds in its inherited environment.
    const char* const kFolderVariable = "ZORUVEDE_TEST_CRASH_FOLDER";
    std::unique_ptr<TempDir> own;
    wxString reports;
    if (const char* inherited = getenv(kFolderVariable)) {
        reports = wxString::FromUTF8(inherited);
    } else {
        own = std::make_unique<TempDir>();
        reports = own->Path();
        setenv(kFolderVariable, reports.utf8_str(), 1);
    }
    {
        ScopedTempDirVariable reportsGoHere(reports);
        // The child starts afresh from main: a forked copy of a process with a display
        // connection and threads is no place to crash in.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        EXPECT_EXIT(CrashLikeTheApplication(), testing::KilledBySignal(SIGABRT), "");
    }
    unsetenv(kFolderVariable);
    const auto inReports = [&](const wxString& name) { return reports + "/" + name; };

    wxString folderName;
    wxDir dir(reports);
    ASSERT_TRUE(dir.GetFirst(&folderName, "*dbgrpt*", wxDIR_DIRS)) << "no report folder";
    const wxString folder = inReports(folderName);

    wxArrayString archives;
    wxDir::GetAllFiles(folder, &archives, "*.zip", wxDIR_FILES);
    ASSERT_EQ(archives.size(), 1u) << "no archive in " << folder;
    const std::string stamp = ZipEntry(archives[0], "timestamp.my");
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})")))
        << stamp;
    wxDateTime when;
    EXPECT_TRUE(when.ParseISOCombined(wxString(stamp), ' ')) << stamp;
    // The report's files stay on disk after the user was told about them.
    EXPECT_TRUE(wxFileExists(folder + "/timestamp.my"));

    const wxArrayString lines = wxSplit(ReadText(inReports("message.txt")), '\n', '\0');
    ASSERT_EQ(lines.size(), 4u) << ReadText(inReports("message.txt"));
    EXPECT_EQ(lines[2], folder);
    EXPECT_EQ(ReadText(inReports("folder.txt")), folder);
}
