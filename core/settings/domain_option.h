// The product configuration of option.cfg: seven values read by position, whatever the
// element names. Values 1, 3, 5 and 6 are the help, support, update and download addresses.
#pragma once

#include <wx/string.h>
#include <wx/xml/xml.h>

class DomainOption {
public:
    explicit DomainOption(const wxString& path);
    virtual ~DomainOption();

    // False when the file doesn't exist; otherwise whether it parsed with a root element.
    bool Load();

    wxString m_path;
    wxXmlDocument m_doc;
    wxString m_helpUrl;
    wxString m_value2;
    wxString m_supportUrl;
    wxString m_value4;
    wxString m_updateUrl;   // value 5 with "-update.xml" appended
    wxString m_downloadUrl;
    wxString m_value7;
};

// The one configuration record of the process, from start-up until exit.
extern DomainOption* g_domainOption;

// Fills option's values from its file. False when the file can't be read or holds fewer
// than seven values; the values read before the gap are kept.
bool LoadDomainOption(DomainOption& option);
// The same for g_domainOption.
bool LoadDomainOption();
