// MP4 (H.264) and WebM (VP9) files from an animation, through FFmpeg's libraries: 4:2:0
// pictures of an even size (an odd canvas gains a row or column, its edge repeated), alpha
// dropped over black, no sound. Each frame keeps its exact time on a clock of hundredths of a
// second, so regular delays give a constant frame rate and irregular ones play as given;
// nothing is repeated. Video has no loop count; the encoding's is ignored.
#pragma once

#include <memory>
#include <string>

#include "core/formats/animation_encoder.h"
#include "core/video/video_encoding_plan.h"

class VideoEncoder : public AnimationEncoder {
public:
    // encoderName: FFmpeg's encoder to use; empty for the container's own (libx264, libvpx-vp9).
    explicit VideoEncoder(VideoContainer container, std::string encoderName = {});
    ~VideoEncoder() override;

    // The muxers write to a temporary file of their own (MP4's index is moved to the front
    // once the file is complete, which needs a file to seek in); Finish copies it into out.
    bool Begin(wxOutputStream& out, const AnimationEncoding& encoding,
               std::string& error) override;
    bool Add(const wxImage& frame, int delay, std::string& error) override;
    bool Finish(std::string& error) override;

private:
    struct State;
    // Sends frame (nullptr: the end) to the encoder and writes the packets it gives back.
    bool Encode(bool last, std::string& error);

    VideoContainer m_container;
    std::string m_encoderName;
    std::unique_ptr<State> m_state;
};
