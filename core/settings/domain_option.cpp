#include "core/settings/domain_option.h"

#include <wx/filefn.h>
#include <wx/log.h>

DomainOption* g_domainOption = nullptr;

DomainOption::DomainOption(const wxString& path) : m_path(path) {}

DomainOption::~DomainOption() = default;

bool DomainOption::Load()
{
    if (!wxFileExists(m_path))
        return false;
    wxLogNull noLog;
    return m_doc.Load(m_path, "UTF-8") && m_doc.GetRoot() != nullptr;
}

namespace {
// The text of the node's first text or CDATA child; empty when it has none.
wxString NodeText(const wxXmlNode* node)
{
    for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_TEXT_NODE || child->GetType() == wxXML_CDATA_SECTION_NODE)
            return child->GetContent();
    return wxString();
}

// Element children only: comments and the blanks between elements don't count as values.
const wxXmlNode* FirstElement(const wxXmlNode* node)
{
    while (node && node->GetType() != wxXML_ELEMENT_NODE)
        node = node->GetNext();
    return node;
}
}

bool LoadDomainOption(DomainOption& option)
{
    if (!option.Load())
        return false;
    const wxXmlNode* group = FirstElement(option.m_doc.GetRoot()->GetChildren());
    const wxXmlNode* node = group ? FirstElement(group->GetChildren()) : nullptr;
    wxString* const targets[] = {&option.m_helpUrl, &option.m_value2, &option.m_supportUrl,
                                 &option.m_value4, &option.m_updateUrl, &option.m_downloadUrl,
                                 &option.m_value7};
    for (wxString* target : targets) {
        if (!node)
            return false;
        *target = NodeText(node);
        if (target == &option.m_updateUrl)
            *target += "-update.xml";
        node = FirstElement(node->GetNext());
    }
    return true;
}

bool LoadDomainOption()
{
    return g_domainOption && LoadDomainOption(*g_domainOption);
}
