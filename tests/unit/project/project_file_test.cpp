#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/file.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include "core/project/project_file.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {
wxArrayString List(std::initializer_list<wxString> items)
{
    wxArrayString out;
    for (const wxString& s : items)
        out.Add(s);
    return out;
}

ProjectReading ReadText(const std::string& xml)
{
    wxXmlDocument doc;
    wxStringInputStream in(wxString::FromUTF8(xml.c_str()));
    if (!doc.Load(in, "UTF-8"))
        return ProjectReading();
    return ReadProjectDocument(doc);
}

void Touch(const wxString& path)
{
    EXPECT_TRUE(WriteImage(SolidImage(2, 2, 1, 2, 3), path, wxBITMAP_TYPE_PNG));
}

std::string Header(const char* images)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><project><name>a.gif</name>"
                       "<gif><width>640</width><height>480</height><delay_time>7</delay_time></gif>"
                       "<images>") + images + "</images></project>";
}
}

TEST(ProjectEntries, GifRunsGetTheGifsOwnPathAsMarker)
{
    EXPECT_EQ(ProjectPathEntries(List({"/p/x.png", "/p/y.png", "/p/a.gif_0", "/p/a.gif_1", "/p/a.gif_2"})),
              List({"/p/x.png", "/p/y.png", "/p/a.gif_0", "/p/a.gif_1", "/p/a.gif", "/p/a.gif_2"}));
    EXPECT_EQ(ProjectPathEntries(List({"/p/a.gif_0", "/p/a.gif_1", "/p/a.gif_2", "/p/x.png"})),
              List({"/p/a.gif_0", "/p/a.gif_1", "/p/a.gif_2", "/p/a.gif", "/p/x.png"}));
    EXPECT_EQ(ProjectPathEntries(List({"/p/a.gif_3", "/p/b.gif_0"})),
              List({"/p/a.gif_3", "/p/a.gif", "/p/b.gif_0"}));
}

TEST(ProjectEntries, RunsEndingOnLongFrameNumbersDoNotInventFrames)
{
    EXPECT_EQ(ProjectPathEntries(List({"/p/a.gif_11", "/p/a.gif_12", "/p/x.png"})),
              List({"/p/a.gif_11", "/p/a.gif_12", "/p/a.gif", "/p/x.png"}));
    EXPECT_EQ(ProjectPathEntries(List({"/p/a.gif_123", "/p/x.png"})),
              List({"/p/a.gif_123", "/p/a.gif", "/p/x.png"}));
}

