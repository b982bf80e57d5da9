#include "core/picture/small_copy.h"

#include <algorithm>

wxSize SmallSize(int width, int height, int side)
{
    if (width <= 0 || height <= 0 || side <= 0)
        return wxSize(0, 0);
    const double scale = std::min({1.0, static_cast<double>(side) / width,
                                   static_cast<double>(side) / height});
    return wxSize(static_cast<int>(width * scale), static_cast<int>(height * scale));
}

namespace {
// Where each small pixel's span of n source pixels starts, for a picture n wide made m wide:
// m + 1 bounds, the first 0 and the last n.
std::vector<int> Bounds(int n, int m)
{
    std::vector<int> bounds(m + 1);
    for (int i = 0; i <= m; ++i)
        bounds[i] = static_cast<int>(static_cast<int64_t>(i) * n / m);
    return bounds;
}

// Averages one plane of channels bytes a pixel: the rows of each small row are added up
// first (a plain loop over bytes, which the compiler vectorises), then each span of columns.
void AveragePlane(const uint8_t* in, int channels, int width, const std::vector<int>& columns,
                  const std::vector<int>& rows, uint8_t* out)
{
    const size_t rowBytes = static_cast<size_t>(width) * channels;
    std::vector<uint32_t> column(rowBytes);
    for (size_t ty = 0; ty + 1 < rows.size(); ++ty) {
        std::fill(column.begin(), column.end(), 0);
        for (int y = rows[ty]; y < rows[ty + 1]; ++y) {
            const uint8_t* row = in + static_cast<size_t>(y) * rowBytes;
            for (size_t i = 0; i < rowBytes; ++i)
                column[i] += row[i];
        }
        const uint32_t tall = static_cast<uint32_t>(rows[ty + 1] - rows[ty]);
        for (size_t tx = 0; tx + 1 < columns.size(); ++tx) {
            const uint32_t count = tall * static_cast<uint32_t>(columns[tx + 1] - columns[tx]);
            for (int c = 0; c < channels; ++c) {
                uint32_t sum = 0;
                for (int x = columns[tx]; x < columns[tx + 1]; ++x)
                    sum += column[static_cast<size_t>(x) * channels + c];
                *out++ = static_cast<uint8_t>((sum + count / 2) / count);
            }
        }
    }
}
}

void AverageDown(const uint8_t* rgb, const uint8_t* alpha, int width, int height,
                 const wxSize& to, uint8_t* rgbOut, uint8_t* alphaOut)
{
    const std::vector<int> columns = Bounds(width, to.x);
    const std::vector<int> rows = Bounds(height, to.y);
    AveragePlane(rgb, 3, width, columns, rows, rgbOut);
    if (alpha && alphaOut)
        AveragePlane(alpha, 1, width, columns, rows, alphaOut);
}

wxImage SmallCopy(const wxImage& image, int side)
{
    if (!image.IsOk())
        return wxImage();
    const wxSize to = SmallSize(image.GetWidth(), image.GetHeight(), side);
    if (to.x < 1 || to.y < 1)
        return wxImage();
    if (to == image.GetSize())
        return image.Copy();
    // A mask colour must not be averaged into its neighbours: the toolkit's scaling leaves it.
    if (image.HasMask())
        return image.Scale(to.x, to.y, wxIMAGE_QUALITY_NORMAL);
    wxImage small(to.x, to.y, false);
    if (image.HasAlpha())
        small.InitAlpha();
    AverageDown(image.GetData(), image.GetAlpha(), image.GetWidth(), image.GetHeight(), to,
                small.GetData(), small.GetAlpha());
    return small;
}
