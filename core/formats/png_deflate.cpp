#include "core/formats/png_deflate.h"

#include <algorithm>
#include <vector>

#include <zlib.h>

#include "core/formats/png_filters.h"

int PngZlibLevel(int effort)
{
    if (effort < 0)
        return kPngDefaultLevel;
    return 1 + (std::min(effort, 100) * 8 + 50) / 100;
}

namespace {

// A zlib stream that deflates into a growing buffer, ended on destruction.
class RowDeflater {
public:
    RowDeflater(int level, PngBytes& out) : m_out(out)
    {
        // The filtered strategy suits rows of small differences; 15 bits of window and the
        // most memory zlib offers for its matches.
        m_ok = deflateInit2(&m_stream, level, Z_DEFLATED, 15, 9, Z_FILTERED) == Z_OK;
    }
    ~RowDeflater()
    {
        if (m_ok)
            deflateEnd(&m_stream);
    }
    RowDeflater(const RowDeflater&) = delete;
    RowDeflater& operator=(const RowDeflater&) = delete;

    bool Add(const uint8_t* bytes, size_t size, bool last)
    {
        if (!m_ok)
            return false;
        m_stream.next_in = const_cast<Bytef*>(bytes);
        m_stream.avail_in = static_cast<uInt>(size);
        const int flush = last ? Z_FINISH : Z_NO_FLUSH;
        for (;;) {
            const size_t used = m_out.size();
            m_out.resize(used + kStep);
            m_stream.next_out = m_out.data() + used;
            m_stream.avail_out = kStep;
            const int status = deflate(&m_stream, flush);
            m_out.resize(used + kStep - m_stream.avail_out);
            if (status == Z_STREAM_END)
                return true;
            if (status != Z_OK && status != Z_BUF_ERROR)
                return false;
            // Without Z_FINISH zlib is done once it has taken the input and has room left.
            if (!last && m_stream.avail_in == 0 && m_stream.avail_out > 0)
                return true;
        }
    }

private:
    static constexpr uInt kStep = 1 << 16;
    z_stream m_stream{};
    PngBytes& m_out;
    bool m_ok = false;
};

} // namespace

bool DeflatePngRows(const uint8_t* pixels, size_t stride, int width, int height, int bpp,
                    int level, PngBytes& out)
{
    const size_t length = static_cast<size_t>(width) * bpp;
    std::vector<uint8_t> first(length + 1), second(length + 1);
    RowDeflater deflater(level, out);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + stride * y;
        const uint8_t* filtered =
            FilterRowBest(row, y > 0 ? row - stride : nullptr, length, bpp, first.data(),
                          second.data());
        if (!deflater.Add(filtered, length + 1, y + 1 == height))
            return false;
    }
    return true;
}
