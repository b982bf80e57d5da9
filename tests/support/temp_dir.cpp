#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <wx/filename.h>

TempDir::TempDir()
{
    std::string pattern = (wxFileName::GetTempDir() + "/zoruvede-test-XXXXXX").ToStdString();
    if (mkdtemp(pattern.data()))
        m_path = wxString::FromUTF8(pattern.c_str());
}

TempDir::~TempDir()
{
    // Plain file system calls: a directory may outlive the toolkit's own clean-up.
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(std::string(m_path.utf8_str()), ignored);
}
