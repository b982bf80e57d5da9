#include "core/settings/settings_store.h"

#include <wx/fileconf.h>
#include <wx/log.h>

#include "core/settings/paths.h"

wxString GetSettingsFilePath()
{
    return GetConfigDir() + "/settings.ini";
}

SettingsStore::SettingsStore(const wxString& path)
{
    // An unreadable or damaged file gives the defaults rather than a message at start-up.
    wxLogNull noLog;
    m_config = std::make_unique<wxFileConfig>(wxString(), wxString(), path, wxString(),
                                              wxCONFIG_USE_LOCAL_FILE);
    // Stored strings (a portal's token) are kept as they are, a "$" included.
    m_config->SetExpandEnvVars(false);
}

SettingsStore::~SettingsStore()
{
    // Every change was written when it was made.
    m_config->DisableAutoSave();
}

bool SettingsStore::ReadBool(const wxString& key, bool fallback) const
{
    return m_config->ReadBool(key, fallback);
}

long SettingsStore::ReadLong(const wxString& key, long fallback) const
{
    return m_config->ReadLong(key, fallback);
}

wxString SettingsStore::ReadString(const wxString& key, const wxString& fallback) const
{
    return m_config->Read(key, fallback);
}

bool SettingsStore::Write(const wxString& key, bool value)
{
    wxLogNull noLog;
    return m_config->Write(key, value) && m_config->Flush();
}

bool SettingsStore::Write(const wxString& key, long value)
{
    wxLogNull noLog;
    return m_config->Write(key, value) && m_config->Flush();
}

bool SettingsStore::WriteString(const wxString& key, const wxString& value)
{
    wxLogNull noLog;
    return m_config->Write(key, value) && m_config->Flush();
}

SettingsStore& Settings()
{
    static SettingsStore store(GetSettingsFilePath());
    return store;
}
