#include "core/settings/update_event.h"

wxDEFINE_EVENT(wxEVT_UPDATE_CHECK_RESULT, wxCommandEvent);
