// Where an export takes its frames from: a list held in memory, or files decoded on demand.
#pragma once

#include <memory>
#include <vector>

#include <wx/image.h>
#include <wx/string.h>

// Why a source gave no frame.
struct FrameError {
    wxString file;         // the input that failed; empty when no one file is to blame
    wxString reason;       // the system's or the decoder's words; without a file, all there is
    bool stopped = false;  // the source was cancelled: the export is being stopped
};

class FrameSource {
public:
    virtual ~FrameSource() = default;
    // The number of frames; fixed before the first Frame call.
    virtual int Count() const = 0;
    // Frame index into frame. The exporter asks for 0, 1, ..., Count() - 1, each once and one
    // call at a time, though not always from the same thread. On failure, false and error
    // says why.
    virtual bool Frame(int index, wxImage& frame, FrameError& error) = 0;
};

// Another source's frames, lent to one pass of an export without handing the source over: the
// lender keeps it for later passes or delivers to it meanwhile.
class LentFrameSource : public FrameSource {
public:
    // A source the lender keeps alive for as long as this is used.
    explicit LentFrameSource(FrameSource& source) : m_source(source) {}
    // A source shared with the lender; this keeps it alive too.
    explicit LentFrameSource(std::shared_ptr<FrameSource> source)
        : m_source(*source), m_shared(std::move(source))
    {
    }
    int Count() const override { return m_source.Count(); }
    bool Frame(int index, wxImage& frame, FrameError& error) override
    {
        return m_source.Frame(index, frame, error);
    }

private:
    FrameSource& m_source;
    std::shared_ptr<FrameSource> m_shared;
};

// Frames held in memory. The images must not share their data with images used elsewhere
// (pass copies made with wxImage::Copy): the toolkit's reference counts are not atomic and the
// frames are read on worker threads. Each frame is released once it has been handed out.
class ImageListFrameSource : public FrameSource {
public:
    explicit ImageListFrameSource(std::vector<wxImage> frames) : m_frames(std::move(frames)) {}
    int Count() const override { return static_cast<int>(m_frames.size()); }
    bool Frame(int index, wxImage& frame, FrameError& error) override
    {
        if (index < 0 || index >= Count()) {
            error.reason = wxString::Format("there is no frame %d", index + 1);
            return false;
        }
        frame = m_frames[index];
        m_frames[index] = wxImage();
        return true;
    }

private:
    std::vector<wxImage> m_frames;
};
