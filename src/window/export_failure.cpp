#include "src/window/export_failure.h"

#include <wx/translation.h>

#include "app/atomic_file.h"
#include "src/window/gif_blocks.h"

namespace {

using Kind = ExportFailure::Kind;

wxString Words(const char* english, bool translated)
{
    return translated ? wxString(wxGetTranslation(english)) : wxString(english);
}

// "frame N of COUNT ..." for the frame failure f.
wxString FrameDetail(const char* english, const ExportFailure& f, bool t)
{
    return wxString::Format(Words(english, t), f.frame + 1, f.count);
}

// What went wrong with the output, without naming the output file.
wxString OutputDetail(const ExportFailure& f, bool t)
{
    switch (f.kind) {
    case Kind::NoFrames:
        return Words(wxTRANSLATE("there are no frames to write"), t);
    case Kind::BadCanvas:
        return wxString::Format(
            Words(wxTRANSLATE("the canvas size %d x %d is not between 1 and %d pixels"), t),
            f.canvas.x, f.canvas.y, kGifMaxDimension);
    case Kind::FolderNotWritable:
        return wxString::Format(Words(wxTRANSLATE("the folder \"%s\" can't take a new file "
                                                  "(%s); choose another folder"),
                                      t),
                                f.folder, f.reason);
    case Kind::FrameFit:
        return FrameDetail(wxTRANSLATE("frame %d of %d could not be fitted into the canvas"), f, t);
    case Kind::FrameReduce:
        return FrameDetail(wxTRANSLATE("frame %d of %d could not be reduced to 256 colours"), f, t);
    case Kind::FrameEncode:
        return FrameDetail(wxTRANSLATE("frame %d of %d could not be encoded"), f, t);
    case Kind::Stopped:
        return Words(wxTRANSLATE("the export was stopped"), t);
    case Kind::TooLarge:
        return wxString::Format(Words(wxTRANSLATE("the smallest file that could be made has %s "
                                                  "bytes, more than the limit of %s bytes"),
                                      t),
                                wxString::Format("%llu", static_cast<unsigned long long>(f.smallest)),
                                wxString::Format("%llu", static_cast<unsigned long long>(f.limit)));
    default:
        return f.reason;
    }
}

} // namespace

wxString ExportFailureText(const ExportFailure& failure, bool translated)
{
    if (failure.kind == Kind::None)
        return wxString();
    if (failure.kind == Kind::InputRead) {
        if (failure.file.empty())
            return failure.reason;
        return wxString::Format(Words(wxTRANSLATE("can't read \"%s\": %s"), translated),
                                failure.file, failure.reason);
    }
    const wxString detail = OutputDetail(failure, translated);
    if (failure.file.empty())
        return detail;
    return wxString::Format(Words(wxTRANSLATE("can't write \"%s\": %s"), translated),
                            failure.file, detail);
}

ExportFailure FileWriteFailure(const AtomicFileWriter& file)
{
    ExportFailure failure;
    failure.kind = file.Failure() == AtomicFileFailure::CreateTemp ? ExportFailure::Kind::FolderNotWritable
                                                                   : ExportFailure::Kind::OutputWrite;
    if (failure.kind == ExportFailure::Kind::FolderNotWritable)
        failure.folder = file.Folder();
    failure.file = file.TargetPath();
    failure.reason = file.Reason();
    return failure;
}
