#include "core/gif/gif_record_reader.h"

#include <cerrno>
#include <cstring>

#include <gif_lib.h>
#include <wx/wfstream.h>

#include "core/picture/picture_limit.h"

void GifRecordReader::GifCloser::operator()(GifFileType* gif) const
{
    int error = 0;
    DGifCloseFile(gif, &error);
}

GifRecordReader::GifRecordReader() = default;
GifRecordReader::~GifRecordReader() = default;

int GifRecordReader::ReadFromStream(GifFileType* gif, unsigned char* buffer, int size)
{
    auto* stream = static_cast<wxInputStream*>(gif->UserData);
    if (size <= 0)
        return 0;
    return static_cast<int>(stream->Read(buffer, static_cast<size_t>(size)).LastRead());
}

bool GifRecordReader::Fail(const wxString& what, wxString* reason) const
{
    if (reason)
        *reason = what + ": " + wxString::FromUTF8(GifErrorString(m_gif->Error));
    return false;
}

bool GifRecordReader::Open(const wxString& path, wxString* reason)
{
    m_gif.reset();
    m_extensionBytes = 0;
    m_images = 0;
    m_reachedLimit = false;
    m_stream = std::make_unique<wxFileInputStream>(path);
    if (!m_stream->IsOk()) {
        if (reason)
            *reason = wxString::FromUTF8(std::strerror(errno ? errno : EIO));
        return false;
    }
    int error = 0;
    m_gif.reset(DGifOpen(m_stream.get(), &GifRecordReader::ReadFromStream, &error));
    if (!m_gif) {
        if (reason)
            *reason = "not a GIF file, or damaged: " + wxString::FromUTF8(GifErrorString(error));
        return false;
    }
    m_screenWidth = m_gif->SWidth;
    m_screenHeight = m_gif->SHeight;
    if (m_screenWidth <= 0 || m_screenHeight <= 0 || m_screenWidth > kMaxPictureSide ||
        m_screenHeight > kMaxPictureSide) {
        if (reason)
            *reason = wxString::Format("the GIF's screen of %d x %d pixels is empty or larger "
                                       "than %d pixels on a side",
                                       m_screenWidth, m_screenHeight, kMaxPictureSide);
        return false;
    }
    return true;
}

bool GifRecordReader::ReadExtension(GifGraphicControl& control, wxString* reason)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(m_gif.get(), &code, &block) == GIF_ERROR)
        return Fail("an extension block is damaged", reason);
    // Only the first sub-block of a graphic control extension carries its fields.
    if (code == GRAPHICS_EXT_FUNC_CODE && block)
        control = ParseGraphicControl(block + 1, block[0]);
    while (block) {
        m_extensionBytes += block[0] + 1u;
        if (m_extensionBytes > kGifMaxExtensionBytes) {
            if (reason)
                *reason = wxString::Format("the GIF holds more than %zu bytes of extension data",
                                           kGifMaxExtensionBytes);
            return false;
        }
        if (DGifGetExtensionNext(m_gif.get(), &block) == GIF_ERROR)
            return Fail("an extension block is damaged", reason);
    }
    return true;
}

bool GifRecordReader::NextImage(GifImageHeader& header, wxString* reason)
{
    if (reason)
        reason->clear();
    GifGraphicControl control;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(m_gif.get(), &type) == GIF_ERROR)
            return Fail(wxString::Format("the file is damaged after frame %u", m_images), reason);
        if (type == TERMINATE_RECORD_TYPE)
            return false;
        if (type == IMAGE_DESC_RECORD_TYPE && m_images >= kGifMaxFrames) {
            m_reachedLimit = true;
            return false;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            if (!ReadExtension(control, reason))
                return false;
            continue;
        }
        const unsigned number = m_images + 1;
        if (DGifGetImageDesc(m_gif.get()) == GIF_ERROR)
            return Fail(wxString::Format("frame %u can't be read", number), reason);
        // giflib keeps a copy of every descriptor read; dropping it after each image keeps
        // memory bounded whatever the number of frames.
        GifFreeSavedImages(m_gif.get());
        m_gif->SavedImages = nullptr;
        m_gif->ImageCount = 0;
        const GifImageDesc& desc = m_gif->Image;
        if (desc.Width > kMaxPictureSide || desc.Height > kMaxPictureSide || desc.Width < 0 || desc.Height < 0) {
            if (reason)
                *reason = wxString::Format("frame %u of %d x %d pixels is larger than %d pixels "
                                           "on a side", number, desc.Width, desc.Height, kMaxPictureSide);
            return false;
        }
        header.frame = GifRect{desc.Left, desc.Top, desc.Width, desc.Height};
        header.interlaced = desc.Interlace;
        header.control = control;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : m_gif->SColorMap;
        header.colours.clear();
        for (int i = 0; map && i < map->ColorCount && i < 256; ++i)
            header.colours.push_back({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
        m_images = number;
        return true;
    }
}

bool GifRecordReader::ReadRow(uint8_t* row, wxString* reason)
{
    if (DGifGetLine(m_gif.get(), row, m_gif->Image.Width) == GIF_ERROR)
        return Fail(wxString::Format("frame %u is damaged", m_images), reason);
    return true;
}

bool GifRecordReader::SkipPixels(wxString* reason)
{
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(m_gif.get(), &codeSize, &block) == GIF_ERROR)
        return Fail(wxString::Format("frame %u is damaged", m_images), reason);
    while (block)
        if (DGifGetCodeNext(m_gif.get(), &block) == GIF_ERROR)
            return Fail(wxString::Format("frame %u is damaged", m_images), reason);
    return true;
}
