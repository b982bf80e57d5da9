// The global shortcut that stops a recording on X11 (Ctrl+Alt+R), held on a connection of its
// own while a recording runs, whatever window has the focus.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class X11StopKey {
public:
    // Grabs the key on display's root window; pressed runs on the shortcut's thread.
    X11StopKey(const std::string& display, std::function<void()> pressed);
    // Lets the key go and joins the thread.
    ~X11StopKey();
    X11StopKey(const X11StopKey&) = delete;
    X11StopKey& operator=(const X11StopKey&) = delete;

    // False when another program holds the shortcut (or there is no X server).
    bool Held() const { return m_held; }

private:
    void Run();

    void* m_display = nullptr;
    bool m_held = false;
    int m_wakeRead = -1, m_wakeWrite = -1;
    std::function<void()> m_pressed;
    std::thread m_thread;
};