TEST(ProjectFile, RoundTripKeepsFramesInOrderWithoutMarkers)
{
    TempDir dir;
    const wxString png = dir.File("x.png");
    Touch(png);
    const wxString gif = dir.File("a.gif");
    Touch(gif);
    ProjectData data;
    data.gifName = "out.gif";
    data.width = 320;
    data.height = 200;
    data.delay = 12;
    data.frames = List({png, gif + "_0", gif + "_1", gif + "_123", png});
    const wxString path = dir.File("p.xml");
    wxString error;
    ASSERT_TRUE(WriteProjectFile(path, data, &error)) << error;

    const ProjectReading r = ReadProjectFile(path);
    EXPECT_TRUE(r.Usable());
    EXPECT_EQ(r.gifName, "out.gif");
    EXPECT_EQ(r.width, 320);
    EXPECT_EQ(r.height, 200);
    EXPECT_EQ(r.delay, 12);
    EXPECT_EQ(r.frames, data.frames);

    // A frame of the project's own frames folder is stored relative to the project, and read
    // as the file beside it wherever the two were moved together.
    data.frames = List({"p.frames/0001.png", png, "p.frames/0002.png"});
    ASSERT_TRUE(WriteProjectFile(path, data, &error)) << error;
    EXPECT_EQ(ReadProjectFile(path).frames,
              List({dir.File("p.frames/0001.png"), png, dir.File("p.frames/0002.png")}));
    data.frames = List({png, gif + "_0", gif + "_1", gif + "_123", png});
    ASSERT_TRUE(WriteProjectFile(path, data, &error)) << error;

    wxString text;
    wxFFile(path, "rb").ReadAll(&text, wxConvUTF8);
    EXPECT_TRUE(text.StartsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_NE(text.Find("\n  <gif>\n    <width>320</width>"), wxNOT_FOUND) << text;
}

TEST(ProjectEntries, MarkersNameNoFrame)
{
    EXPECT_EQ(ProjectPathFrames(List({"/p/x.png", "/p/a.gif_0", "/p/a.gif_1", "/p/a.gif_2"})),
              (std::vector<int>{0, 1, 2, -1, 3}));
    EXPECT_EQ(ProjectPathFrames(List({"/p/a.gif_3", "/p/b.gif_0", "/p/x.png"})),
              (std::vector<int>{0, -1, 1, -1, 2}));
}

TEST(ProjectFile, OwnDelaysAndLoopSettingRoundTripExactly)
{
    TempDir dir;
    const wxString png = dir.File("x.png");
    Touch(png);
    const wxString gif = dir.File("a.gif");
    Touch(gif);
    ProjectData data;
    data.gifName = "out.gif";
    data.width = 32;
    data.height = 20;
    data.delay = 12;
    data.frames = List({png, gif + "_0", gif + "_1", gif + "_2", png});
    // The GIF's last frame comes after the run's marker; its own delay stays with it.
    data.frameDelays = {-1, 10, 0, 250, 65535};
    const struct {
        int loops;
        bool inGif;
    } settings[] = {{3, true}, {1, false}, {0, true}, {65536, true}};
    for (const auto& setting : settings) {
        data.loopCount = setting.loops;
        data.loopInGif = setting.inGif;
        const wxString path = dir.File("p.xml");
        wxString error;
        ASSERT_TRUE(WriteProjectFile(path, data, &error)) << error;
        const ProjectReading r = ReadProjectFile(path);
        ASSERT_TRUE(r.Usable());
        EXPECT_EQ(r.frames, data.frames);
        EXPECT_EQ(r.frameDelays, data.frameDelays);
        EXPECT_EQ(r.loopCount, setting.loops);
        EXPECT_EQ(r.loopInGif, setting.inGif);
        EXPECT_EQ(r.delay, 12);

        ProjectData again = data;
        again.frameDelays = r.frameDelays;
        const wxString second = dir.File("again.xml");
        ASSERT_TRUE(WriteProjectFile(second, again, &error)) << error;
        wxString first, copy;
        wxFFile(path, "rb").ReadAll(&first, wxConvUTF8);
        wxFFile(second, "rb").ReadAll(&copy, wxConvUTF8);
        EXPECT_EQ(copy, first);
    }
}

TEST(ProjectFile, DefaultTimingWritesNoAttributeAndOldFilesFollowTheCommonDelay)
{
    TempDir dir;
    const wxString png = dir.File("x.png");
    Touch(png);
    ProjectData data;
    data.gifName = "out.gif";
    data.delay = 9;
    data.frames = List({png, png});
    const wxString plain = dir.File("plain.xml");
    ASSERT_TRUE(WriteProjectFile(plain, data, nullptr));
    data.frameDelays = {-1, -1};
    const wxString common = dir.File("common.xml");
    ASSERT_TRUE(WriteProjectFile(common, data, nullptr));
    wxString a, b;
    wxFFile(plain, "rb").ReadAll(&a, wxConvUTF8);
    wxFFile(common, "rb").ReadAll(&b, wxConvUTF8);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.Find("delay="), wxNOT_FOUND) << a;
    EXPECT_EQ(a.Find("loop"), wxNOT_FOUND) << a;

    const ProjectReading old = ReadText(Header("<path>/p/x.png</path><path>/p/a.gif_0</path>"
                                               "<path>/p/a.gif</path><path>/p/y.png</path>"));
    ASSERT_TRUE(old.Usable());
    EXPECT_EQ(old.delay, 7);
    EXPECT_EQ(old.frameDelays, (std::vector<int>{-1, -1, -1}));
    EXPECT_EQ(old.loopCount, 0);
    EXPECT_FALSE(old.loopInGif);
}

