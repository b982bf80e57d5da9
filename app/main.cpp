#include <clocale>
#include <cstdio>

#include <glib.h>
#include <wx/log.h>

#include "core/settings/command_line.h"
#include "core/base/file_name_encoding.h"
#include "app/gif_app.h"
#include "core/settings/help_arguments.h"
#include "core/settings/product.h"
#include "usage/zoruvede_usage.h"

wxIMPLEMENT_APP_NO_MAIN(GifApp);

int main(int argc, char** argv)
{
    switch (EarlyRequestOf(argc, argv)) {
    case EarlyRequest::Help:
        std::fputs(kUsageHelp, stdout);
        return 0;
    case EarlyRequest::Version:
        std::printf("zoruvede %s\n", GetProductVersion().utf8_str().data());
        return 0;
    case EarlyRequest::None:
        break;
    }
    // No assertion reports reach the user; informational messages and worse are kept.
    wxSetAssertHandler(nullptr);
    wxLog::SetLogLevel(wxLOG_Info);
    // The arguments are mostly file names: decoded as such, before the toolkit sees them.
    std::setlocale(LC_CTYPE, "");
    UseFileNameEncoding();
    FileNameArguments arguments(argc, argv);
    // A Wayland desktop finds the window's desktop entry, and with it the name and icon in its
    // task switcher, by the window's application id, which the toolkit takes from the program
    // name; the icon the window sets itself reaches only an X11 desktop.
    g_set_prgname(ZORUVEDE_APP_ID);
    return wxEntry(argc, arguments.Argv());
}
