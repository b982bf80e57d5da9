#include "core/export/export_failure.h"

#include <wx/translation.h>

#include "core/files/atomic_file.h"
#include "core/input/image_header.h"
#include "core/base/file_length_text.h"
#include "core/picture/picture_limit.h"

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

// What stands where the output would go, when it is no file.
wxString NodeDetail(TargetNode node, bool t)
{
    switch (node) {
    case TargetNode::Folder:
        return Words(wxTRANSLATE("it is a folder, not a file"), t);
    case TargetNode::Pipe:
        return Words(wxTRANSLATE("it is a named pipe, not a file"), t);
    case TargetNode::Device:
        return Words(wxTRANSLATE("it is a device, not a file"), t);
    case TargetNode::Socket:
        return Words(wxTRANSLATE("it is a socket, not a file"), t);
    default:
        return Words(wxTRANSLATE("it is not a regular file"), t);
    }
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
            f.canvas.x, f.canvas.y, kMaxPictureSide);
    case Kind::CanvasMemory:
        return wxString::Format(Words(wxTRANSLATE("a frame of the canvas of %d x %d pixels needs "
                                                  "about %s of memory, and only %s is free"),
                                      t),
                                f.canvas.x, f.canvas.y, FileLengthText(f.needed),
                                FileLengthText(f.available));
    case Kind::FolderNotWritable:
        return wxString::Format(Words(wxTRANSLATE("the folder \"%s\" can't take a new file "
                                                  "(%s); choose another folder"),
                                      t),
                                f.folder, f.reason);
    case Kind::OutputNotAFile:
        return NodeDetail(f.node, t);
    case Kind::OutputReadOnly:
        return wxString::Format(Words(wxTRANSLATE("the file is read-only (%s)"), t), f.reason);
    case Kind::FrameFit:
        return FrameDetail(wxTRANSLATE("there was not enough memory to place frame %d of %d on "
                                       "the canvas"),
                           f, t);
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
    switch (file.Failure()) {
    case AtomicFileFailure::CreateTemp:
        failure.kind = Kind::FolderNotWritable;
        failure.folder = file.Folder();
        break;
    case AtomicFileFailure::NotAFile:
        failure.kind = Kind::OutputNotAFile;
        failure.node = file.Node();
        break;
    case AtomicFileFailure::ReadOnly:
        failure.kind = Kind::OutputReadOnly;
        break;
    default:
        failure.kind = Kind::OutputWrite;
    }
    failure.file = file.TargetPath();
    failure.reason = file.Reason();
    return failure;
}
