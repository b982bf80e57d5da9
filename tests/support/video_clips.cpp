#include "support/video_clips.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

bool HaveFfmpeg()
{
    return access("/usr/bin/ffmpeg", X_OK) == 0;
}

bool Ffmpeg(const std::string& arguments)
{
    return std::system(("/usr/bin/ffmpeg -hide_banner -loglevel error -y " + arguments +
                        " </dev/null").c_str()) == 0;
}

bool MakeNumberedClip(const wxString& path, double seconds, const std::string& filters,
                      const std::string& output)
{
    return Ffmpeg("-f lavfi -i \"color=c=black:s=160x120:r=30:d=" + std::to_string(seconds) +
                  ",format=rgb24,geq=r='mod(N\\,16)*16+8':g='floor(N/16)*16+8':b=128" +
                  filters + "\" -c:v libx264 -pix_fmt yuv420p -crf 10 " + output + " '" +
                  path.ToStdString() + "'");
}

int PictureNumber(const wxImage& frame)
{
    const int x = frame.GetWidth() / 2, y = frame.GetHeight() / 2;
    return frame.GetRed(x, y) / 16 + 16 * (frame.GetGreen(x, y) / 16);
}

namespace {
void PutLittle32(std::string& bytes, size_t at, int value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
} // namespace

bool MakeClaimingClip(const wxString& path, int width, int height)
{
    if (!Ffmpeg("-f lavfi -i testsrc=s=64x48:r=10:d=0.3 -c:v mjpeg '" + path.ToStdString() + "'"))
        return false;
    std::ifstream in(path.ToStdString(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    in.close();
    // Every picture's frame header (FF C0, length, precision 8, height, width; big-endian),
    // the stream format's biWidth and biHeight, and the main header's dwWidth and dwHeight.
    for (size_t at = bytes.find("\xff\xc0"); at != std::string::npos && at + 9 <= bytes.size();
         at = bytes.find("\xff\xc0", at + 2)) {
        if (bytes[at + 4] != 8)
            continue;
        bytes[at + 5] = static_cast<char>(height >> 8);
        bytes[at + 6] = static_cast<char>(height & 0xFF);
        bytes[at + 7] = static_cast<char>(width >> 8);
        bytes[at + 8] = static_cast<char>(width & 0xFF);
    }
    const size_t format = bytes.find("strf"), main = bytes.find("avih");
    if (format == std::string::npos || main == std::string::npos)
        return false;
    PutLittle32(bytes, format + 12, width);
    PutLittle32(bytes, format + 16, height);
    PutLittle32(bytes, main + 40, width);
    PutLittle32(bytes, main + 44, height);
    std::ofstream out(path.ToStdString(), std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out.flush());
}

bool CutFile(const wxString& path, size_t bytes)
{
    std::ifstream in(path.ToStdString(), std::ios::binary);
    std::string kept(bytes, '\0');
    if (!in.read(&kept[0], static_cast<std::streamsize>(bytes)))
        return false;
    in.close();
    std::ofstream out(path.ToStdString(), std::ios::binary | std::ios::trunc);
    out << kept;
    return static_cast<bool>(out.flush());
}

int PicturesFfmpegDecodes(const wxString& path)
{
    const std::string command = "/usr/bin/ffprobe -v quiet -count_frames -select_streams v:0 "
                                "-show_entries stream=nb_read_frames -of csv=p=0 '" +
                                path.ToStdString() + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return -1;
    int pictures = -1;
    if (std::fscanf(pipe, "%d", &pictures) != 1)
        pictures = -1;
    pclose(pipe);
    return pictures;
}
