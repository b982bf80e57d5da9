// The update check's result, queued to the main window: a command event with id 0 whose
// string is the latest published version, or empty when the check failed.
#pragma once

#include <wx/event.h>

wxDECLARE_EVENT(wxEVT_UPDATE_CHECK_RESULT, wxCommandEvent);
