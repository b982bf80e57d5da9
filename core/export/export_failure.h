// Why an export failed, as a kind and its arguments rather than a sentence: the export runs
// on a worker thread, while the sentence belongs to the place that shows it, in that place's
// language (the window's, or English on the command line).
#pragma once

#include <cstdint>

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "core/files/target_node.h"

class AtomicFileWriter;

struct ExportFailure {
    enum class Kind {
        None,
        NoFrames,           // there is no frame to write
        BadCanvas,          // canvas is not between 1 and the largest picture read back
        CanvasMemory,       // one frame of the canvas needs more memory than is free
        FolderNotWritable,  // folder can't take a new file: no permission, read-only, missing
        OutputWrite,        // the output could not be written or put in place
        OutputNotAFile,     // a folder, a pipe or a device is where the output would go
        OutputReadOnly,     // the output is a file the user may not write
        InputRead,          // an input could not be read
        FrameFit,           // no memory to place the frame on the canvas
        FrameReduce,        // frame could not be reduced to a palette
        FrameEncode,        // frame could not be encoded
        Stopped,            // the export was stopped on request
        TooLarge,           // no file within the size limit could be made
        Encoder,            // the writer of the file's type refused: reason says why
    };
    Kind kind = Kind::None;
    // The output file; for InputRead the input file. Empty when there is no file to name
    // (an export to a stream, an input failure that is no one file's).
    wxString file;
    wxString folder;    // FolderNotWritable: the folder that refused the new file
    wxString reason;    // the system's or the decoder's own words, shown as they are
    TargetNode node = TargetNode::Missing;  // OutputNotAFile: what is there
    int frame = -1;     // FrameFit, FrameReduce, FrameEncode: the frame (0-based) ...
    int count = 0;      // ... of count
    wxSize canvas;      // BadCanvas, CanvasMemory: the size asked for
    uint64_t needed = 0;     // CanvasMemory: the bytes one frame needs ...
    uint64_t available = 0;  // ... and the bytes that are free
    uint64_t limit = 0;     // TooLarge: the largest length allowed, in bytes ...
    uint64_t smallest = 0;  // ... and the shortest file the export could make
};

// The failed step of an atomic write as the user can act on it: a folder that can't take the
// temporary file asks for another folder; something other than a file, or a read-only file,
// at the target asks for another name; anything else is a failed write of the target.
ExportFailure FileWriteFailure(const AtomicFileWriter& file);

// The sentence for failure, naming its file and arguments; empty for None. With translated
// the words come from the interface language's catalog, so call it so only on the GUI thread;
// without, they are English. The reason is never translated.
wxString ExportFailureText(const ExportFailure& failure, bool translated);
