// How long a video really is. A file may state no length (a stream recorded to a pipe) or a
// length its pictures never reach (a download cut short); the file's packets, read without
// decoding them, tell where its pictures end.
#pragma once

#include <functional>

#include <wx/string.h>

struct AVFormatContext;

// Where a file's packets end, from a read of them.
struct PacketEnds {
    double video = 0;         // the end of the stream's last picture packet, seconds from the
                              // stream's start; 0 when none had a time
    double file = 0;          // the end of the last packet of any stream, seconds from the
                              // file's start
    long long videoPackets = 0;  // the stream's packets read
};

// Reads the packets of format from the key picture before the moment from (seconds from the
// stream streamIndex's start) to the end of the file; progressed is called for each. Nothing
// when the file can't be positioned there.
PacketEnds ReadPacketEnds(AVFormatContext* format, int streamIndex, double from,
                          const std::function<void()>& progressed);

// A file's length as it is used, and whether the file is cut short of what it states.
struct VideoLength {
    double length = 0;  // seconds of pictures; 0 when unknown
    wxString damage;    // how the file is cut short (English); empty when it isn't
};

// How far before the stated end the packets may stop and the file still count as whole: a
// stream's last packet may end a little before its container says (audio, rounding).
double LengthTolerance(double frameRate);

// Whether packets read from shortly before the stated end reach it, so that no read of the
// whole file is needed.
bool ReachesStatedEnd(double stated, const PacketEnds& tail, double frameRate);

// The length of a video that states stated seconds (0: none) and whose packets end at ends
// (from a read of the whole file, or of its tail when that reached the end): the stated length
// when the pictures reach it, else where they end (counted at frameRate when the packets have
// no times); cut short when no stream reaches the stated end.
VideoLength JudgeVideoLength(double stated, const PacketEnds& ends, double frameRate);
