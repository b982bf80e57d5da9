// The options the program remembers between sessions, in one file beside language.txt in
// the user's configuration folder (language.txt keeps its own format for older versions).
#pragma once

#include <memory>

#include <wx/string.h>

class wxFileConfig;

wxString GetSettingsFilePath();

// A settings file read once at opening and rewritten whole (through a temporary file
// renamed into place) by every change, so that a crash never loses a remembered choice.
class SettingsStore {
public:
    explicit SettingsStore(const wxString& path);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    bool ReadBool(const wxString& key, bool fallback) const;
    long ReadLong(const wxString& key, long fallback) const;
    wxString ReadString(const wxString& key, const wxString& fallback) const;
    // False when the file could not be written; the value still holds for this session.
    bool Write(const wxString& key, bool value);
    bool Write(const wxString& key, long value);
    // Named apart from Write: a string literal would take Write's bool overload.
    bool WriteString(const wxString& key, const wxString& value);

private:
    std::unique_ptr<wxFileConfig> m_config;
};

// The store of the running program at GetSettingsFilePath(), opened at first use.
SettingsStore& Settings();
