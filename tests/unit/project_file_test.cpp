#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include "project/project_file.h"
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
    EXPECT_EQ(r.stage, ProjectStage::Images);
    EXPECT_EQ(r.gifName, "out.gif");
    EXPECT_EQ(r.width, 320);
    EXPECT_EQ(r.height, 200);
    EXPECT_EQ(r.delay, 12);
    EXPECT_EQ(r.sources, data.frames);

    wxString text;
    wxFFile(path, "rb").ReadAll(&text, wxConvUTF8);
    EXPECT_TRUE(text.StartsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_NE(text.Find("\n  <gif>\n    <width>320</width>"), wxNOT_FOUND) << text;
}

TEST(ProjectFile, OldMarkersEndingInGifAreDroppedOnReading)
{
    TempDir dir;
    const wxString gif = dir.File("a.gif");
    Touch(gif);
    const std::string xml = Header(("<path>" + gif + "_0</path><path>" + gif +
                                    "</path><path>" + gif + "_1</path>").utf8_string().c_str());
    const ProjectReading r = ReadText(xml);
    EXPECT_EQ(r.sources, List({gif + "_0", gif + "_1"}));
}

TEST(ProjectFile, MissingFilesAndUnknownChildren)
{
    TempDir dir;
    const wxString png = dir.File("x.png");
    Touch(png);
    ProjectReading r = ReadText(Header(("<path>" + dir.File("gone.png") + "</path><path>" + png + "</path>").utf8_string().c_str()));
    EXPECT_EQ(r.sources, List({png}));
    EXPECT_FALSE(r.imagesEmpty);

    r = ReadText(Header(("<path>" + png + "</path><other/>").utf8_string().c_str()));
    EXPECT_TRUE(r.sources.empty()) << "another element ends the walk and loads nothing";

    r = ReadText(Header(""));
    EXPECT_TRUE(r.imagesEmpty);
    EXPECT_EQ(r.stage, ProjectStage::Images);
}

TEST(ProjectFile, StructureEndingEarlyStopsWhereItEnds)
{
    EXPECT_EQ(ReadText("<project/>").stage, ProjectStage::NotRead);
    EXPECT_EQ(ReadText("<project><name/></project>").stage, ProjectStage::NotRead);
    EXPECT_EQ(ReadText("<project><gif/><name/></project>").stage, ProjectStage::NotRead);
    EXPECT_EQ(ReadText("<project><name/><gif><width>5</width></gif></project>").stage, ProjectStage::Width);
    EXPECT_EQ(ReadText("<project><name/><gif><width>5</width><height>6</height></gif></project>").stage,
              ProjectStage::Height);
    const ProjectReading r = ReadText(
        "<project><name/><gif><width>5</width><height>6</height><delay_time>9</delay_time></gif></project>");
    EXPECT_EQ(r.stage, ProjectStage::Delay);
    EXPECT_EQ(r.delay, 9);
    EXPECT_EQ(ReadText("<other><name/></other>").stage, ProjectStage::NotRead);
}

TEST(ProjectFile, NumbersReadLikeTheStandardConversionAndClamp)
{
    EXPECT_EQ(ReadProjectNumber("  42px"), 42);
    EXPECT_EQ(ReadProjectNumber("-3"), -3);
    EXPECT_EQ(ReadProjectNumber("px"), 0);
    EXPECT_EQ(ReadProjectNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ReadProjectNumber("-99999999999999999999"), INT_MIN);
}

TEST(ProjectFile, BrokenFilesReadAsNothingWithoutCrashing)
{
    TempDir dir;
    const auto write = [&](const char* name, const std::string& bytes) {
        const wxString path = dir.File(name);
        wxFFile(path, "wb").Write(bytes.data(), bytes.size());
        return path;
    };
    EXPECT_EQ(ReadProjectFile(write("a.xml", "not xml at all")).stage, ProjectStage::NotRead);
    EXPECT_EQ(ReadProjectFile(write("b.xml", Header("<path>\xff\xfe</path>"))).stage,
              ProjectStage::NotRead);
    EXPECT_EQ(ReadProjectFile(dir.File("missing.xml")).stage, ProjectStage::NotRead);
    const std::string longPath(100000, 'x');
    const ProjectReading r = ReadProjectFile(write("c.xml", Header(("<path>" + longPath + "</path>").c_str())));
    EXPECT_EQ(r.stage, ProjectStage::Images);
    EXPECT_TRUE(r.sources.empty());
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
    EXPECT_EQ(ProjectTitle("proj.XML", "Prod"), " - Prod");
}
