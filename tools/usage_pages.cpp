// Build-time generator: renders a program's usage text (see app/usage_document.h) as the
// header its --help comes from, its manual page and its bash completion. It runs instead of
// the programs themselves, since the windowed one can't start without a display.
//
// usage_pages SOURCE VERSION HEADER MANPAGE COMPLETION
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/usage_document.h"
#include "tools/usage_renderings.h"

namespace {

bool Write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "usage_pages: can't write %s\n", path.c_str());
        return false;
    }
    return true;
}

std::string Header(const UsageDocument& document)
{
    return "// Made from the program's usage text at build time: edit that instead.\n"
           "#pragma once\n\n"
           "inline constexpr char kUsageHelp[] =\n" + CppStringLiteral(UsageHelpText(document)) +
           ";\n\n"
           "inline constexpr char kUsageShort[] =\n" + CppStringLiteral(UsageShortText(document)) +
           ";\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: usage_pages SOURCE VERSION HEADER MANPAGE COMPLETION\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream source;
    source << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "usage_pages: can't read %s\n", argv[1]);
        return 1;
    }
    UsageDocument document;
    std::string error;
    if (!ParseUsageDocument(source.str(), document, error)) {
        std::fprintf(stderr, "%s:%s\n", argv[1], error.substr(4).c_str());
        return 1;
    }
    const std::string version = argv[2];
    const bool written = Write(argv[3], Header(document)) &&
                         Write(argv[4], UsageManPage(document, version)) &&
                         Write(argv[5], UsageBashCompletion(document));
    return written ? 0 : 1;
}
