#include "core/jobs/thread_update_event.h"

wxDEFINE_EVENT(wxEVT_THREAD_UPDATE, wxThreadEvent);
