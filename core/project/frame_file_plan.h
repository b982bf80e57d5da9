// Which frames of a document a save writes into a frames folder (frame_folder.h), and what the
// project then stores for every frame. A frame without a file (an empty source) gets a PNG of
// its picture; a frame whose file lies in the frames folder of the project it came from (or
// that the record has written) keeps that file when it is in the folder saved to, and gets a copy
// of it otherwise. What was written where is kept outside the immutable frames, in a
// FrameFileRecord keyed by the picture, so undo and redo stay exact and a frame written once
// is not written again while its file is there.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "core/document/animation_document.h"

// Where the pictures of frames without a file were written.
class FrameFileRecord {
public:
    // The file picture was last written to, or empty.
    wxString Find(const PictureRef& picture) const;
    void Note(const PictureRef& picture, const wxString& path);

private:
    struct Written {
        // A picture that is gone frees its address: its entry must not match a new one.
        std::weak_ptr<const Picture> picture;
        wxString path;
    };
    std::map<const Picture*, Written> m_written;
};

// One file a save makes in the frames folder: the picture encoded as PNG, or (copyFrom set) a
// copy of a file written before.
struct FrameFileTask {
    PictureRef picture;
    wxString copyFrom;
    wxString target;
};

struct FrameFilePlan {
    wxString folder;
    // What the project stores for each frame, in order.
    wxArrayString entries;
    std::vector<FrameFileTask> tasks;
    // The folder's files the project uses, by name; the others of our names go after the save.
    std::set<wxString> used;
    // The pictures the folder holds once the save succeeded, and their files: for the record.
    std::vector<std::pair<PictureRef, wxString>> placed;
};

// The plan for writing frames into the frames folder of the project at projectPath.
// fromFolder is the frames folder of the project the document was opened or saved as before
// (empty for none): its frames are copied into a new folder. exists tells whether a file is
// there (tests give their own). copies, when given, records files written for another purpose
// (the recovery copy's) that a new file may be copied from instead of encoded again.
FrameFilePlan PlanFrameFiles(const FrameList& frames, const wxString& projectPath,
                             const wxString& fromFolder, const FrameFileRecord& record,
                             const std::function<bool(const wxString&)>& exists,
                             const FrameFileRecord* copies = nullptr);
