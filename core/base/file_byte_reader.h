// A file read at any offset, the way the byte layouts' parsers read: only the bytes they ask
// for, never the whole file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

#include <wx/string.h>

// Reads count bytes at offset into out; false when the file has fewer.
using ByteReader = std::function<bool(uint64_t offset, unsigned char* out, size_t count)>;

class FileByteReader {
public:
    explicit FileByteReader(const wxString& path);

    bool IsOpen() const { return m_file != nullptr; }
    uint64_t Size() const { return m_size; }
    // Reads from this file; valid while this reader lives.
    ByteReader Reader();

private:
    std::unique_ptr<FILE, int (*)(FILE*)> m_file;
    uint64_t m_size = 0;
};