TEST(ProjectFile, PictureEditsRoundTripAndUnreadableOnesAreLeftUnedited)
{
    TempDir dir;
    const wxString png = dir.File("x.png");
    Touch(png);
    ProjectData data;
    data.gifName = "out.gif";
    data.width = 200;
    data.height = 300;
    data.delay = 9;
    data.frames = List({png});
    data.edit.fit = FitMode::Fill;
    data.edit.background = Background{false, 255, 136, 0};
    data.edit.orientation = Orientation{3, true};
    data.edit.cropBase = wxSize(640, 480);
    data.edit.crop = PixelRect{10, 20, 300, 200};
    const wxString path = dir.File("p.xml");
    ASSERT_TRUE(WriteProjectFile(path, data, nullptr));
    const ProjectReading r = ReadProjectFile(path);
    ASSERT_TRUE(r.Usable());
    EXPECT_EQ(r.edit, data.edit);
    wxString text;
    wxFFile(path, "rb").ReadAll(&text, wxConvUTF8);
    EXPECT_NE(text.Find("<gif fit=\"fill\" background=\"#ff8800\" flip=\"h\" rotate=\"270\" "
                        "crop=\"300x200+10+20\" crop_of=\"640x480\">"),
              wxNOT_FOUND)
        << text;

    // Older files have none; a top-to-bottom flip reads as a flip and a half turn; values
    // that can't be read, or a crop outside its picture, leave that part unedited.
    const auto edited = [](const char* attributes) {
        std::string xml = Header("<path>/p/x.png</path>");
        xml.replace(xml.find("<gif>"), 5, std::string("<gif ") + attributes + ">");
        return ReadText(xml).edit;
    };
    EXPECT_TRUE(ReadText(Header("<path>/p/x.png</path>")).edit.Identity());
    EXPECT_EQ(edited("flip=\"v\" rotate=\"90\"").orientation, (Orientation{3, true}));
    EXPECT_TRUE(edited("fit=\"zoom\" background=\"nocolour\" rotate=\"45\" flip=\"x\"").Identity());
    EXPECT_TRUE(edited("crop=\"100x100+600+0\" crop_of=\"640x480\"").Identity());
    EXPECT_TRUE(edited("crop=\"100x100+0+0\"").Identity());
    EXPECT_TRUE(edited("crop=\"9x9+0+0\" crop_of=\"90000x90000\"").Identity());
}

TEST(ProjectFile, TimingAttributesOutOfRangeAreHeldNotRefused)
{
    const std::string xml =
        "<project><name>a.gif</name><gif loop=\"-4\" loop_saved=\"yes\"><width>1</width>"
        "<height>1</height><delay_time>7</delay_time></gif><images>"
        "<path delay=\"-20\">/p/x.png</path><path delay=\"99999\">/p/y.png</path>"
        "<path delay=\"abc\">/p/z.png</path></images></project>";
    const ProjectReading r = ReadText(xml);
    ASSERT_TRUE(r.Usable());
    EXPECT_EQ(r.frameDelays, (std::vector<int>{0, 65535, 0}));
    EXPECT_EQ(r.loopCount, 0);
    EXPECT_FALSE(r.loopInGif);
}

TEST(ProjectFile, NamesOfBlanksOnlyComeBackAsWritten)
{
    // A name of spaces, tabs or line feeds is a legal file name and GIF name; reading must not
    // take it for the indentation between elements and drop it.
    TempDir dir;
    ProjectData data;
    data.gifName = "  ";
    data.width = 2;
    data.height = 2;
    data.delay = 1;
    data.frames = List({" ", "\t\n", dir.File("a.png")});
    const wxString path = dir.File("p.xml");
    wxString error;
    ASSERT_TRUE(WriteProjectFile(path, data, &error)) << error;

    const ProjectReading r = ReadProjectFile(path);
    ASSERT_TRUE(r.Usable()) << r.detail;
    EXPECT_EQ(r.gifName, "  ");
    EXPECT_EQ(r.frames, data.frames);
}

TEST(ProjectFile, OldMarkersEndingInGifAreDroppedOnReading)
{
    TempDir dir;
    const wxString gif = dir.File("a.gif");
    Touch(gif);
    const std::string xml = Header(("<path>" + gif + "_0</path><path>" + gif +
                                    "</path><path>" + gif + "_1</path>").utf8_string().c_str());
    const ProjectReading r = ReadText(xml);
    EXPECT_EQ(r.frames, List({gif + "_0", gif + "_1"}));
}

