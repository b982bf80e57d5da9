// The windowed program's command line: files, in order, made absolute.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/cmdline.h>
#include <wx/filefn.h>

#include "core/settings/command_line.h"
#include "core/base/file_name_encoding.h"

namespace {
// The parser as the application has it: the toolkit's switches, then the files.
struct Parsed {
    int result = 0;
    wxArrayString files;
};

Parsed Parse(std::initializer_list<const char*> args)
{
    wxCmdLineParser parser;
    parser.AddSwitch("h", "help", "", wxCMD_LINE_OPTION_HELP);
    parser.AddSwitch("", "verbose", "");
    AddFilesParameter(parser);
    std::vector<std::string> words(args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    parser.SetCmdLine(static_cast<int>(argv.size()), argv.data());
    Parsed parsed;
    parsed.result = parser.Parse(false);
    if (parsed.result == 0)
        parsed.files = FilesOfCommandLine(parser);
    return parsed;
}
}

TEST(CommandLine, FilesComeInOrderAndAbsolute)
{
    const wxString cwd = wxGetCwd();
    const Parsed parsed = Parse({"zoruvede", "b.png", "/pics/a.gif", "sub/../p.xml", "shots/"});
    ASSERT_EQ(parsed.result, 0);
    ASSERT_EQ(parsed.files.size(), 4u);
    EXPECT_EQ(parsed.files[0], cwd + "/b.png");
    EXPECT_EQ(parsed.files[1], "/pics/a.gif");
    EXPECT_EQ(parsed.files[2], cwd + "/p.xml");
    EXPECT_EQ(parsed.files[3], cwd + "/shots/");
}

TEST(CommandLine, SwitchesStayTheToolkitsAndNoFilesIsAPlainStart)
{
    EXPECT_EQ(Parse({"zoruvede"}).files.size(), 0u);
    const Parsed verbose = Parse({"zoruvede", "--verbose", "a.png"});
    ASSERT_EQ(verbose.result, 0);
    EXPECT_EQ(verbose.files.size(), 1u);
    EXPECT_EQ(Parse({"zoruvede", "--help"}).result, -1);
    EXPECT_GT(Parse({"zoruvede", "--bogus"}).result, 0);
    // After "--" a name may start with a dash.
    const Parsed dashed = Parse({"zoruvede", "--", "-odd.png"});
    ASSERT_EQ(dashed.result, 0);
    EXPECT_EQ(dashed.files[0], wxGetCwd() + "/-odd.png");
}

TEST(CommandLine, ArgumentsAreDecodedAsFileNamesSoTheirBytesSurvive)
{
    // A UTF-8 name, and one with a byte that is no text in any encoding.
    std::vector<std::string> words = {"zoruvede", "gr\xc3\xbcn.png", "odd\xff.png"};
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    FileNameArguments arguments(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(wxString(arguments.Argv()[1]), wxString::FromUTF8("gr\xc3\xbcn.png"));
    for (size_t i = 0; i < words.size(); ++i)
        EXPECT_EQ(FileNameBytes(arguments.Argv()[i]), words[i]) << i;
    EXPECT_EQ(arguments.Argv()[words.size()], nullptr);
}
