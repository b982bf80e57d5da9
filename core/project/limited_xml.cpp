#include "core/project/limited_xml.h"

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include <expat.h>
#include <wx/xml/xml.h>

namespace {
// The tree under construction; the open elements with the last child of each, so every
// node is appended in constant time.
class TreeBuilder {
public:
    TreeBuilder(XML_Parser parser, const XmlLimits& limits) : m_parser(parser), m_limits(limits) {}

    XmlRefusal Refusal() const { return m_refusal; }
    std::unique_ptr<wxXmlNode> TakeRoot() { return std::move(m_root); }

    void Start(const char* name, const char** attributes)
    {
        FlushText();
        if (static_cast<int>(m_open.size()) >= m_limits.maxDepth)
            return Stop(XmlRefusal::TooDeep);
        int count = 0;
        for (const char** a = attributes; *a; a += 2)
            ++count;
        if (count > m_limits.maxAttributes)
            return Stop(XmlRefusal::TooManyAttributes);
        auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, wxString::FromUTF8(name));
        // Added in reverse at the front: the toolkit's AddAttribute walks the whole list.
        for (int i = count - 1; i >= 0; --i) {
            auto* attribute = new wxXmlAttribute(wxString::FromUTF8(attributes[2 * i]),
                                                 wxString::FromUTF8(attributes[2 * i + 1]),
                                                 node->GetAttributes());
            node->SetAttributes(attribute);
        }
        Append(node);
        m_open.push_back({node, nullptr});
    }

    // Expat still reports the end of an element whose start was refused (an empty element
    // ends within the same call), so an end with nothing open is one of those.
    void End()
    {
        if (m_refusal != XmlRefusal::None || m_open.empty())
            return;
        FlushText();
        m_open.pop_back();
    }

    void Text(const char* text, int length) { m_text.append(text, static_cast<size_t>(length)); }

    void DocumentType() { Stop(XmlRefusal::DocumentType); }

private:
    struct Open {
        wxXmlNode* node;
        wxXmlNode* lastChild;
    };

    void Append(wxXmlNode* node)
    {
        if (m_open.empty()) {
            m_root.reset(node);
            return;
        }
        Open& parent = m_open.back();
        parent.node->InsertChildAfter(node, parent.lastChild);
        parent.lastChild = node;
    }

    void FlushText()
    {
        // Text outside the root is whitespace, which no reader needs.
        if (m_text.empty() || m_open.empty()) {
            m_text.clear();
            return;
        }
        Append(new wxXmlNode(wxXML_TEXT_NODE, "text",
                             wxString::FromUTF8(m_text.data(), m_text.size())));
        m_text.clear();
    }

    void Stop(XmlRefusal refusal)
    {
        if (m_refusal == XmlRefusal::None)
            m_refusal = refusal;
        XML_StopParser(m_parser, XML_FALSE);
    }

    XML_Parser m_parser;
    const XmlLimits& m_limits;
    XmlRefusal m_refusal = XmlRefusal::None;
    std::unique_ptr<wxXmlNode> m_root;
    std::vector<Open> m_open;
    std::string m_text;
};

TreeBuilder& Builder(void* data)
{
    return *static_cast<TreeBuilder*>(data);
}

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    Builder(data).Start(name, attributes);
}

void OnEnd(void* data, const XML_Char*)
{
    Builder(data).End();
}

void OnText(void* data, const XML_Char* text, int length)
{
    Builder(data).Text(text, length);
}

void OnDocumentType(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    Builder(data).DocumentType();
}

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
}

XmlRefusal LoadLimitedXml(const char* data, size_t size, const XmlLimits& limits,
                          wxXmlDocument& doc)
{
    if (size > limits.maxBytes || size > static_cast<size_t>(INT_MAX))
        return XmlRefusal::TooLarge;
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser)
        return XmlRefusal::Malformed;
    TreeBuilder builder(parser.get(), limits);
    XML_SetUserData(parser.get(), &builder);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDocumentType);
    const bool parsed = XML_Parse(parser.get(), data, static_cast<int>(size), XML_TRUE) ==
                        XML_STATUS_OK;
    if (builder.Refusal() != XmlRefusal::None)
        return builder.Refusal();
    std::unique_ptr<wxXmlNode> root = builder.TakeRoot();
    if (!parsed || !root)
        return XmlRefusal::Malformed;
    doc.SetRoot(root.release());
    return XmlRefusal::None;
}
