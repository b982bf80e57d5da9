#include "core/video/video_extent.h"

#include <algorithm>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

// Where a packet ends in seconds from origin (in the packet's time base); 0 without a time.
double PacketEnd(const AVPacket& packet, const AVRational& timeBase, int64_t origin)
{
    const int64_t start = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
    if (start == AV_NOPTS_VALUE)
        return 0;
    return (start - origin + std::max<int64_t>(packet.duration, 0)) * av_q2d(timeBase);
}

int64_t StartOf(const AVStream* stream)
{
    return stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
}

// Puts the file's reading position at the key picture before from; at its beginning for a
// moment at or before the stream's start, by bytes where the format can't seek by time.
bool Position(AVFormatContext* format, const AVStream* stream, double from)
{
    if (from > 0) {
        const int64_t target = StartOf(stream) + static_cast<int64_t>(from / av_q2d(stream->time_base));
        return av_seek_frame(format, stream->index, target, AVSEEK_FLAG_BACKWARD) >= 0;
    }
    return av_seek_frame(format, stream->index, StartOf(stream), AVSEEK_FLAG_BACKWARD) >= 0 ||
           av_seek_frame(format, -1, 0, AVSEEK_FLAG_BYTE) >= 0;
}

} // namespace

PacketEnds ReadPacketEnds(AVFormatContext* format, int streamIndex, double from,
                          const std::function<void()>& progressed)
{
    PacketEnds ends;
    const AVStream* video = format->streams[streamIndex];
    if (!Position(format, video, from))
        return ends;
    AVPacket* packet = av_packet_alloc();
    if (!packet)
        return ends;
    const int64_t fileOrigin = format->start_time != AV_NOPTS_VALUE
                                   ? av_rescale_q(format->start_time, AV_TIME_BASE_Q,
                                                  video->time_base)
                                   : StartOf(video);
    // A damaged stretch fails a few reads before the packets after it come again.
    int failures = 0;
    while (failures < 32) {
        const int read = av_read_frame(format, packet);
        if (read == AVERROR_EOF || read == AVERROR_EXIT || (read < 0 && avio_feof(format->pb)))
            break;
        if (read < 0) {
            ++failures;
            continue;
        }
        failures = 0;
        progressed();
        const AVStream* stream = format->streams[packet->stream_index];
        const double end = PacketEnd(*packet, stream->time_base, StartOf(stream));
        if (packet->stream_index == streamIndex) {
            ++ends.videoPackets;
            ends.video = std::max(ends.video, end);
            ends.file = std::max(ends.file, PacketEnd(*packet, stream->time_base, fileOrigin));
        } else {
            const int64_t origin = av_rescale_q(fileOrigin, video->time_base, stream->time_base);
            ends.file = std::max(ends.file, PacketEnd(*packet, stream->time_base, origin));
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return ends;
}

double LengthTolerance(double frameRate)
{
    return std::max(0.25, 2 / (frameRate > 0 ? frameRate : 25));
}

bool ReachesStatedEnd(double stated, const PacketEnds& tail, double frameRate)
{
    return stated > 0 && tail.video >= stated - LengthTolerance(frameRate);
}

VideoLength JudgeVideoLength(double stated, const PacketEnds& ends, double frameRate)
{
    VideoLength judged;
    double pictures = ends.video;
    if (pictures <= 0 && ends.videoPackets > 0 && frameRate > 0)
        pictures = ends.videoPackets / frameRate;
    const double tolerance = LengthTolerance(frameRate);
    if (stated <= 0 || pictures <= 0) {
        judged.length = stated > 0 ? stated : pictures;
        return judged;
    }
    judged.length = pictures >= stated - tolerance ? stated : pictures;
    if (std::max(ends.file, pictures) < stated - tolerance)
        judged.damage = wxString::Format("the file ends after %.2f of the %.2f seconds it states",
                                         std::max(ends.file, pictures), stated);
    return judged;
}
