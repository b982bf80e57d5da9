#include "core/formats/apng_layout.h"

#include <algorithm>
#include <cstring>

#include <zlib.h>

#include "core/base/byte_order.h"
#include "core/gif/gif_geometry.h"
#include "core/picture/picture_limit.h"

namespace {

// A chunk's place and type, and the first bytes of its data (all of a control chunk's).
struct Chunk {
    uint64_t offset = 0;  // of its length field
    uint32_t length = 0;
    char type[5] = {};
    PngBytes head;
    bool Is(const char* name) const { return std::memcmp(type, name, 4) == 0; }
};

// Data kept of every chunk; the longest chunk read for its fields (PLTE) has 768 bytes.
constexpr uint32_t kHeadBytes = 1024;

class LayoutWalk {
public:
    LayoutWalk(const ByteReader& read, uint64_t size, ApngLayout& layout)
        : m_read(read), m_size(size), m_layout(layout)
    {
    }

    // Walks to the end chunk, or to the first problem (Problem()).
    void Run();
    const wxString& Problem() const { return m_problem; }
    // How many of the listed frames have all their data.
    size_t Complete() const { return m_complete; }

private:
    bool ReadChunk(uint64_t offset, Chunk& chunk);
    bool ReadData(Chunk& chunk);
    bool Take(const Chunk& chunk);
    bool OnHeader(const Chunk& chunk);
    bool OnAnimationControl(const Chunk& chunk);
    bool OnFrameControl(const Chunk& chunk);
    bool OnImageData(const Chunk& chunk);
    bool OnFrameData(const Chunk& chunk);
    bool OnEnd();
    bool CheckFrame(const ApngFrameControl& control, bool first);
    bool NextSequence(const uint8_t* data);
    bool EndFrame();
    bool Fail(const wxString& problem);

