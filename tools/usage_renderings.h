// The renderings of a UsageDocument (see usage_document.h).
#pragma once

#include <string>

#include "tools/usage_document.h"

// The --help text: "usage:" with the synopsis, then every section but NAME and SEE ALSO,
// wrapped to 79 columns, options in two columns.
std::string UsageHelpText(const UsageDocument& document);

// The short text for a command line that wasn't understood: the synopsis and where to read more.
std::string UsageShortText(const UsageDocument& document);

// The manual page in section 1, in the man macros of roff; version as "2.0.31".
std::string UsageManPage(const UsageDocument& document, const std::string& version);

// A bash completion script for the program: option names, their values where the term lists
// the choices ("quant|toolkit|bmp") or names a file type ("OUT.gif"), and files elsewhere.
std::string UsageBashCompletion(const UsageDocument& document);

// text as a C++ string literal, one source line per text line.
std::string CppStringLiteral(const std::string& text);
