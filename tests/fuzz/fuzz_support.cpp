#include "fuzz/fuzz_support.h"

#include <cstdio>

#include <wx/debug.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include "core/base/trace.h"

namespace {
void AbortingAssertHandler(const wxString& file, int line, const wxString& func,
                           const wxString& cond, const wxString& msg)
{
    std::fprintf(stderr, "toolkit assertion at %s:%d in %s: %s %s\n",
                 static_cast<const char*>(file.utf8_str()), line,
                 static_cast<const char*>(func.utf8_str()),
                 static_cast<const char*>(cond.utf8_str()),
                 static_cast<const char*>(msg.utf8_str()));
    std::abort();
}
}

void StartToolkitForFuzzing()
{
    // Kept for the whole process: the fuzzer never returns to a point where it could end.
    static wxInitializer* initializer = new wxInitializer;
    if (!initializer->IsOk()) {
        std::fprintf(stderr, "fuzz: the toolkit failed to initialise\n");
        std::abort();
    }
    wxInitAllImageHandlers();
    wxLog::EnableLogging(false);
    SetTraceEnabled(false);
    wxSetAssertHandler(AbortingAssertHandler);
}

wxString FuzzText(const uint8_t* data, size_t size)
{
    return wxString::FromUTF8(reinterpret_cast<const char*>(data), size);
}

bool WriteFuzzFile(const wxString& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen(path.utf8_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}
