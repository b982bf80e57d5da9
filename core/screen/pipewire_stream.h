// One video stream of a PipeWire node, read on a thread of PipeWire's own, keeping the latest
// picture the node sent. Compositors may send a picture only when something on the screen
// changed, so the latest one stays the screen's picture for as long as no new one comes.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/screen/capture_region.h"

class PipeWireStream {
public:
    // Connects to node on the PipeWire remote fd, which it takes over (PipeWire closes it,
    // also when connecting fails); null with a sentence in error when PipeWire refuses.
    static std::unique_ptr<PipeWireStream> Open(int fd, uint32_t node, std::string& error);
    // Disconnects the stream, then the core, the context and the thread, in that order.
    ~PipeWireStream();
    PipeWireStream(const PipeWireStream&) = delete;
    PipeWireStream& operator=(const PipeWireStream&) = delete;

    // Waits up to timeout for the node and the stream to agree on a size and pixel format;
    // false with a sentence in error when they did not, the stream failed, or cancel was set.
    bool WaitForFormat(std::chrono::milliseconds timeout, const std::atomic<bool>& cancel,
                       std::string& error);
    // The agreed size; 0 x 0 before it and once the stream has ended or failed.
    int Width() const;
    int Height() const;
    // The pixels of region from the latest picture, as red, green and blue; waits up to
    // timeout when no picture of the agreed size came yet. False with a sentence in error when
    // the stream ended or failed, no picture came, or the region does not lie inside.
    bool Cut(const CaptureRect& region, std::chrono::milliseconds timeout,
             std::vector<uint8_t>& rgb, std::string& error);

private:
    PipeWireStream();
    bool Connect(int fd, uint32_t node, std::string& error);
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};