TEST(ProjectFile, MissingFilesStayInTheListAndAGifOutsideAMarkersPlaceIsAFrame)
{
    TempDir dir;
    const wxString png = dir.File("x.png");
    Touch(png);
    const ProjectReading r = ReadText(Header(("<path>" + dir.File("gone.png") + "</path><path>" +
                                              dir.File("a.gif") + "</path><path>" + png + "</path>")
                                                 .utf8_string()
                                                 .c_str()));
    ASSERT_TRUE(r.Usable());
    EXPECT_EQ(r.frames, List({dir.File("gone.png"), dir.File("a.gif"), png}));
    EXPECT_EQ(r.width, 640);
    EXPECT_EQ(r.height, 480);
    EXPECT_EQ(r.delay, 7);
    EXPECT_EQ(r.gifName, "a.gif");
}

TEST(ProjectFile, EveryWrongStructureIsUnusableAndNamesWhatIsMissing)
{
    const auto problem = [](const std::string& xml) {
        const ProjectReading r = ReadText(xml);
        return std::make_pair(r.problem, r.detail);
    };
    const auto notProject = [](const char* element) {
        return std::make_pair(ProjectProblem::NotProject, wxString(element));
    };
    EXPECT_EQ(problem("<other><name/></other>"), notProject("project"));
    EXPECT_EQ(problem("<project/>"), notProject("name"));
    EXPECT_EQ(problem("<project><name/></project>"), notProject("gif"));
    EXPECT_EQ(problem("<project><gif/><name/></project>"), notProject("name"));
    EXPECT_EQ(problem("<project><name/><gif><width>5</width></gif></project>"), notProject("height"));
    EXPECT_EQ(problem("<project><name/><gif><width>5</width><height>6</height></gif></project>"),
              notProject("delay_time"));
    EXPECT_EQ(problem("<project><name/><gif><width>5</width><height>6</height>"
                      "<delay_time>9</delay_time></gif></project>"),
              notProject("images"));
    EXPECT_EQ(problem(Header("<path>/p/x.png</path><other/>")), notProject("path"));
    EXPECT_EQ(problem(Header("")).first, ProjectProblem::NoFrames);
    EXPECT_EQ(problem(Header("<path>/p/a.gif</path>")).first, ProjectProblem::None)
        << "a GIF's path alone is a frame";
}

TEST(ProjectFile, NamesThatXmlCannotHoldAreNeverWritten)
{
    EXPECT_TRUE(XmlCanHold(wxString::FromUTF8("/home/ü/漢字 tab\there.png")));
    EXPECT_TRUE(XmlCanHold("/p/line\nbreak.png"));
    EXPECT_FALSE(XmlCanHold(wxString("/p/bell") + wxUniChar(7) + ".png"));
    EXPECT_FALSE(XmlCanHold(wxString("/p/cr") + wxUniChar(13) + ".png"));
    EXPECT_FALSE(XmlCanHold(wxString("/p/x") + wxUniChar(0xFFFE)));

    TempDir dir;
    ProjectData data;
    data.frames = List({"/p/ok.png", wxString("/p/esc") + wxUniChar(27) + ".png"});
    EXPECT_EQ(FirstFrameXmlCannotHold(data), 1);
    wxString error;
    EXPECT_FALSE(WriteProjectFile(dir.File("p.xml"), data, &error));
    EXPECT_FALSE(wxFileExists(dir.File("p.xml")));
    EXPECT_FALSE(error.empty());
}

TEST(ProjectFile, NumbersReadLikeTheStandardConversionAndClamp)
{
    EXPECT_EQ(ReadProjectNumber("  42px"), 42);
    EXPECT_EQ(ReadProjectNumber("-3"), -3);
    EXPECT_EQ(ReadProjectNumber("px"), 0);
    EXPECT_EQ(ReadProjectNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ReadProjectNumber("-99999999999999999999"), INT_MIN);
}

TEST(ProjectFile, BrokenFilesAreUnusableWithoutCrashing)
{
    TempDir dir;
    const auto write = [&](const char* name, const std::string& bytes) {
        const wxString path = dir.File(name);
        wxFFile(path, "wb").Write(bytes.data(), bytes.size());
        return path;
    };
    EXPECT_EQ(ReadProjectFile(write("a.xml", "not xml at all")).problem, ProjectProblem::NotXml);
    EXPECT_EQ(ReadProjectFile(write("b.xml", Header("<path>\xff\xfe</path>"))).problem,
              ProjectProblem::NotXml);
    const ProjectReading missing = ReadProjectFile(dir.File("missing.xml"));
    EXPECT_EQ(missing.problem, ProjectProblem::Unreadable);
    EXPECT_NE(missing.detail.Find("No such file"), wxNOT_FOUND) << missing.detail;
    EXPECT_EQ(ReadProjectFile(dir.Path()).problem, ProjectProblem::Unreadable);
    const std::string longPath(100000, 'x');
    const ProjectReading r = ReadProjectFile(write("c.xml", Header(("<path>" + longPath + "</path>").c_str())));
    ASSERT_TRUE(r.Usable());
    EXPECT_EQ(r.frames, List({wxString(longPath)}));
}

