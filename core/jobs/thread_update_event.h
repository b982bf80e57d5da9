// The event type the workers use to report to the GUI thread, told apart by id.
// It is a thread event: wxProgressDialog::Update yields only user-interface events, so a
// report can't be dispatched inside the handler of the report before it (no re-entrance).
#pragma once

#include <wx/event.h>

wxDECLARE_EVENT(wxEVT_THREAD_UPDATE, wxThreadEvent);

enum {
    ID_IMAGE_LOADED = 6,   // the image loader reported a result (a LoadReport) to its session
    ID_GIF_FRAME_SAVED = 10, // the GIF export finished a frame (or ended)
    ID_SIZE_ESTIMATED = 13   // the size estimate ended (see SizeEstimateThread)
};

#define EVT_THREAD_UPDATE(id, func) \
    wx__DECLARE_EVT1(wxEVT_THREAD_UPDATE, id, wxThreadEventHandler(func))
