#include "src/window/size_estimate.h"

#include <wx/stream.h>

#include "src/window/frame_source.h"

namespace {

// Counts the bytes written and keeps none of them.
class CountingOutput : public wxOutputStream {
public:
    uint64_t Count() const { return m_count; }

protected:
    size_t OnSysWrite(const void*, size_t size) override
    {
        m_count += size;
        return size;
    }

private:
    uint64_t m_count = 0;
};

class CancelSink : public ExportProgressSink {
public:
    explicit CancelSink(const std::atomic<bool>& cancel) : m_cancel(cancel) {}
    void Progress(int) override {}
    bool StopRequested() override { return m_cancel.load(); }

private:
    const std::atomic<bool>& m_cancel;
};

} // namespace

std::optional<uint64_t> EstimateGifSize(FrameSource& frames, const GifExportOptions& options,
                                        const std::atomic<bool>& cancel)
{
    CountingOutput counter;
    CancelSink sink(cancel);
    const GifExportResult result = WriteGifAnimation(frames, counter, options, &sink);
    if (!result.ok || cancel.load())
        return std::nullopt;
    return counter.Count();
}
