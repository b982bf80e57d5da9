#include "tools/usage_renderings.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

const size_t kWidth = 79;
const size_t kTermColumn = 24;   // where a description starts beside its term in --help

bool IsHelpSection(const std::string& heading)
{
    return heading != "SYNOPSIS" && heading != "SEE ALSO";
}

// "EXIT STATUS" -> "Exit status:"
std::string HelpHeading(const std::string& heading)
{
    std::string text = heading;
    std::transform(text.begin() + 1, text.end(), text.begin() + 1,
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text + ":";
}

const UsageSection* FindSection(const UsageDocument& document, const std::string& heading)
{
    for (const UsageSection& section : document.sections)
        if (section.heading == heading)
            return &section;
    return nullptr;
}

std::string Synopsis(const UsageDocument& document)
{
    std::string text;
    const UsageSection* synopsis = FindSection(document, "SYNOPSIS");
    const char* prefix = "usage: ";
    for (const UsageBlock& block : synopsis ? synopsis->blocks : std::vector<UsageBlock>())
        for (const std::string& line : block.lines) {
            text += prefix + line + "\n";
            prefix = "       ";
        }
    return text;
}

void AppendTerm(const UsageBlock& block, std::string& text)
{
    const std::vector<std::string> lines = WrapWords(block.lines, kWidth - kTermColumn);
    const std::string margin(kTermColumn, ' ');
    std::string first = "  " + block.term;
    size_t next = 0;
    if (first.size() + 2 <= kTermColumn && !lines.empty()) {
        first.resize(kTermColumn, ' ');
        first += lines[next++];
    }
    text += first + "\n";
    for (; next < lines.size(); ++next)
        text += margin + lines[next] + "\n";
}

void AppendHelpBlock(const UsageBlock& block, std::string& text)
{
    switch (block.kind) {
    case UsageBlock::Paragraph:
        for (const std::string& line : WrapWords(block.lines, kWidth))
            text += line + "\n";
        text += "\n";
        break;
    case UsageBlock::Term:
        AppendTerm(block, text);
        break;
    case UsageBlock::Example:
        for (const std::string& line : block.lines)
            text += "    " + line + "\n";
        text += "\n";
        break;
    }
}

// --- roff ---------------------------------------------------------------------------------

// Text safe in roff: backslashes escaped, and every dash the minus sign, which renders as the
// ASCII dash: a hyphen would render as U+2010, and an option or a program name copied from the
// page into a terminal would then not work.
std::string RoffText(const std::string& line)
{
    std::string out;
    for (char c : line) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

// A whole line of text: one that would read as a request is guarded.
std::string RoffLine(const std::string& line)
{
    const std::string out = RoffText(line);
    return !out.empty() && (out[0] == '.' || out[0] == '\'') ? "\\&" + out : out;
}

std::string Bold(const std::string& text)
{
    return "\\fB" + RoffText(text) + "\\fR";
}

std::string Italic(const std::string& text)
{
    return "\\fI" + RoffText(text) + "\\fR";
}

// One word of a synopsis: "[OPTION]..." -> "[\fIOPTION\fR]...", "-o" in bold.
std::string SynopsisWord(const std::string& word)
{
    const size_t begin = word.find_first_not_of("[");
    const size_t end = word.find_last_not_of("].");
    if (begin == std::string::npos || end == std::string::npos || end < begin)
        return RoffText(word);
    const std::string core = word.substr(begin, end - begin + 1);
    const std::string marked = core[0] == '-' ? Bold(core) : Italic(core);
    return word.substr(0, begin) + marked + RoffText(word.substr(end + 1));
}

std::string RoffTerm(const std::string& term)
{
    const std::vector<UsageOptionName> names = OptionNamesOfTerm(term);
    if (names.empty())
        return Bold(term);
    std::string out;
    for (const UsageOptionName& name : names)
        out += (out.empty() ? "" : ", ") + Bold(name.name);
    if (!names.back().value.empty())
        out += " " + Italic(names.back().value);
    return out;
}

void AppendRoffBlock(const UsageBlock& block, std::string& page)
{
    switch (block.kind) {
    case UsageBlock::Paragraph:
        page += ".PP\n";
        for (const std::string& line : block.lines)
            page += RoffLine(line) + "\n";
        break;
    case UsageBlock::Term:
        page += ".TP\n" + RoffTerm(block.term) + "\n";
        for (const std::string& line : block.lines)
            page += RoffLine(line) + "\n";
        break;
    case UsageBlock::Example:
        page += ".PP\n.RS 4\n.nf\n";
        for (const std::string& line : block.lines)
            page += RoffLine(line) + "\n";
        page += ".fi\n.RE\n";
        break;
    }
}

void AppendRoffSynopsis(const UsageSection& section, std::string& page)
{
    for (const UsageBlock& block : section.blocks)
        for (const std::string& line : block.lines) {
            std::istringstream words(line);
            std::string word, out;
            words >> word;
            out = Bold(word);
            while (words >> word)
                out += " " + SynopsisWord(word);
            page += ".br\n" + out + "\n";
        }
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// --- bash ---------------------------------------------------------------------------------

std::string ShellFunctionName(const std::string& program)
{
    std::string name = "_" + program;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

// The completion of an option's value: its choices, files of its type, or nothing (a number
// or a time is the user's to type).
std::string ValueCompletion(const std::string& value)
{
    if (value.find('|') != std::string::npos) {
        std::string words = value;
        std::replace(words.begin(), words.end(), '|', ' ');
        return "COMPREPLY=($(compgen -W '" + words + "' -- \"$cur\"))";
    }
    const size_t dot = value.rfind('.');
    if (dot != std::string::npos && dot + 1 < value.size() &&
        std::islower(static_cast<unsigned char>(value[dot + 1])))
        return "_filedir '" + value.substr(dot + 1) + "'";
    return ":";
}

} // namespace

std::string UsageHelpText(const UsageDocument& document)
{
    std::string text = Synopsis(document) + "\n";
    for (const UsageSection& section : document.sections) {
        if (!IsHelpSection(section.heading))
            continue;
        if (section.heading != "DESCRIPTION")
            text += HelpHeading(section.heading) + "\n";
        for (size_t i = 0; i < section.blocks.size(); ++i) {
            AppendHelpBlock(section.blocks[i], text);
            const bool termEnds = section.blocks[i].kind == UsageBlock::Term &&
                                  (i + 1 == section.blocks.size() ||
                                   section.blocks[i + 1].kind != UsageBlock::Term);
            if (termEnds)
                text += "\n";
        }
    }
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, "\n\n") == 0)
        text.pop_back();
    return text;
}

std::string UsageShortText(const UsageDocument& document)
{
    return Synopsis(document) + "Try '" + document.program + " --help' for more information.\n";
}

std::string UsageManPage(const UsageDocument& document, const std::string& version)
{
    std::string page = ".\\\" Made from the program's usage text at build time: edit that instead.\n";
    page += ".TH " + Upper(document.program) + " 1 \"\" \"Zoruvede " + version +
            "\" \"User Commands\"\n";
    // Not hyphenated, not justified: a broken option name can't be copied, and wide gaps
    // between words read badly in a terminal.
    page += ".nh\n.ad l\n";
    page += ".SH NAME\n" + RoffText(document.program) + " \\- " + RoffText(document.summary) + "\n";
    for (const UsageSection& section : document.sections) {
        page += ".SH " + section.heading + "\n";
        if (section.heading == "SYNOPSIS") {
            AppendRoffSynopsis(section, page);
            continue;
        }
        for (const UsageBlock& block : section.blocks)
            AppendRoffBlock(block, page);
    }
    return page;
}

std::string UsageBashCompletion(const UsageDocument& document)
{
    const std::vector<UsageOptionName> options = UsageOptions(document);
    const std::string function = ShellFunctionName(document.program);
    std::string names, valueCases;
    for (const UsageOptionName& option : options) {
        names += (names.empty() ? "" : " ") + option.name;
        if (!option.value.empty())
            valueCases += "        " + option.name + ") " + ValueCompletion(option.value) +
                          "; return ;;\n";
    }
    std::string script = "# bash completion for " + document.program +
                         ", made from its usage text at build time\n";
    script += function + "()\n{\n";
    script += "    local cur prev words cword split\n";
    script += "    _init_completion -s || return\n";
    script += "    case $prev in\n" + valueCases + "    esac\n";
    script += "    $split && return\n";
    script += "    if [[ $cur == -* ]]; then\n";
    script += "        COMPREPLY=($(compgen -W '" + names + "' -- \"$cur\"))\n";
    script += "        return\n    fi\n";
    script += "    _filedir\n}\n";
    script += "complete -F " + function + " " + document.program + "\n";
    return script;
}

std::string CppStringLiteral(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\n')
            out += "\\n\"\n\"";
        else if (c == '"' || c == '\\')
            out += std::string("\\") + c;
        else
            out += c;
    }
    out += "\"";
    return out;
}
