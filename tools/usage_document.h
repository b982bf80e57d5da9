// A program's usage, written once as plain text and rendered three ways at build time: the
// --help text, the manual page and the shell completion. One source keeps them from drifting.
//
// The source: the first line is "NAME - summary". Then sections, each under a heading in
// capitals at the start of a line (SYNOPSIS, DESCRIPTION, OPTIONS, ...). In a section, blocks
// are separated by blank lines; a line at the margin followed by lines indented by four spaces
// is a term and its description (an option, an exit status, a file); lines at the margin alone
// are a paragraph; indented lines after a blank line are an example, kept as written.
#pragma once

#include <string>
#include <vector>

struct UsageBlock {
    enum Kind { Paragraph, Term, Example };
    Kind kind = Paragraph;
    std::string term;                // Term only: the line at the margin
    std::vector<std::string> lines;  // the text, one entry per source line, trimmed
};

struct UsageSection {
    std::string heading;             // as written: "OPTIONS"
    std::vector<UsageBlock> blocks;
};

struct UsageDocument {
    std::string program;             // "zoruvede-cli"
    std::string summary;             // what follows " - " on the first line
    std::vector<UsageSection> sections;
};

// One spelling of an option in a term such as "-o, --output OUT.gif": the name with its
// dashes and the value's placeholder ("" for a flag).
struct UsageOptionName {
    std::string name;
    std::string value;
};

// Parses source. False with error ("line 12: ...") when it doesn't follow the layout above.
bool ParseUsageDocument(const std::string& source, UsageDocument& document, std::string& error);

// The spellings of an option term: "-o, --output OUT.gif" gives -o and --output, both with
// OUT.gif (the value written once, after the last spelling, belongs to each). Empty when the
// term is not an option (doesn't start with a dash).
std::vector<UsageOptionName> OptionNamesOfTerm(const std::string& term);

// Every option named in the OPTIONS section, in order.
std::vector<UsageOptionName> UsageOptions(const UsageDocument& document);

// Words of text joined and wrapped into lines of at most width characters (a longer word gets
// a line of its own).
std::vector<std::string> WrapWords(const std::vector<std::string>& lines, size_t width);
