// Pictures from a video file at chosen moments and a chosen width, through FFmpeg's libraries.
// Runs on a worker thread; nothing here touches a window.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

#include "core/video/video_timing.h"

// How much Open learns of a file. Everything includes the length measured from the file's
// packets, which reads up to the whole file when it is cut short or states no length;
// PictureSize stops after the headers, for callers that need only the picture's size and
// must not wait (Info().length is then 0).
enum class VideoProbe { Everything, PictureSize };

struct VideoInfo {
    double length = 0;     // seconds of pictures, as the file's packets reach; 0 when unknown
    wxSize display;        // the picture on screen: pixel aspect ratio and rotation applied
    double frameRate = 0;  // the average pictures per second; 0 when unknown
};

// How a request for a frame ended.
enum class VideoFrameResult {
    Ok,
    PastEnd,  // the moment is after the video's last picture
    Stopped,  // Cancel was called
    Failed,   // the file or the decoder failed, or no picture came within the stall limit
};

// Why sampling takes no frame from a video of length seconds (English): the start lies past
// the end, or the stretch holds no moment.
wxString EmptyStretchReason(const VideoSampling& sampling, double length);

class VideoDecoder {
public:
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    // Opens path and finds its video picture stream; nullptr with reason (English, as the
    // libraries word it or ours) when it is no video this can read: not a video at all, a
    // file without pictures (sound only), a damaged header.
    static std::unique_ptr<VideoDecoder> Open(const wxString& path, wxString& reason,
                                              VideoProbe probe = VideoProbe::Everything);

    const VideoInfo& Info() const;
    // How the file is damaged as far as it has been read (English): cut short of the length
    // it states (known from Open), pictures that don't decode (known once met); empty while
    // it is whole. What can be decoded is used either way.
    const wxString& Damage() const;

    // The picture on screen at moment (seconds from the video's beginning), width pixels wide
    // (the height following the display's aspect ratio), RGB without alpha; Failed when that
    // size is beyond the limit of a picture or the free memory. Moments asked in
    // rising order decode forward from the last one; an earlier or a much later moment seeks
    // to the key picture before it first. reason says why when the result isn't Ok.
    VideoFrameResult FrameAt(double moment, int width, wxImage& frame, wxString& reason);

    // Called with each frame in order, k = 0, 1, ...: the picture, RGB without alpha, at the
    // width asked for; false stops decoding (the frames delivered stay delivered).
    using Deliver = std::function<bool(int k, wxImage&& frame)>;

    // Decodes frame k = the picture shown at VideoFrameMillis(sampling, k) for each of the
    // VideoFrameCount(sampling, length) moments, width pixels wide (the height following the
    // display's aspect ratio). Seeks to the key picture before the start and decodes forward.
    // A clip that ends before its stated length (cut short) gives the frames up to its last
    // picture. False with reason when no frame could be made, or when the file fails or
    // stalls part-way (the frames delivered before stay delivered); delivered says how many.
    bool Decode(const VideoSampling& sampling, int width, const Deliver& deliver, int& delivered,
                wxString& reason);

    // From any thread: ends a Decode in progress soon, also one waiting on the file.
    void Cancel() { m_cancelled = true; }
    // Whether a wait on the file should end: cancelled, or no progress within the stall limit.
    bool Interrupted() const;

    // How long the decoder waits for the next picture before it gives up on a stream that
    // yields none; seconds.
    void SetStallLimit(double seconds) { m_stallLimit = seconds; }

private:
    struct State;
    VideoDecoder();
    // Finds the length from the file's packets: where its pictures end when it states no
    // length or is cut short of the one it states.
    void MeasureLength();
    void NoteUndecodable();
    // To the key picture before seconds; firstByte: to the file's first byte where the
    // format allows it.
    void Seek(double seconds, bool firstByte = false);
    // Decodes the picture after the cursor's into its pending place.
    VideoFrameResult NextPicture(wxString& reason);
    // Moves the cursor to the picture on screen at moment.
    VideoFrameResult Advance(double moment, wxString& reason);
    // The held picture at width, turned upright.
    bool Convert(int width, wxImage& image);

    std::unique_ptr<State> m_state;
    // Restarts the stall limit's count: a picture came, or the file is being opened.
    void Progressed();

    std::atomic<bool> m_cancelled{false};
    double m_stallLimit = 10;
    // When a wait on the file gives up, in the steady clock's nanoseconds.
    std::atomic<int64_t> m_deadline{0};
};
