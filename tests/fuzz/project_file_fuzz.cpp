// The project file: whatever the reader accepts, written again and read back, gives the same
// project, and every file is read within its limits in one pass. Names an XML file can't
// hold are refused by the writer, never written damaged.
#include "fuzz/fuzz_support.h"
#include "core/project/project_file.h"
#include "support/temp_dir.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartToolkitForFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ProjectReading read = ReadProjectBytes(reinterpret_cast<const char*>(data), size);
    if (!read.Usable()) {
        FUZZ_CHECK(read.frames.empty());
        return 0;
    }
    FUZZ_CHECK(!read.frames.empty());

    const ProjectData& project = read;

    static TempDir dir;
    const wxString path = dir.File("project.xml");
    const bool storable = FirstFrameXmlCannotHold(project) < 0 && XmlCanHold(project.gifName);
    wxString error;
    const bool written = WriteProjectFile(path, project, &error);
    FUZZ_CHECK(written == storable);
    if (!written)
        return 0;

    const ProjectReading again = ReadProjectFile(path);
    FUZZ_CHECK(again.Usable());
    FUZZ_CHECK(again.gifName == read.gifName);
    FUZZ_CHECK(again.width == read.width);
    FUZZ_CHECK(again.height == read.height);
    FUZZ_CHECK(again.delay == read.delay);
    FUZZ_CHECK(again.frames == read.frames);
    return 0;
}
