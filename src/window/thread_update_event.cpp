#include "src/window/thread_update_event.h"

wxDEFINE_EVENT(wxEVT_THREAD_UPDATE, wxThreadEvent);
