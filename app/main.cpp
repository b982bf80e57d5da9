#include <clocale>
#include <cstdio>

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
    return wxEntry(argc, arguments.Argv());
}
