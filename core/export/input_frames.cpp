#include "core/export/input_frames.h"

#include "core/export/export_failure.h"
#include "core/input/frame_reference.h"
#include "core/input/image_decode.h"
#include "core/input/load_estimate.h"
#include "core/video/video_decoder.h"
#include "core/video/video_files.h"
#include "core/video/video_geometry.h"
#include "core/video/video_reference.h"
#include "core/base/readable_file.h"
#include "core/base/available_memory.h"
#include "core/picture/picture_limit.h"
#include "core/gif/gif_frame_reader.h"

#include <wx/filefn.h>

wxString InputError(const wxString& path, const wxString& reason)
{
    ExportFailure failure;
    failure.kind = ExportFailure::Kind::InputRead;
    failure.file = path;
    failure.reason = reason;
    return ExportFailureText(failure, false);
}

InputFileFrames::InputFileFrames(std::vector<wxString> paths, bool frameReferences)
{
    for (wxString& path : paths) {
        Input input;
        const int frame = frameReferences ? GetGifFrameIndex(path) : -1;
        input.path = frame >= 0 ? StripGifFrameSuffix(path) : std::move(path);
        input.gif = IsGifPath(input.path);
        input.firstFrame = frame;
        if (!input.gif && !wxFileExists(input.path)) {
            if (const auto reference = ParseVideoReference(input.path)) {
                input.path = reference->video;
                input.video = true;
                input.millis = reference->millis;
                input.width = reference->width;
            }
        }
        input.video = input.video || IsVideoPath(input.path);
        m_inputs.push_back(std::move(input));
    }
}

InputFileFrames::~InputFileFrames() = default;

void InputFileFrames::NoteDamage(const wxString& path, const wxString& damage)
{
    if (damage.empty())
        return;
    for (const DamagedInput& known : m_damaged)
        if (known.path == path)
            return;
    m_damaged.push_back({path, damage});
}

bool InputFileFrames::Scan(bool withSizes, wxString& error)
{
    m_count = 0;
    m_sizes.clear();
    m_delays.clear();
    m_frameInputs.clear();
    m_damaged.clear();
    m_framesLeftOut.clear();
    for (size_t index = 0; index < m_inputs.size(); ++index) {
        Input& input = m_inputs[index];
        wxString reason;
        if (input.video) {
            if (!ScanVideo(input, withSizes, error))
                return false;
        } else if (input.gif) {
            GifFrameReader reader;
            if (!reader.Open(input.path, &reason)) {
                error = InputError(input.path, reason);
                return false;
            }
            const unsigned count = reader.Count();
            unsigned first = 0;
            input.frames = static_cast<int>(count);
            if (input.firstFrame >= 0) {
                first = static_cast<unsigned>(input.firstFrame);
                input.frames = first < count ? 1 : 0;
            } else {
                NoteDamage(input.path, reader.Damage());
                if (reader.FramesLeftOut())
                    m_framesLeftOut.push_back(input.path);
            }
            for (unsigned i = first; i < first + static_cast<unsigned>(input.frames); ++i)
                m_delays.push_back(reader.Delay(i));
            if (withSizes)
                for (unsigned i = first; i < first + static_cast<unsigned>(input.frames); ++i) {
                    wxImage image;
                    if (!reader.Frame(i, image)) {
                        error = InputError(input.path,
                                           wxString::Format("frame %u can't be decoded", i + 1));
                        return false;
                    }
                    m_sizes.push_back(image.GetSize());
                }
        } else if (withSizes) {
            std::vector<wxImage> frames;
            wxString damage;
            if (!DecodeImageFile(input.path, frames, &reason, &damage)) {
                error = InputError(input.path, reason);
                return false;
            }
            input.frames = 1;
            m_sizes.push_back(frames.front().GetSize());
            NoteDamage(input.path, damage);
        } else {
            if (!CheckReadable(input.path, &reason)) {
                error = InputError(input.path, reason);
                return false;
            }
            input.frames = 1;
            NoteDamage(input.path, PictureDamage(input.path));
        }
        if (!input.gif && !input.video)
            m_delays.push_back(-1);
        m_frameInputs.insert(m_frameInputs.end(), static_cast<size_t>(input.frames), index);
        m_count += input.frames;
    }
    m_position = 0;
    m_input = 0;
    m_inInput = 0;
    m_gif.reset();
    return true;
}

