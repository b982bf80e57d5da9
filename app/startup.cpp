#include "app/startup.h"

#include <malloc.h>

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/splitter.h>
#include <wx/xrc/xmlres.h>

#include "ui/window/main_window.h"

int LoadThemes(const wxString& themesDir)
{
    wxArrayString files;
    if (wxDir::Exists(themesDir))
        wxDir::GetAllFiles(themesDir, &files, "*.xrc", wxDIR_FILES);
    files.Sort();
    int loaded = 0;
    for (const wxString& file : files)
        if (wxXmlResource::Get()->Load(file))
            ++loaded;
    return loaded;
}

namespace {
// A frame being loaded, shown or written is a buffer of megabytes that lives a moment. The C
// library serves such buffers from its heap once one has been freed (its threshold follows the
// largest freed block), and the heap of a worker thread keeps what it had: a long load then
// holds hundreds of megabytes nobody uses. Pinning the threshold keeps large buffers in their
// own mappings, returned to the system when freed.
void KeepLargeBuffersOutOfTheHeap()
{
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
}
}

MainWindow* CreateMainWindow()
{
    KeepLargeBuffersOutOfTheHeap();
    auto* frame = new MainWindow();
    if (!wxXmlResource::Get()->LoadFrame(frame, nullptr, "MainWindow")) {
        delete frame;
        return nullptr;
    }
    frame->InitFrame();
    // The layout's sizer shrinks the window to its minimum; open at a comfortable size.
    // Given as a client size, not a whole-window size: for a whole-window size wxGTK holds
    // the first show back until the window manager tells its border sizes, and then lays
    // the window out once at a 2x1 placeholder, which GTK reports on stderr (menu bar and
    // toolbar squeezed to nothing). A client size set explicitly is shown at once.
    frame->SetClientSize(frame->FromDIP(wxSize(960, 600)));
    frame->Centre();
    frame->Layout();
    // Room for two rows of tiles in the strip; the rest goes to the preview.
    if (auto* splitter = XRCCTRL(*frame, "m_splitter", wxSplitterWindow))
        splitter->SetSashPosition(frame->FromDIP(250));
    return frame;
}