TEST(ProjectFile, HostileFilesAreRefusedBeforeTheirTreeIsBuiltAndLongTextsReadInOnePass)
{
    const auto read = [](const std::string& xml) { return ReadProjectBytes(xml.data(), xml.size()); };
    const auto named = [](const std::string& name) {
        std::string xml = Header("<path>/p/x.png</path>");
        return xml.replace(xml.find("a.gif</name>"), 5, name);
    };
    const auto repeat = [](const char* text, size_t n) {
        std::string out;
        for (size_t i = 0; i < n; ++i)
            out += text;
        return out;
    };
    std::string attributes;
    for (int i = 0; i < 100000; ++i)
        attributes += " a" + std::to_string(i) + "=\"1\"";
    const struct {
        const char* what;
        std::string xml;
        ProjectProblem problem;
    } cases[] = {
        {"200,000 deep", repeat("<a>", 200000) + repeat("</a>", 200000), ProjectProblem::TooDeep},
        {"deep inside a project", Header((repeat("<path>", 17)).c_str()), ProjectProblem::TooDeep},
        {"100,000 attributes", "<project" + attributes + "/>", ProjectProblem::TooManyAttributes},
        {"entities that multiply",
         "<!DOCTYPE p [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]><p>&b;</p>",
         ProjectProblem::DocumentType},
        {"cut short", Header("<path>/p/x.png</path>").substr(0, 150), ProjectProblem::NotXml},
        {"a 4 MB name", named(std::string(4000000, 'n')),
         ProjectProblem::None},
        {"a 20 MB attribute",
         Header(("<path delay=\"" + std::string(20000000, '1') + "\">/p/x.png</path>").c_str()),
         ProjectProblem::None},
        {"a name of 2 MB of entities",
         named(repeat("&amp;\n", 400000)),
         ProjectProblem::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(read(c.xml).problem, c.problem);
    }
    EXPECT_EQ(read(cases[5].xml).gifName.length(), 4000000u);
    // Shown, such names fit a line of the window.
    EXPECT_EQ(ShownName(read(cases[5].xml).gifName).length(), kLongestShownName);
    EXPECT_EQ(ShownName(read(cases[7].xml).gifName).Find('\n'), wxNOT_FOUND);
    EXPECT_EQ(read(cases[6].xml).frameDelays, std::vector<int>{65535});
    EXPECT_EQ(read(cases[7].xml).gifName, wxString(repeat("&\n", 400000)));
    EXPECT_EQ(read(named("a<![CDATA[<b>]]>c")).gifName,
              "a<b>c");

    // A file past the size limit is refused before it is read.
    TempDir dir;
    const wxString large = dir.File("large.xml");
    {
        wxFile file(large, wxFile::write);
        ASSERT_TRUE(file.Seek(kMaxProjectBytes) != wxInvalidOffset && file.Write("x", 1) == 1);
    }
    EXPECT_EQ(ReadProjectFile(large).problem, ProjectProblem::TooLarge);
}

TEST(ProjectFile, FailedWriteKeepsThePreviousFile)
{
    ProjectData data;
    data.frames = List({"/p/x.png"});
    wxString error;
    EXPECT_FALSE(WriteProjectFile("/nonexistent-folder/p.xml", data, &error));
    EXPECT_FALSE(error.empty());
}

TEST(ProjectTitle, NameWithoutXmlEndingThenProduct)
{
    EXPECT_EQ(ProjectTitle("proj.xml", "Prod"), "proj - Prod");
    EXPECT_EQ(ProjectTitle("proj.XML", "Prod"), "proj - Prod");
    EXPECT_EQ(ProjectTitle("proj", "Prod"), " - Prod");
}