bool InputFileFrames::ScanVideo(Input& input, bool withSizes, wxString& error)
{
    wxString reason;
    if (!CheckReadable(input.path, &reason)) {
        error = InputError(input.path, reason);
        return false;
    }
    m_video = VideoDecoder::Open(input.path, reason);
    m_videoPath = input.path;
    if (!m_video) {
        error = InputError(input.path, reason);
        return false;
    }
    const VideoInfo& info = m_video->Info();
    if (input.millis < 0)
        input.width = m_videoWidth > 0 ? m_videoWidth : DefaultVideoWidth(info.display);
    // Refused before a frame is written: every frame of the input has this size.
    reason = PictureSizeProblem(VideoFrameSize(info.display, input.width), AvailableMemory());
    if (!reason.empty()) {
        error = InputError(input.path, reason);
        return false;
    }
    NoteDamage(input.path, m_video->Damage());
    if (input.millis >= 0) {
        input.frames = 1;
        m_delays.push_back(-1);
    } else {
        // Without a length the stretch must end where the user said.
        if (!(info.length > 0) && m_videoSampling.end >= kWholeVideo) {
            error = InputError(input.path, "its length can't be found; --end or --duration "
                                           "says how much of it to take");
            return false;
        }
        const double length = info.length > 0 ? info.length : m_videoSampling.end;
        input.frames = VideoFrameCount(m_videoSampling, length);
        if (input.frames == 0) {
            error = InputError(input.path, EmptyStretchReason(m_videoSampling, length));
            return false;
        }
        const std::vector<int> delays = VideoFrameDelays(input.frames, m_videoSampling.fps);
        m_delays.insert(m_delays.end(), delays.begin(), delays.end());
    }
    if (withSizes)
        m_sizes.insert(m_sizes.end(), static_cast<size_t>(input.frames),
                       VideoFrameSize(info.display, input.width));
    return true;
}

bool InputFileFrames::NextVideoFrame(const Input& input, int inInput, wxImage& frame,
                                     FrameError& error)
{
    wxString reason;
    if (!m_video || m_videoPath != input.path) {
        m_video = VideoDecoder::Open(input.path, reason);
        m_videoPath = input.path;
        if (!m_video) {
            error = {input.path, reason};
            return false;
        }
    }
    const long long millis =
        input.millis >= 0 ? input.millis : VideoFrameMillis(m_videoSampling, inInput);
    if (m_video->FrameAt(millis / 1000.0, input.width, frame, reason) != VideoFrameResult::Ok) {
        error = {input.path, reason};
        return false;
    }
    NoteDamage(input.path, m_video->Damage());
    return true;
}

bool InputFileFrames::Frame(int index, wxImage& frame, FrameError& error)
{
    if (index != m_position || index >= m_count) {
        error.reason = wxString::Format("frame %d was asked for out of order", index + 1);
        return false;
    }
    ++m_position;
    return NextFrame(frame, error);
}

bool InputFileFrames::NextFrame(wxImage& frame, FrameError& error)
{
    while (m_input < m_inputs.size() && m_inInput >= m_inputs[m_input].frames) {
        ++m_input;
        m_inInput = 0;
        m_gif.reset();
    }
    if (m_input >= m_inputs.size()) {
        error.reason = "there are fewer frames than counted";
        return false;
    }
    const Input& input = m_inputs[m_input];
    const int inInput = m_inInput++;
    wxString reason;
    if (input.video)
        return NextVideoFrame(input, inInput, frame, error);
    if (input.gif) {
        if (!m_gif) {
            m_gif = std::make_unique<GifFrameReader>();
            if (!m_gif->Open(input.path, &reason)) {
                error = {input.path, reason};
                return false;
            }
        }
        const int gifFrame = input.firstFrame >= 0 ? input.firstFrame : inInput;
        if (!m_gif->Frame(static_cast<unsigned>(gifFrame), frame)) {
            error = {input.path, wxString::Format("frame %d can't be decoded", gifFrame + 1)};
            return false;
        }
        // The last frame of this file has been handed out; its decoded data can go.
        if (inInput + 1 >= input.frames)
            m_gif.reset();
        return true;
    }
    std::vector<wxImage> frames;
    if (!DecodeImageFile(input.path, frames, &reason)) {
        error = {input.path, reason};
        return false;
    }
    frame = frames.front();
    return true;
}
