// Prints what the frame strip costs with a long animation: 10,000 frames of 640 x 480 (the first
// argument sets another count), each tile holding the small copy the loader makes. Figures only;
// nothing here passes or fails.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/file.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/stopwatch.h>

#include "core/base/trace.h"
#include "core/picture/small_copy.h"
#include "core/strip/thumbnail_size.h"
#include "ui/strip/frame_strip.h"

namespace {

// Frames in the strip; the first argument sets another count.
int kItems = 10000;
const int kPaints = 50;

long RssKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

wxImage StripPicture()
{
    wxImage image(640, 480, false);
    unsigned char* p = image.GetData();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            *p++ = static_cast<unsigned char>(x);
            *p++ = static_cast<unsigned char>(y);
            *p++ = static_cast<unsigned char>(x ^ y);
        }
    return image;
}

// Milliseconds per append of kItems frames; each item gets its own small copy of the picture,
// as the loader makes it.
double AppendAll(FrameStrip* strip, const wxImage& picture, const wxString& path,
                 bool frozen, bool yieldEach)
{
    wxStopWatch watch;
    if (frozen)
        strip->BeginUpdate();
    for (int i = 0; i < kItems; ++i) {
        strip->Append(new FrameTile(nullptr, std::make_shared<const wxImage>(SmallCopy(
                                                      picture, ThumbnailSide(ThumbnailSize::Large))),
                                    path),
                      10);
        if (yieldEach)
            wxTheApp->Yield(true);
    }
    if (frozen)
        strip->EndUpdate();
    wxTheApp->Yield(true);
    return static_cast<double>(watch.Time()) / kItems;
}

// Milliseconds per paint of the whole view: the strip's own drawing into a memory dc, and a
// real repaint through the paint handler and its buffer.
void PaintFigures(FrameStrip* strip, const char* what)
{
    const wxSize size = strip->GetClientSize();
    wxBitmap bitmap(size);
    wxMemoryDC dc(bitmap);
    strip->PrepareDC(dc);
    wxStopWatch watch;
    for (int i = 0; i < kPaints; ++i)
        strip->PaintContent(dc, wxRegion(0, 0, size.x, size.y), true);
    const double drawMs = static_cast<double>(watch.Time()) / kPaints;
    watch.Start();
    for (int i = 0; i < kPaints; ++i) {
        strip->Refresh();
        strip->Update();
    }
    const double repaintMs = static_cast<double>(watch.Time()) / kPaints;
    std::printf("%-28s draw %.2f ms, repaint %.2f ms (view %dx%d, start %d)\n", what, drawMs,
                repaintMs, size.x, size.y, strip->GetViewStart().y);
}

}  // namespace

int main(int argc, char** argv)
{
    wxApp::SetInstance(new wxApp);
    if (argc > 1)
        kItems = std::max(1, std::atoi(argv[1]));
    wxEntryStart(argc, argv);
    if (!wxTheApp || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "strip_bench: no display (run it under xvfb-run)\n");
        return 1;
    }
    SetTraceEnabled(false);
    const wxString path = wxFileName::CreateTempFileName("strip_bench");
    const wxImage picture = StripPicture();

    auto* frame = new wxFrame(nullptr, wxID_ANY, "strip_bench");
    frame->SetClientSize(800, 600);
    auto* strip = new FrameStrip(frame, wxDefaultPosition, frame->GetClientSize());
    frame->Show();
    wxTheApp->Yield(true);

    const long before = RssKiB();
    const double frozenMs = AppendAll(strip, picture, path, true, false);
    const long after = RssKiB();
    std::printf("%d frames of 640x480\n", kItems);
    std::printf("append, frozen (first, memory fresh): %.3f ms per item\n", frozenMs);
    std::printf("memory: %.0f KiB per item (RSS %ld -> %ld KiB)\n",
                static_cast<double>(after - before) / kItems, before, after);

    PaintFigures(strip, "paint, top of the strip:");
    strip->ScrollToItem(kItems / 2);
    wxTheApp->Yield(true);
    PaintFigures(strip, "paint, scrolled to the middle:");

    strip->Clear();
    std::printf("append, unfrozen, no event loop:     %.3f ms per item\n",
                AppendAll(strip, picture, path, false, false));
    strip->Clear();
    std::printf("append, unfrozen, event loop between: %.3f ms per item\n",
                AppendAll(strip, picture, path, false, true));

    strip->Clear();
    std::printf("append, frozen again (memory reused): %.3f ms per item\n",
                AppendAll(strip, picture, path, true, false));

    frame->Destroy();
    wxTheApp->Yield(true);
    wxRemoveFile(path);
    wxEntryCleanup();
    return 0;
}
