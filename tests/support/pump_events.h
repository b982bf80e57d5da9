// Running the pending events of a test without a window loop, for workers that report to the
// GUI thread through queued events.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include <wx/app.h>

// Plays the GUI thread's pending events until done holds; false after timeoutMs.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 60000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        wxAppConsole::GetInstance()->ProcessPendingEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
