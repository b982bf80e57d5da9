#include "support/video_clips.h"

#include <cstdlib>
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
