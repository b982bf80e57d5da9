// What the fuzz targets share: the toolkit's base library started once, and a check that
// aborts with a message, so the fuzzer keeps the input that broke a property.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <wx/string.h>

#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,      \
                         #condition);                                                     \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// Starts the toolkit's base library and its image handlers, silences its log (damaged input
// makes the decoders complain) and our trace lines, and turns every toolkit assertion into an
// abort: an assertion reached from fuzzed bytes is a fault of ours, a caller breaking a
// contract.
void StartToolkitForFuzzing();

// The bytes as text, the way a file's UTF-8 would be read; invalid UTF-8 gives an empty string.
wxString FuzzText(const uint8_t* data, size_t size);

// Writes the bytes to path; false when that fails.
bool WriteFuzzFile(const wxString& path, const uint8_t* data, size_t size);
