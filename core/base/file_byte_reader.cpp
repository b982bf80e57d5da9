#include "core/base/file_byte_reader.h"

#include <sys/stat.h>

FileByteReader::FileByteReader(const wxString& path)
    : m_file(std::fopen(path.fn_str(), "rb"), &std::fclose)
{
    struct stat st;
    if (m_file && ::fstat(fileno(m_file.get()), &st) == 0 && st.st_size > 0)
        m_size = static_cast<uint64_t>(st.st_size);
}

ByteReader FileByteReader::Reader()
{
    FILE* file = m_file.get();
    return [file](uint64_t offset, unsigned char* out, size_t count) {
        return file && fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0 &&
               std::fread(out, 1, count, file) == count;
    };
}
