// A child program started by a GUI test, its output redirected: the toolkit reports the
// child's end to its process object later, from the event loop, so the object deletes itself
// then and sets *ended (which must outlive it: a static of the test).
#pragma once

#include <wx/process.h>

struct EndingChild : wxProcess {
    bool* ended;
    explicit EndingChild(bool* e) : wxProcess(wxPROCESS_REDIRECT), ended(e) {}
    void OnTerminate(int, int) override
    {
        *ended = true;
        delete this;
    }
};
