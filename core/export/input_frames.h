// The frames of a list of input files, decoded one file at a time while they are written, so
// that an export holds only a few frames whatever their number.
#pragma once

#include <memory>
#include <vector>

#include <wx/gdicmn.h>

#include "core/export/frame_source.h"
#include "core/video/video_timing.h"

class GifFrameReader;
class VideoDecoder;

// An input that gives frames though it is damaged (cut short): what could be read of it is
// used.
struct DamagedInput {
    wxString path;
    wxString damage;
};

class InputFileFrames : public FrameSource {
public:
    // With frameReferences, a name such as "anim.gif_3" (as project files store them) gives
    // only that frame of the GIF, and a frame the file doesn't have is skipped, as the
    // application's loader skips it.
    // A name such as "clip.mp4#t=12.500&w=640" (see video_reference.h) gives that one frame
    // of the video whenever no file has that name.
    explicit InputFileFrames(std::vector<wxString> paths, bool frameReferences = false);
    ~InputFileFrames() override;

    // How the video clips among the paths are taken: the frames of sampling, width pixels wide
    // (0: DefaultVideoWidth). Set before Scan.
    void SetVideoSampling(const VideoSampling& sampling, int width)
    {
        m_videoSampling = sampling;
        m_videoWidth = width;
    }

    // Finds how many frames each input gives: one per picture, every frame of a GIF path.
    // withSizes decodes every input to learn the frames' sizes (for the default canvas);
    // without it pictures are only checked to be readable and decoded when written. On
    // failure, false with error naming the file and the reason.
    bool Scan(bool withSizes, wxString& error);
    // The size of every frame, in order; filled by Scan(true).
    const std::vector<wxSize>& FrameSizes() const { return m_sizes; }
    // Every output frame's own delay, in order, filled by Scan: a GIF frame's in hundredths
    // of a second as stored (0 included), a video frame's from the sampling's rate
    // (VideoFrameDelays), -1 for a picture and a single video frame named by reference.
    const std::vector<int>& FrameDelays() const { return m_delays; }
    // Every output frame's input: the index into the paths given, in order; filled by Scan.
    // An input can give no frame at all (a frame reference its GIF doesn't have).
    const std::vector<size_t>& FrameInputs() const { return m_frameInputs; }
    // The damaged inputs found, each file once, in order: by Scan, and for a video also while
    // its frames are read (pictures that don't decode). A frame reference is whole when its
    // frame is, whatever follows it in the GIF.
    const std::vector<DamagedInput>& Damaged() const { return m_damaged; }
    // The GIF inputs Scan found with more than kGifMaxFrames frames, in order: only their
    // first kGifMaxFrames are counted and given.
    const std::vector<wxString>& FramesLeftOut() const { return m_framesLeftOut; }

    int Count() const override { return m_count; }
    bool Frame(int index, wxImage& frame, FrameError& error) override;

private:
    struct Input {
        wxString path;
        bool gif = false;
        int frames = 0;
        int firstFrame = 0;  // the GIF frame of a frame reference name
        bool video = false;
        long long millis = -1;  // a video frame reference's moment; -1 for a whole clip
        int width = 0;          // a video's frame width
    };

    bool NextFrame(wxImage& frame, FrameError& error);
    bool ScanVideo(Input& input, bool withSizes, wxString& error);
    bool NextVideoFrame(const Input& input, int inInput, wxImage& frame, FrameError& error);
    void NoteDamage(const wxString& path, const wxString& damage);

    std::vector<Input> m_inputs;
    std::vector<wxSize> m_sizes;
    std::vector<int> m_delays;
    std::vector<size_t> m_frameInputs;
    std::vector<DamagedInput> m_damaged;
    std::vector<wxString> m_framesLeftOut;
    int m_count = 0;
    // The position of the next frame: the input and the frame within it.
    int m_position = 0;
    size_t m_input = 0;
    int m_inInput = 0;
    std::unique_ptr<GifFrameReader> m_gif;
    VideoSampling m_videoSampling;
    int m_videoWidth = 0;
    // The video being read, kept open across the frames of one input and a run of
    // references to the same file.
    std::unique_ptr<VideoDecoder> m_video;
    wxString m_videoPath;
};

// The message for an input that can't be used, in English (as an export words InputRead).
wxString InputError(const wxString& path, const wxString& reason);
