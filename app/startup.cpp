#include "app/startup.h"

#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/splitter.h>
#include <wx/xrc/xmlres.h>

#include "mainwindow/gif_frame.h"

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

GifFrame* CreateMainWindow()
{
    auto* frame = new GifFrame();
    if (!wxXmlResource::Get()->LoadFrame(frame, nullptr, "MyFrame1")) {
        delete frame;
        return nullptr;
    }
    frame->InitFrame();
    // The layout's sizer shrinks the window to its minimum; open at a comfortable size.
    frame->SetSize(frame->FromDIP(wxSize(960, 720)));
    frame->Centre();
    frame->Layout();
    // Room for two rows of tiles in the strip; the rest goes to the preview.
    frame->m_splitter3->SetSashPosition(frame->FromDIP(250));
    return frame;
}
