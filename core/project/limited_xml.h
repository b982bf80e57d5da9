// Reading an XML document into the toolkit's tree within limits, in time that grows with the
// length of the text alone. The toolkit's own loader feeds its parser a kilobyte at a time
// and joins each text node's pieces one by one, so a long name or attribute costs time that
// grows with the square of its length, and it builds any depth of nesting, which its
// recursive walks then overflow the stack on. Here the parser sees the whole text in one
// call, each text is collected once, and nothing past a limit is built.
#pragma once

#include <cstddef>

class wxXmlDocument;

struct XmlLimits {
    size_t maxBytes = 0;
    int maxDepth = 0;       // elements within elements, the root being 1
    int maxAttributes = 0;  // on one element
};

enum class XmlRefusal {
    None,
    Malformed,          // not well-formed XML, or not in an encoding the parser knows
    TooLarge,           // longer than maxBytes
    TooDeep,            // an element nested deeper than maxDepth
    TooManyAttributes,  // an element with more than maxAttributes
    DocumentType,       // a document type declaration: its entities could expand without end
};

// Builds doc from size bytes of XML: elements with their attributes and, inside them, text
// (character data and CDATA sections joined, whitespace kept); comments and processing
// instructions are left out. On a refusal doc is not changed.
XmlRefusal LoadLimitedXml(const char* data, size_t size, const XmlLimits& limits,
                          wxXmlDocument& doc);
