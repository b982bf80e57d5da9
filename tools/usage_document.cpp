#include "tools/usage_document.h"

#include <cctype>
#include <sstream>

namespace {

const size_t kIndent = 4;

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

bool IsIndented(const std::string& line)
{
    return line.compare(0, kIndent, std::string(kIndent, ' ')) == 0;
}

// A heading is a line at the margin in capitals and spaces: "EXIT STATUS".
bool IsHeading(const std::string& line)
{
    if (line.empty() || !std::isupper(static_cast<unsigned char>(line[0])))
        return false;
    for (char c : line)
        if (!std::isupper(static_cast<unsigned char>(c)) && c != ' ')
            return false;
    return true;
}

std::string Trimmed(const std::string& line)
{
    const size_t first = line.find_first_not_of(' ');
    const size_t last = line.find_last_not_of(" \r");
    return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    return lines;
}

// Turns the lines of one section (between its heading and the next) into blocks.
bool ParseBlocks(const std::vector<std::string>& lines, size_t begin, size_t end,
                 UsageSection& section, std::string& error)
{
    bool afterBlank = true;
    for (size_t i = begin; i < end; ++i) {
        const std::string& line = lines[i];
        if (IsBlank(line)) {
            afterBlank = true;
            continue;
        }
        const bool indented = IsIndented(line);
        const bool nextIndented = i + 1 < end && !IsBlank(lines[i + 1]) && IsIndented(lines[i + 1]);
        std::vector<UsageBlock>& blocks = section.blocks;
        if (indented && afterBlank) {
            blocks.push_back({UsageBlock::Example, "", {line.substr(kIndent)}});
        } else if (indented) {
            // Continues the block above: an example's next line keeps its layout.
            UsageBlock& block = blocks.back();
            block.lines.push_back(block.kind == UsageBlock::Example ? line.substr(kIndent)
                                                                     : Trimmed(line));
        } else if (line[0] == ' ') {
            error = "line " + std::to_string(i + 1) + ": indented by other than four spaces";
            return false;
        } else if (nextIndented) {
            blocks.push_back({UsageBlock::Term, Trimmed(line), {}});
        } else if (!afterBlank && !blocks.empty() && blocks.back().kind == UsageBlock::Paragraph) {
            blocks.back().lines.push_back(Trimmed(line));
        } else {
            blocks.push_back({UsageBlock::Paragraph, "", {Trimmed(line)}});
        }
        afterBlank = false;
    }
    return true;
}

} // namespace

bool ParseUsageDocument(const std::string& source, UsageDocument& document, std::string& error)
{
    const std::vector<std::string> lines = Lines(source);
    const size_t dash = lines.empty() ? std::string::npos : lines[0].find(" - ");
    if (dash == std::string::npos || dash == 0) {
        error = "line 1: expected \"NAME - summary\"";
        return false;
    }
    document = UsageDocument();
    document.program = lines[0].substr(0, dash);
    document.summary = Trimmed(lines[0].substr(dash + 3));
    size_t i = 1;
    while (i < lines.size() && IsBlank(lines[i]))
        ++i;
    while (i < lines.size()) {
        if (!IsHeading(lines[i])) {
            error = "line " + std::to_string(i + 1) + ": expected a heading in capitals";
            return false;
        }
        UsageSection section;
        section.heading = Trimmed(lines[i]);
        size_t end = i + 1;
        while (end < lines.size() && !IsHeading(lines[end]))
            ++end;
        if (!ParseBlocks(lines, i + 1, end, section, error))
            return false;
        document.sections.push_back(std::move(section));
        i = end;
    }
    return true;
}

std::vector<UsageOptionName> OptionNamesOfTerm(const std::string& term)
{
    std::vector<UsageOptionName> names;
    if (term.empty() || term[0] != '-')
        return names;
    // The value follows the last spelling: the first space after the last ", ".
    const size_t lastComma = term.rfind(", ");
    const size_t space = term.find(' ', lastComma == std::string::npos ? 0 : lastComma + 2);
    const std::string spellings = term.substr(0, space);
    const std::string value = space == std::string::npos ? "" : Trimmed(term.substr(space + 1));
    std::istringstream in(spellings);
    for (std::string name; std::getline(in, name, ',');) {
        name = Trimmed(name);
        // An optional value is written against the name ("--dedupe[=T]"): a flag to complete.
        name = name.substr(0, name.find("[="));
        if (!name.empty())
            names.push_back({name, value});
    }
    return names;
}

std::vector<UsageOptionName> UsageOptions(const UsageDocument& document)
{
    std::vector<UsageOptionName> options;
    for (const UsageSection& section : document.sections) {
        if (section.heading != "OPTIONS")
            continue;
        for (const UsageBlock& block : section.blocks)
            for (const UsageOptionName& name : OptionNamesOfTerm(block.term))
                options.push_back(name);
    }
    return options;
}

std::vector<std::string> WrapWords(const std::vector<std::string>& lines, size_t width)
{
    std::vector<std::string> wrapped;
    std::string current;
    for (const std::string& line : lines) {
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            if (!current.empty() && current.size() + 1 + word.size() > width) {
                wrapped.push_back(current);
                current.clear();
            }
            current += (current.empty() ? "" : " ") + word;
        }
    }
    if (!current.empty())
        wrapped.push_back(current);
    return wrapped;
}