    const ByteReader& m_read;
    uint64_t m_size;
    ApngLayout& m_layout;
    wxString m_problem;
    std::vector<uint8_t> m_block;
    bool m_headerRead = false;
    bool m_imageStarted = false;  // an IDAT was read
    bool m_imageEnded = false;    // a chunk other than IDAT followed the IDATs
    bool m_defaultIsFrame = false;
    bool m_ended = false;
    uint32_t m_announced = 0;
    uint32_t m_sequence = 0;
    size_t m_complete = 0;
};

void LayoutWalk::Run()
{
    uint64_t offset = kPngSignature.size();
    Chunk chunk;
    while (!m_ended && ReadChunk(offset, chunk) && ReadData(chunk) && Take(chunk))
        offset += 12 + uint64_t{chunk.length};
}

bool LayoutWalk::Fail(const wxString& problem)
{
    m_problem = problem;
    return false;
}

bool LayoutWalk::ReadChunk(uint64_t offset, Chunk& chunk)
{
    uint8_t head[8];
    if (offset + 8 > m_size || !m_read(offset, head, 8))
        return Fail(offset == m_size ? wxString("the file ends before its end chunk")
                                     : wxString("the file is cut off in a chunk's header"));
    chunk.offset = offset;
    chunk.length = Big32(head);
    std::memcpy(chunk.type, head + 4, 4);
    const bool named = std::all_of(head + 4, head + 8, [](uint8_t c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
    if (!named || chunk.length > kPngMaxChunkData)
        return Fail(wxString::Format("the chunk at byte %llu is damaged",
                                     static_cast<unsigned long long>(offset)));
    if (offset + 12 + chunk.length > m_size)
        return Fail(wxString::Format("the file is cut off in chunk %s", chunk.type));
    return true;
}

// Reads the chunk's data to check its CRC, keeping its first kHeadBytes.
bool LayoutWalk::ReadData(Chunk& chunk)
{
    uLong crc = crc32(0L, reinterpret_cast<const Bytef*>(chunk.type), 4);
    chunk.head.assign(std::min(chunk.length, kHeadBytes), 0);
    m_block.resize(1 << 16);
    for (uint32_t done = 0; done < chunk.length;) {
        const uint32_t piece = std::min<uint32_t>(chunk.length - done, 1 << 16);
        if (!m_read(chunk.offset + 8 + done, m_block.data(), piece))
            return Fail(wxString::Format("chunk %s could not be read", chunk.type));
        if (done < chunk.head.size())
            std::memcpy(chunk.head.data() + done, m_block.data(),
                        std::min<size_t>(piece, chunk.head.size() - done));
        crc = crc32(crc, m_block.data(), piece);
        done += piece;
    }
    uint8_t stored[4];
    if (!m_read(chunk.offset + 8 + chunk.length, stored, 4) || Big32(stored) != crc)
        return Fail(wxString::Format("chunk %s is damaged (its checksum is wrong)", chunk.type));
    return true;
}

bool LayoutWalk::Take(const Chunk& chunk)
{
    if (!m_headerRead)
        return OnHeader(chunk);
    if (m_imageStarted && !m_imageEnded && !chunk.Is("IDAT")) {
        m_imageEnded = true;
        // The picture every viewer shows is whole once its data ends.
        const bool pictureIsFrame = !m_layout.animated || m_defaultIsFrame;
        if (pictureIsFrame && !EndFrame())
            return false;
    }
    if (chunk.Is("IDAT"))
        return OnImageData(chunk);
    if (chunk.Is("IEND"))
        return OnEnd();
    if (chunk.Is("acTL"))
        return OnAnimationControl(chunk);
    if (chunk.Is("fcTL"))
        return !m_layout.animated || OnFrameControl(chunk);
    if (chunk.Is("fdAT"))
        return !m_layout.animated || OnFrameData(chunk);
    if (chunk.Is("PLTE") || chunk.Is("tRNS")) {
        if (m_imageStarted)
            return Fail(wxString::Format("chunk %s follows the image data", chunk.type));
        PngBytes& kept = chunk.Is("PLTE") ? m_layout.palette : m_layout.transparency;
        const uint32_t most = chunk.Is("PLTE") ? 768 : 256;
        if (chunk.length > most || (chunk.Is("PLTE") && chunk.length % 3 != 0))
            return Fail(wxString::Format("chunk %s is damaged", chunk.type));
        kept = chunk.head;
    }
    // Other chunks (text, colour spaces, ...) change no pixel this program shows.
    return true;
}

bool LayoutWalk::OnHeader(const Chunk& chunk)
{
    if (!chunk.Is("IHDR") || chunk.length != 13 || !ParseIhdr(chunk.head.data(), m_layout.header))
        return Fail("the PNG's header is damaged");
    // ParseIhdr holds both sides to 2^31 - 1.
    const wxSize size(static_cast<int>(m_layout.header.width),
                      static_cast<int>(m_layout.header.height));
    if (!WithinPictureLimit(size))
        return Fail(TooLargeReason(size));
    m_headerRead = true;
    return true;
}

bool LayoutWalk::OnAnimationControl(const Chunk& chunk)
{
    if (m_layout.animated || m_imageStarted || chunk.length != 8 || Big32(chunk.head.data()) == 0)
        return Fail("the animation control chunk is damaged");
    m_layout.animated = true;
    m_announced = Big32(chunk.head.data());
    m_layout.plays = Big32(chunk.head.data() + 4);
    return true;
}

bool LayoutWalk::NextSequence(const uint8_t* data)
{
    if (Big32(data) != m_sequence)
        return Fail("the animation's chunks are out of order");
    ++m_sequence;
    return true;
}

bool LayoutWalk::OnFrameControl(const Chunk& chunk)
{
    uint32_t sequence = 0;
    ApngFrameControl control;
    const unsigned number = static_cast<unsigned>(m_layout.frames.size()) + 1;
    if (chunk.length != 26 || !ParseFctl(chunk.head.data(), sequence, control))
        return Fail(wxString::Format("the control chunk of frame %u is damaged", number));
    if (!NextSequence(chunk.head.data()))
        return false;
    if (!m_layout.frames.empty() && !EndFrame())
        return false;
    if (m_layout.frames.size() >= m_announced)
        return Fail(wxString::Format("the file holds more frames than the %u it announces",
                                     m_announced));
    if (m_layout.frames.size() >= kGifMaxFrames) {
        m_layout.framesLeftOut = true;
        m_ended = true;
        return true;
    }
    const bool first = !m_imageStarted;
    if (!CheckFrame(control, first))
        return false;
    m_defaultIsFrame = m_defaultIsFrame || first;
    m_layout.frames.push_back(ApngFrameLayout{control, {}});
    return true;
}

bool LayoutWalk::CheckFrame(const ApngFrameControl& c, bool first)
{
    const PngHeader& canvas = m_layout.header;
    const unsigned number = static_cast<unsigned>(m_layout.frames.size()) + 1;
    const bool inside = c.width >= 1 && c.height >= 1 &&
                        uint64_t{c.x} + c.width <= canvas.width &&
                        uint64_t{c.y} + c.height <= canvas.height;
    const bool whole = c.x == 0 && c.y == 0 && c.width == canvas.width &&
                       c.height == canvas.height;
    if (inside && (whole || !first))
        return true;
    return Fail(wxString::Format(
        wxString::FromUTF8("frame %u lies outside the canvas: %u \u00d7 %u pixels at %u, %u on "
                           "a canvas of %u \u00d7 %u%s"),
        number, c.width, c.height, c.x, c.y, canvas.width, canvas.height,
        inside ? " (the picture every viewer shows must cover it)" : ""));
}

bool LayoutWalk::EndFrame()
{
    const unsigned number = static_cast<unsigned>(m_layout.frames.size());
    if (m_layout.frames.back().data.empty())
        return Fail(wxString::Format("frame %u holds no pixels", number));
    m_complete = m_layout.frames.size();
    return true;
}

bool LayoutWalk::OnImageData(const Chunk& chunk)
{
    if (m_imageEnded)
        return Fail("the image data is split by other chunks");
    if (!m_imageStarted) {
        if (m_layout.header.colourType == kPngPalette && m_layout.palette.empty())
            return Fail("the palette is missing");
        m_imageStarted = true;
        if (!m_layout.animated)
            m_layout.frames.push_back(ApngFrameLayout{
                ApngFrameControl{m_layout.header.width, m_layout.header.height, 0, 0, 0, 100},
                {}});
    }
    // The picture shown without animation is a frame only when a frame control preceded it.
    if (!m_layout.animated || m_defaultIsFrame)
        m_layout.frames.back().data.push_back(PngDataSpan{chunk.offset + 8, chunk.length});
    return true;
}

bool LayoutWalk::OnFrameData(const Chunk& chunk)
{
    const bool inFrame = m_imageStarted && !m_layout.frames.empty() &&
                         !(m_defaultIsFrame && m_layout.frames.size() == 1);
    if (chunk.length < 4 || !inFrame)
        return Fail("the animation's chunks are out of order");
    if (!NextSequence(chunk.head.data()))
        return false;
    if (chunk.length > 4)
        m_layout.frames.back().data.push_back(PngDataSpan{chunk.offset + 12, chunk.length - 4});
    return true;
}

bool LayoutWalk::OnEnd()
{
    if (!m_imageStarted)
        return Fail("the PNG holds no picture");
    if (!m_layout.frames.empty() && !EndFrame())
        return false;
    m_ended = true;
    if (m_layout.animated && m_layout.frames.size() < m_announced)
        return Fail(wxString::Format("the file holds %u of the %u frames it announces",
                                     static_cast<unsigned>(m_layout.frames.size()),
                                     m_announced));
    return true;
}

} // namespace

bool ReadApngLayout(const ByteReader& read, uint64_t size, ApngLayout& layout, wxString* reason)
{
    layout = ApngLayout{};
    uint8_t signature[8];
    if (size < 8 || !read(0, signature, 8) ||
        !std::equal(kPngSignature.begin(), kPngSignature.end(), signature)) {
        if (reason)
            *reason = "not a PNG file";
        return false;
    }
    LayoutWalk walk(read, size, layout);
    walk.Run();
    layout.frames.resize(walk.Complete());
    layout.damage = walk.Problem();
    if (!layout.frames.empty())
        return true;
    if (reason)
        *reason = layout.damage.empty() ? wxString("the PNG holds no frame") : layout.damage;
    return false;
}

int ApngDelayHundredths(uint16_t num, uint16_t den)
{
    const uint32_t over = den == 0 ? 100 : den;
    return static_cast<int>(std::min<uint32_t>((uint32_t{num} * 100 + over / 2) / over, 65535));
}
