// Export failures: one sentence per kind, naming its arguments, in English or in the
// interface language, with the system's reason left as it is.
#include <gtest/gtest.h>

#include <wx/filefn.h>
#include <wx/translation.h>

#include "core/export/canvas_check.h"
#include "core/export/export_failure.h"
#include "support/german_catalog.h"

namespace {

using Kind = ExportFailure::Kind;

ExportFailure Make(Kind kind, const wxString& file = "/t/anim.gif")
{
    ExportFailure failure;
    failure.kind = kind;
    failure.file = file;
    return failure;
}

ExportFailure FrameFailure(Kind kind, int frame, int count, const wxString& file = "/t/anim.gif")
{
    ExportFailure failure = Make(kind, file);
    failure.frame = frame;
    failure.count = count;
    return failure;
}

ExportFailure FolderFailure()
{
    ExportFailure failure = Make(Kind::FolderNotWritable);
    failure.folder = "/t";
    failure.reason = "Permission denied";
    return failure;
}

} // namespace

TEST(ExportFailureText, EachKindNamesItsArgumentsInEnglish)
{
    ExportFailure canvas = Make(Kind::BadCanvas);
    canvas.canvas = wxSize(0, 70000);
    ExportFailure memory = CheckCanvas(wxSize(16000, 16000), 850000);
    memory.file = "/t/anim.gif";
    ExportFailure output = Make(Kind::OutputWrite);
    output.reason = "No space left on device";
    ExportFailure input = Make(Kind::InputRead, "/in/b.png");
    input.reason = "damaged";
    ExportFailure device = Make(Kind::OutputNotAFile, "/dev/null");
    device.node = TargetNode::Device;
    ExportFailure folder = Make(Kind::OutputNotAFile, "/t/");
    folder.node = TargetNode::Folder;
    ExportFailure readOnly = Make(Kind::OutputReadOnly);
    readOnly.reason = "Permission denied";
    ExportFailure unnamedInput = Make(Kind::InputRead, "");
    unnamedInput.reason = "there is no frame 3";
    const struct {
        ExportFailure failure;
        const char* text;
    } cases[] = {
        {Make(Kind::None), ""},
        {Make(Kind::NoFrames), "can't write \"/t/anim.gif\": there are no frames to write"},
        {canvas, "can't write \"/t/anim.gif\": the canvas size 0 x 70000 is not between 1 and "
                 "16384 pixels"},
        {memory, "can't write \"/t/anim.gif\": a frame of the canvas of 16000 x 16000 pixels "
                 "needs about 2.0 GB of memory, and only 850 kB is free"},
        {FolderFailure(), "can't write \"/t/anim.gif\": the folder \"/t\" can't take a new file "
                          "(Permission denied); choose another folder"},
        {output, "can't write \"/t/anim.gif\": No space left on device"},
        {device, "can't write \"/dev/null\": it is a device, not a file"},
        {folder, "can't write \"/t/\": it is a folder, not a file"},
        {readOnly, "can't write \"/t/anim.gif\": the file is read-only (Permission denied)"},
        {input, "can't read \"/in/b.png\": damaged"},
        {unnamedInput, "there is no frame 3"},
        {FrameFailure(Kind::FrameFit, 0, 5),
         "can't write \"/t/anim.gif\": there was not enough memory to place frame 1 of 5 on "
         "the canvas"},
        {FrameFailure(Kind::FrameReduce, 3, 5),
         "can't write \"/t/anim.gif\": frame 4 of 5 could not be reduced to 256 colours"},
        {FrameFailure(Kind::FrameEncode, 4, 5),
         "can't write \"/t/anim.gif\": frame 5 of 5 could not be encoded"},
        {Make(Kind::Stopped), "can't write \"/t/anim.gif\": the export was stopped"},
        // Written to a stream: no file to name.
        {FrameFailure(Kind::FrameEncode, 1, 2, ""), "frame 2 of 2 could not be encoded"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExportFailureText(c.failure, false), c.text);
}

TEST(ExportFailureText, TranslatedTextComesFromTheCatalogAndKeepsTheSystemsReason)
{
    wxString translated, english, frame;
    {
        ScopedGermanCatalog german;
        translated = ExportFailureText(FolderFailure(), true);
        english = ExportFailureText(FolderFailure(), false);
        frame = ExportFailureText(FrameFailure(Kind::FrameEncode, 1, 3), true);
    }

    // The expected texts are UTF-8; the tests run in the C locale.
    EXPECT_EQ(translated, wxString::FromUTF8("„/t/anim.gif“ kann nicht geschrieben werden: der "
                                             "Ordner „/t“ kann keine neue Datei aufnehmen "
                                             "(Permission denied); bitte wählen Sie einen "
                                             "anderen Ordner"));
    EXPECT_EQ(frame, wxString::FromUTF8("„/t/anim.gif“ kann nicht geschrieben werden: "
                                        "Einzelbild 2 von 3 konnte nicht kodiert werden"));
    // Not translated, even with a catalog in force: the command line and the export thread.
    EXPECT_EQ(english, "can't write \"/t/anim.gif\": the folder \"/t\" can't take a new file "
                       "(Permission denied); choose another folder");
}

// A canvas is refused before any frame with the reason that holds: beyond the largest picture
// the program reads back, or more than the free memory for one frame.
TEST(CanvasCheck, CanvasBeyondThePixelLimitOrTheFreeMemoryIsRefused)
{
    const uint64_t gigabyte = 1000ull * 1000 * 1000;
    const struct {
        wxSize canvas;
        uint64_t available;
        Kind kind;
    } cases[] = {
        {wxSize(16384, 16384), 0, Kind::None},  // free memory unknown: only the sides count
        {wxSize(16384, 16384), 8 * gigabyte, Kind::None},
        {wxSize(16385, 16384), 64 * gigabyte, Kind::BadCanvas},
        {wxSize(1, 16385), 64 * gigabyte, Kind::BadCanvas},
        {wxSize(65535, 65535), 0, Kind::BadCanvas},
        {wxSize(0, 10), 0, Kind::BadCanvas},
        {wxSize(16384, 16384), 2 * gigabyte, Kind::CanvasMemory},
        {wxSize(1000, 1000), 8000000, Kind::None},
        {wxSize(1000, 1000), 7999999, Kind::CanvasMemory},
    };
    for (const auto& c : cases) {
        const ExportFailure failure = CheckCanvas(c.canvas, c.available);
        EXPECT_EQ(failure.kind, c.kind) << c.canvas.x << " x " << c.canvas.y << ", " << c.available;
        if (c.kind == Kind::CanvasMemory) {
            EXPECT_EQ(failure.needed, uint64_t(c.canvas.x) * c.canvas.y * kCanvasBytesPerPixel);
            EXPECT_EQ(failure.available, c.available);
        }
    }
}
