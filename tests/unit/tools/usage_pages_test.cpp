// The usage texts and their renderings: --help, the manual page and the bash completion all
// come from one source, so these check the source's layout rules, what each rendering does
// with it, and that the real sources describe exactly the options the parsers take.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include <wx/app.h>
#include <wx/cmdline.h>
#include <wx/regex.h>

#include "core/settings/command_line.h"
#include "core/settings/help_arguments.h"
#include "tools/usage_document.h"
#include "tools/usage_renderings.h"
#include "cli/cli_options.h"
#include "core/gif/gif_geometry.h"
#include "core/input/image_header.h"
#include "core/picture/picture_limit.h"

namespace {

const char kSample[] = "tool - do a thing\n"
                       "\n"
                       "SYNOPSIS\n"
                       "tool [OPTION]... FILE...\n"
                       "\n"
                       "DESCRIPTION\n"
                       "First paragraph,\n"
                       "two lines.\n"
                       "\n"
                       ".dot at the start\n"
                       "\n"
                       "    tool --size 2 a\\b\n"
                       "\n"
                       "OPTIONS\n"
                       "-o, --output OUT.gif\n"
                       "    Where it goes.\n"
                       "--a-very-long-option-name VALUE\n"
                       "    Long term, its text below it.\n"
                       "--mode fast|slow\n"
                       "    Which way.\n"
                       "\n"
                       "SEE ALSO\n"
                       "other(1)\n";

UsageDocument Parsed(const std::string& source)
{
    UsageDocument document;
    std::string error;
    EXPECT_TRUE(ParseUsageDocument(source, document, error)) << error;
    return document;
}

UsageDocument ParsedFile(const char* path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << path;
    return Parsed(text.str());
}

// The text of the option entry whose term names option, its lines joined by spaces.
std::string OptionEntryText(const UsageDocument& document, const std::string& option)
{
    std::string text;
    for (const UsageSection& section : document.sections)
        for (const UsageBlock& block : section.blocks)
            for (const UsageOptionName& name : OptionNamesOfTerm(block.term))
                if (block.kind == UsageBlock::Term && name.name == option)
                    for (const std::string& line : block.lines)
                        text += line + " ";
    return text;
}

bool ContainsWord(const std::string& text, const std::string& word)
{
    return wxRegEx("(^|[^A-Za-z0-9])" + word + "([^A-Za-z0-9]|$)").Matches(text);
}

// Whether the exporter's parser takes option with value.
bool Takes(const char* option, const char* value)
{
    std::vector<const char*> argv = {"zoruvede-cli", option, value, "-o", "a.gif", "x.png"};
    CliOptions options;
    std::string error;
    return ParseCliOptions(static_cast<int>(argv.size()), const_cast<char**>(argv.data()),
                           options, error);
}

std::set<std::string> OptionNames(const UsageDocument& document)
{
    std::set<std::string> names;
    for (const UsageOptionName& option : UsageOptions(document))
        names.insert(option.name);
    return names;
}

TEST(UsageDocument, SourceLayoutGivesSectionsAndBlocks)
{
    const UsageDocument document = Parsed(kSample);
    EXPECT_EQ(document.program, "tool");
    EXPECT_EQ(document.summary, "do a thing");
    ASSERT_EQ(document.sections.size(), 4u);
    const std::vector<UsageBlock>& description = document.sections[1].blocks;
    ASSERT_EQ(description.size(), 3u);
    EXPECT_EQ(description[0].kind, UsageBlock::Paragraph);
    EXPECT_EQ(description[0].lines, (std::vector<std::string>{"First paragraph,", "two lines."}));
    EXPECT_EQ(description[2].kind, UsageBlock::Example);
    EXPECT_EQ(description[2].lines[0], "tool --size 2 a\\b");
    const std::vector<UsageBlock>& options = document.sections[2].blocks;
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(options[0].kind, UsageBlock::Term);
    EXPECT_EQ(options[0].term, "-o, --output OUT.gif");
    EXPECT_EQ(options[0].lines, std::vector<std::string>{"Where it goes."});
}

TEST(UsageDocument, MalformedSourcesAreRefusedWithTheLine)
{
    const struct {
        const char* source;
        const char* error;
    } cases[] = {
        {"tool does things\n", "line 1:"},
        {"tool - x\n\nstray text\n", "line 3:"},
        {"tool - x\n\nOPTIONS\n-a\n  two spaces\n", "line 5:"},
    };
    for (const auto& c : cases) {
        UsageDocument document;
        std::string error;
        EXPECT_FALSE(ParseUsageDocument(c.source, document, error)) << c.source;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    }
}

TEST(UsageDocument, OptionTermsGiveEverySpellingWithTheValue)
{
    const std::vector<UsageOptionName> output = OptionNamesOfTerm("-o, --output OUT.gif");
    ASSERT_EQ(output.size(), 2u);
    EXPECT_EQ(output[0].name, "-o");
    EXPECT_EQ(output[1].name, "--output");
    EXPECT_EQ(output[0].value, "OUT.gif");
    EXPECT_EQ(output[1].value, "OUT.gif");
    const std::vector<UsageOptionName> delays = OptionNamesOfTerm("--delays A,B,...");
    ASSERT_EQ(delays.size(), 1u);
    EXPECT_EQ(delays[0].value, "A,B,...");
    EXPECT_EQ(OptionNamesOfTerm("-h, --help")[1].value, "");
    EXPECT_EQ(OptionNamesOfTerm("--dedupe[=T]")[0].name, "--dedupe");
    EXPECT_TRUE(OptionNamesOfTerm("130").empty());
}

TEST(UsageDocument, WrappingKeepsWidthAndGivesALongWordItsOwnLine)
{
    const std::vector<std::string> lines = WrapWords({"aa bb cc", "dd", "eeeeeeeeeeee ff"}, 8);
    EXPECT_EQ(lines, (std::vector<std::string>{"aa bb cc", "dd", "eeeeeeeeeeee", "ff"}));
}

TEST(UsageRenderings, HelpPutsLongTermsOnTheirOwnLineAndDropsSeeAlso)
{
    const std::string help = UsageHelpText(Parsed(kSample));
    EXPECT_EQ(help.rfind("usage: tool [OPTION]... FILE...\n", 0), 0u);
    EXPECT_NE(help.find("First paragraph, two lines.\n"), std::string::npos);
    EXPECT_NE(help.find("  -o, --output OUT.gif  Where it goes.\n"), std::string::npos);
    EXPECT_NE(help.find("  --a-very-long-option-name VALUE\n" + std::string(24, ' ') +
                        "Long term"), std::string::npos);
    EXPECT_NE(help.find("Options:\n"), std::string::npos);
    EXPECT_EQ(help.find("other(1)"), std::string::npos);
    EXPECT_NE(help.substr(help.size() - 2), "\n\n");
}

TEST(UsageRenderings, ManPageEscapesWhatRoffWouldMisread)
{
    const std::string page = UsageManPage(Parsed(kSample), "9.8.7");
    EXPECT_NE(page.find(".TH TOOL 1 \"\" \"Zoruvede 9.8.7\""), std::string::npos);
    EXPECT_NE(page.find("tool \\- do a thing"), std::string::npos);
    // A line starting with a dot would be a request; a backslash an escape.
    EXPECT_NE(page.find("\n\\&.dot at the start\n"), std::string::npos);
    EXPECT_NE(page.find("tool \\-\\-size 2 a\\eb"), std::string::npos);
    // Option names bold with minus signs, values italic.
    EXPECT_NE(page.find("\\fB\\-o\\fR, \\fB\\-\\-output\\fR \\fIOUT.gif\\fR"), std::string::npos);
    EXPECT_NE(page.find("\\fBtool\\fR [\\fIOPTION\\fR]... \\fIFILE\\fR..."), std::string::npos);
    // Every dash a minus sign, so that names copied from the page work in a terminal.
    EXPECT_NE(page.find("\\fB\\-\\-a\\-very\\-long\\-option\\-name\\fR"), std::string::npos);
    EXPECT_NE(page.find(".SH SEE ALSO\n.PP\nother(1)"), std::string::npos);
}

TEST(UsageRenderings, CompletionOffersChoicesFileTypesAndEveryOption)
{
    const std::string script = UsageBashCompletion(Parsed(kSample));
    EXPECT_NE(script.find("--mode) COMPREPLY=($(compgen -W 'fast slow' -- \"$cur\")); return ;;"),
              std::string::npos);
    EXPECT_NE(script.find("-o) _filedir 'gif'; return ;;"), std::string::npos);
    EXPECT_NE(script.find("--a-very-long-option-name) :; return ;;"), std::string::npos);
    EXPECT_NE(script.find("'-o --output --a-very-long-option-name --mode'"), std::string::npos);
    EXPECT_NE(script.find("complete -F _tool tool"), std::string::npos);
}

TEST(UsageRenderings, CppLiteralKeepsQuotesBackslashesAndLines)
{
    EXPECT_EQ(CppStringLiteral("a \"b\" \\c\nd"), "\"a \\\"b\\\" \\\\c\\n\"\n\"d\"");
}

TEST(UsagePages, ExporterUsageListsExactlyTheOptionsItsParserTakes)
{
    const std::set<std::string> listed = OptionNames(ParsedFile(ZORUVEDE_CLI_USAGE));
    const std::vector<std::string> parsed = CliOptionNames();
    const std::set<std::string> known(parsed.begin(), parsed.end());
    for (const std::string& name : known)
        EXPECT_TRUE(listed.count(name)) << name << " is parsed but not in cli/usage.txt";
    for (const std::string& name : listed)
        EXPECT_TRUE(known.count(name)) << name << " is in cli/usage.txt but not parsed";
}

TEST(UsagePages, ExporterUsageStatesTheUnitsAndLimitsItsParserTakes)
{
    const UsageDocument usage = ParsedFile(ZORUVEDE_CLI_USAGE);
    const std::string maxSize = OptionEntryText(usage, "--max-size");
    for (const ByteUnit& unit : ByteUnits()) {
        EXPECT_TRUE(ContainsWord(maxSize, unit.suffix)) << unit.suffix << " is not in: " << maxSize;
        EXPECT_TRUE(Takes("--max-size", (std::string("8") + unit.suffix).c_str())) << unit.suffix;
    }
    const std::string side = std::to_string(kMaxPictureSide);
    EXPECT_TRUE(ContainsWord(OptionEntryText(usage, "--size"), side));
    EXPECT_TRUE(Takes("--size", (side + "x" + side).c_str()));
    EXPECT_FALSE(Takes("--size", (std::to_string(kMaxPictureSide + 1) + "x1").c_str()));
    EXPECT_TRUE(ContainsWord(OptionEntryText(usage, "--skip-extra-frames"),
                             std::to_string(kGifMaxFrames)));
}

TEST(CliOptions, MaxSizeCountsKAndMIn1024sAndKBAndMBIn1000s)
{
    const struct {
        const char* text;
        uint64_t bytes;  // 0: refused
    } cases[] = {
        {"200", 200},          {"8M", 8388608},       {"8m", 8388608},
        {"8MiB", 8388608},     {"8MB", 8000000},      {"8mb", 8000000},
        {"40K", 40960},        {"40KiB", 40960},      {"40KB", 40000},
        {"40kB", 40000},       {"1048577M", 0},       {"1099511627776", 1099511627776},
        {"0", 0},              {"0KB", 0},            {"8G", 0},
        {"8GB", 0},            {"1.5M", 0},           {"M", 0},
        {"8 MB", 0},           {"8MBB", 0},           {"-3", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        uint64_t bytes = 0;
        EXPECT_EQ(ParseByteSize(c.text, bytes), c.bytes != 0) << c.text;
        if (c.bytes != 0) {
            EXPECT_EQ(bytes, c.bytes) << c.text;
        }
    }
}

TEST(UsagePages, WindowedUsageListsEveryOptionOfTheToolkitsParser)
{
    // The parser as the windowed program sets it up: the toolkit's switches, then the files.
    wxCmdLineParser parser;
    wxAppConsole::GetInstance()->OnInitCmdLine(parser);
    AddFilesParameter(parser);
    const std::set<std::string> listed = OptionNames(ParsedFile(ZORUVEDE_APP_USAGE));
    wxString usage = parser.GetUsageString();
    wxRegEx option("(^|[ \\[])(--?[A-Za-z][-A-Za-z]*)");
    int found = 0;
    while (option.Matches(usage)) {
        const std::string name = option.GetMatch(usage, 2).ToStdString();
        EXPECT_TRUE(listed.count(name)) << name << " is parsed but not in app/usage.txt";
        size_t start = 0, length = 0;
        option.GetMatch(&start, &length, 0);
        usage = usage.Mid(start + length);
        ++found;
    }
    EXPECT_GE(found, 3);   // -h, --help, --verbose at least
    for (const char* own : {"--version", "-h", "--help"})
        EXPECT_TRUE(listed.count(own)) << own;
}

TEST(UsagePages, HelpLinesFitATerminalExceptExamples)
{
    for (const char* path : {ZORUVEDE_CLI_USAGE, ZORUVEDE_APP_USAGE}) {
        const UsageDocument document = ParsedFile(path);
        std::set<std::string> examples;
        for (const UsageSection& section : document.sections)
            for (const UsageBlock& block : section.blocks)
                if (block.kind == UsageBlock::Example)
                    for (const std::string& line : block.lines)
                        examples.insert("    " + line);
        std::istringstream help(UsageHelpText(document));
        for (std::string line; std::getline(help, line);)
            EXPECT_TRUE(line.size() <= 79 || examples.count(line)) << path << ": " << line;
    }
}

TEST(EarlyRequest, HelpAndVersionAreFoundBeforeTheToolkitStarts)
{
    const struct {
        std::vector<const char*> argv;
        EarlyRequest request;
    } cases[] = {
        {{"zoruvede"}, EarlyRequest::None},
        {{"zoruvede", "a.png", "--help"}, EarlyRequest::Help},
        {{"zoruvede", "-h"}, EarlyRequest::Help},
        {{"zoruvede", "--version", "--help"}, EarlyRequest::Version},
        {{"zoruvede", "--", "--help"}, EarlyRequest::None},
        {{"zoruvede", "--helpful.png"}, EarlyRequest::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EarlyRequestOf(static_cast<int>(c.argv.size()), c.argv.data()), c.request)
            << c.argv.back();
}

} // namespace

TEST(CliOptions, RecordingTakesItsOwnOptionsAndNoInputs)
{
    const struct {
        std::vector<const char*> args;
        const char* error;  // empty: accepted
    } cases[] = {
        {{"--record", "-o", "a.gif"}, ""},
        {{"--record", "--region", "64x48+1+2", "--fps", "30", "--duration", "1:30",
          "--countdown", "3", "--no-pointer", "-o", "a.gif"}, ""},
        {{"--record", "-o", "a.gif", "x.png"}, "--record takes no input files"},
        {{"--record", "--fps", "7.5", "-o", "a.gif"}, "a recording takes a whole number"},
        {{"--record", "--start", "2", "-o", "a.gif"}, "--start can't be used with --record"},
        {{"--record", "--region", "64x48", "-o", "a.gif"}, "expected WxH+X+Y"},
        {{"--record", "--countdown", "11", "-o", "a.gif"}, "from 0 to 10"},
        {{"--region", "64x48+0+0", "-o", "a.gif", "x.png"}, "--region is for --record"},
        {{"--record"}, "no output file"},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = {"zoruvede-cli"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        CliOptions options;
        std::string error;
        const bool ok = ParseCliOptions(static_cast<int>(argv.size()),
                                        const_cast<char**>(argv.data()), options, error);
        EXPECT_EQ(ok, std::string(c.error).empty()) << c.args[1] << ": " << error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
        if (ok && c.args.size() > 3) {
            EXPECT_EQ(options.recordRegion, (CaptureRect{1, 2, 64, 48}));
            EXPECT_EQ(options.recordFps, 30);
            EXPECT_EQ(options.recordSeconds, 90);
            EXPECT_EQ(options.countdown, 3);
            EXPECT_FALSE(options.recordPointer);
        }
    }
}
