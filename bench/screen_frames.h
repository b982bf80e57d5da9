// Frames of a screen recording drawn in memory, for the benchmarks that need many of them
// without ImageMagick: a desktop of flat colours, an editor whose anti-aliased text scrolls
// and grows line by line, a window being dragged across it and a mouse pointer on its title
// bar. Like bench/quality_bench.sh's screen set, at any size.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

struct Rgb {
    uint8_t r, g, b;
};

class ScreenFrames {
public:
    ScreenFrames(int width, int height) : m_width(width), m_height(height)
    {
        MakeGlyphs();
        m_base.resize(size_t(width) * height * 3);
        FillRect(m_base, 0, 0, width, height, {0x2d, 0x5f, 0x8b});
        for (int y = 0; y < height; ++y)  // the desktop's vertical shade, one colour a row
            FillRect(m_base, 0, y, width, 1, {0x2d, uint8_t(0x4f + y * 48 / height), 0x8b});
        m_editorWidth = width * 3 / 5;
        FillRect(m_base, 0, 0, m_editorWidth, 30, {0xdc, 0xdc, 0xdc});
        for (int y = 0; y < 30; ++y)
            FillRect(m_base, 0, y, m_editorWidth, 1, Grey(uint8_t(0xec - y)));
        DrawText(m_base, 250, 8, "words.c - Editor", {0x33, 0x33, 0x33}, Grey(0xdf));
        FillRect(m_base, 0, 30, 160, height - 54, {0x25, 0x2a, 0x33});
        FillRect(m_base, 160, 30, m_editorWidth - 160, height - 54, {0xfb, 0xfb, 0xfb});
        FillRect(m_base, 160, 30, 40, height - 54, Grey(0xee));
        FillRect(m_base, 0, height - 24, m_editorWidth, 24, {0x0b, 0x6b, 0xcb});
        DrawText(m_base, 10, height - 18, "main  *  UTF-8  *  C", {255, 255, 255},
                 {0x0b, 0x6b, 0xcb});
        const char* files[] = {"Makefile", "README.md", "notes.md", "words.c", "words.h"};
        for (int k = 0; k < 5; ++k)
            DrawText(m_base, 24, 60 + 22 * k, files[k], {0x9d, 0xa5, 0xb4}, {0x25, 0x2a, 0x33});
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Frame number index as RGB bytes, row after row.
    void Draw(int index, std::vector<uint8_t>& rgb) const
    {
        rgb = m_base;
        DrawEditorText(index, rgb);
        DrawPage(index, rgb);
        const int travelX = std::max(1, m_width - kDialogW), travelY = std::max(1, m_height - kDialogH);
        const int dx = Bounce(200 + index * 6, travelX), dy = Bounce(100 + index * 3, travelY);
        DrawDialog(rgb, dx, dy, index);
        DrawPointer(rgb, dx + 140 + (index % 7), dy + 12);
    }

private:
    static constexpr int kGlyphW = 7, kGlyphH = 13, kLine = 22;
    static constexpr int kDialogW = 480, kDialogH = 320;

    static Rgb Grey(uint8_t v) { return {v, v, v}; }
    static int Bounce(int t, int range) { return (t / range) % 2 ? range - t % range : t % range; }

    // Glyphs of 7 x 13: a few strokes with anti-aliased edges, coverage 0..7 per pixel, the
    // edges' shades differing from glyph to glyph as a rasteriser's do.
    void MakeGlyphs()
    {
        for (int c = 0; c < 128; ++c) {
            auto& g = m_glyphs[c];
            g.fill(0);
            if (c <= ' ')
                continue;
            uint32_t h = uint32_t(c) * 2654435761u;
            auto cover = [&](int x, int y, int a) {
                if (x >= 0 && y >= 0 && x < kGlyphW && y < kGlyphH)
                    g[y * kGlyphW + x] = std::max<uint8_t>(g[y * kGlyphW + x], uint8_t(a));
            };
            for (int stroke = 0; stroke < 3 + int(h % 2); ++stroke, h = h * 1664525u + 1013904223u) {
                const int kind = (h >> 1) % 3;  // vertical, horizontal, diagonal
                const int at = 1 + (h >> 3) % 5, from = 2 + (h >> 8) % 4, to = 8 + (h >> 12) % 4;
                const int soft = 2 + (h >> 16) % 4;
                for (int t = from; t < to; ++t) {
                    const int x = kind == 0 ? at : kind == 1 ? t - from + 1 : (t - from) / 2 + 1;
                    const int y = kind == 1 ? from + at : t;
                    cover(x, y, 7);
                    cover(x + 1, y, soft);
                    cover(x - 1, y, soft / 2);
                    cover(x, y + 1, soft - 1);
                }
            }
        }
    }

    void FillRect(std::vector<uint8_t>& rgb, int x, int y, int w, int h, Rgb c) const
    {
        const int x0 = std::max(0, x), x1 = std::min(m_width, x + w);
        for (int row = std::max(0, y); row < std::min(m_height, y + h); ++row)
            for (int col = x0; col < x1; ++col) {
                uint8_t* p = &rgb[(size_t(row) * m_width + col) * 3];
                p[0] = c.r, p[1] = c.g, p[2] = c.b;
            }
    }

    void DrawText(std::vector<uint8_t>& rgb, int x, int y, const std::string& text, Rgb fg,
                  Rgb bg) const
    {
        for (unsigned char ch : text) {
            const auto& g = m_glyphs[ch & 127];
            for (int gy = 0; gy < kGlyphH; ++gy)
                for (int gx = 0; gx < kGlyphW; ++gx) {
                    const int px = x + gx, py = y + gy, a = g[gy * kGlyphW + gx];
                    if (!a || px < 0 || py < 0 || px >= m_width || py >= m_height)
                        continue;
                    uint8_t* p = &rgb[(size_t(py) * m_width + px) * 3];
                    p[0] = uint8_t((fg.r * a + bg.r * (7 - a)) / 7);
                    p[1] = uint8_t((fg.g * a + bg.g * (7 - a)) / 7);
                    p[2] = uint8_t((fg.b * a + bg.b * (7 - a)) / 7);
                }
            x += kGlyphW + 1;
        }
    }

    // Code that scrolls one line every fourth frame; the last line is typed as frames pass.
    void DrawEditorText(int index, std::vector<uint8_t>& rgb) const
    {
        static const char* const kCode[] = {
            "#include <stdio.h>", "", "/* Counts the words of standard input. */",
            "int main(void)", "{", "    int c, words = 0, inside = 0;",
            "    while ((c = getchar()) != EOF) {",
            "        if (c == ' ' || c == '\\n' || c == '\\t')", "            inside = 0;",
            "        else if (!inside) {", "            inside = 1;", "            ++words;",
            "        }", "    }", "    printf(\"%d words\\n\", words);", "    return 0;", "}"};
        const Rgb colours[] = {{0xa6, 0x26, 0xa4}, {0x38, 0x3a, 0x42}, {0xa0, 0xa1, 0xa7},
                               {0x40, 0x78, 0xf2}, {0x50, 0xa1, 0x4f}, {0x98, 0x68, 0x01}};
        const int rows = (m_height - 90) / kLine, first = index / 4;
        const Rgb paper{0xfb, 0xfb, 0xfb};
        for (int k = 0; k < rows; ++k) {
            const int line = first + k;
            std::string text = kCode[line % 17];
            if (k == rows - 1)
                text = text.substr(0, text.size() * (index % 4 + 1) / 4);
            const int y = 40 + k * kLine;
            DrawText(rgb, 166, y, std::to_string(line + 1), Grey(0x99), Grey(0xee));
            DrawText(rgb, 210, y, text, colours[line % 6], paper);
        }
        FillRect(rgb, 206, 40 + ((index / 20) % rows) * kLine - 4, 4, kLine, {0xd7, 0xe7, 0xfb});
    }

    // A web page beside the editor: paragraphs of small dense text scrolling a pixel a frame,
    // and a photograph in it.
    void DrawPage(int index, std::vector<uint8_t>& rgb) const
    {
        const int left = m_editorWidth + 20, width = m_width - left - 20;
        if (width < 100)
            return;
        FillRect(rgb, left, 40, width, m_height - 80, {255, 255, 255});
        static const char* const kWords[] = {"frames", "the", "of", "memory", "compressed",
                                             "screen", "picture", "a", "store", "decoded",
                                             "cache", "file", "budget", "and", "window"};
        const int top = 50 - index % kLine;
        for (int row = 0; top + row * 16 < m_height - 60; ++row) {
            const int y = top + row * 16;
            if (y < 44 || (row + index / kLine) % 9 == 8)
                continue;  // a gap between paragraphs
            std::string line;
            uint32_t h = uint32_t(row + index / kLine) * 2246822519u;
            while (int(line.size()) * (kGlyphW + 1) < width - 60)
                line += std::string(kWords[((h = h * 1664525u + 1013904223u) >> 24) % 15]) + " ";
            line.resize(size_t(width - 32) / (kGlyphW + 1));
            DrawText(rgb, left + 16, y, line, Grey(0x20), {255, 255, 255});
        }
        const int photoX = left + width - 260, photoY = 120 - index % kLine;
        for (int y = 0; y < 180; ++y)
            for (int x = 0; x < 240; ++x) {
                const int px = photoX + x, py = photoY + y;
                if (px < 0 || py < 40 || px >= m_width || py >= m_height - 40)
                    continue;
                const uint32_t noise = (uint32_t(x * 73856093) ^ uint32_t(y * 19349663)) >> 27;
                uint8_t* p = &rgb[(size_t(py) * m_width + px) * 3];
                p[0] = uint8_t(60 + x / 2 + noise), p[1] = uint8_t(90 + y / 2 + noise);
                p[2] = uint8_t(140 + (x + y) / 8 + noise);
            }
    }

    void DrawDialog(std::vector<uint8_t>& rgb, int x, int y, int index) const
    {
        FillRect(rgb, x + 4, y + 4, kDialogW, kDialogH, {0x1a, 0x1a, 0x1a});  // its shadow
        FillRect(rgb, x, y, kDialogW, kDialogH, Grey(0xf3));
        for (int row = 0; row < 28; ++row)
            FillRect(rgb, x, y + row, kDialogW, 1, Grey(uint8_t(0xe0 - row * 2)));
        DrawText(rgb, x + 12, y + 8, "Find and Replace", Grey(0x22), Grey(0xd0));
        const char* labels[] = {"Find:", "Replace with:", "Match case", "Whole words only"};
        for (int k = 0; k < 4; ++k)
            DrawText(rgb, x + 20, y + 50 + 40 * k, labels[k], Grey(0x33), Grey(0xf3));
        FillRect(rgb, x + 140, y + 44, 300, 24, {255, 255, 255});
        DrawText(rgb, x + 146, y + 50, std::string("words").substr(0, 1 + index % 5),
                 Grey(0x11), {255, 255, 255});
        FillRect(rgb, x + 340, y + 270, 110, 30, {0x3d, 0x6f, 0xd6});
        DrawText(rgb, x + 365, y + 279, "Replace", {255, 255, 255}, {0x3d, 0x6f, 0xd6});
    }

    void DrawPointer(std::vector<uint8_t>& rgb, int x, int y) const
    {
        for (int row = 0; row < 19; ++row) {
            const int w = row < 13 ? row * 2 / 3 + 1 : 4;
            FillRect(rgb, x, y + row, w + 1, 1, {0, 0, 0});
            FillRect(rgb, x + 1, y + row, w - 1, 1, {255, 255, 255});
        }
    }

    int m_width, m_height, m_editorWidth = 0;
    std::vector<uint8_t> m_base;
    std::array<std::array<uint8_t, kGlyphW * kGlyphH>, 128> m_glyphs{};
};

} // namespace bench
