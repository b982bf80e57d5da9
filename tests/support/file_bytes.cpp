#include "support/file_bytes.h"

#include <wx/ffile.h>

std::string FileBytes(const wxString& path)
{
    wxFFile file(path, "rb");
    if (!file.IsOpened())
        return std::string();
    std::string bytes(static_cast<size_t>(file.Length()), '\0');
    file.Read(bytes.data(), bytes.size());
    return bytes;
}

void MarkFile(const wxString& path)
{
    wxFFile(path, "wb").Write("MARK", 4);
}
