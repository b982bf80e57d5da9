#include <wx/log.h>

#include "app/gif_app.h"

wxIMPLEMENT_APP_NO_MAIN(GifApp);

int main(int argc, char** argv)
{
    // No assertion reports reach the user; informational messages and worse are kept.
    wxSetAssertHandler(nullptr);
    wxLog::SetLogLevel(wxLOG_Info);
    return wxEntry(argc, argv);
}
