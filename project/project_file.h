// The project file: the frame sources, the canvas size, the delay and the name of the GIF,
// as XML with a fixed element order:
//   project > name, gif (width, height, delay_time), images (path...)
// Paths are stored as the frames carry them: image paths, or frame reference names for frames
// of a GIF. After each run of frames from one GIF a marker entry holding the GIF's own path is
// written; readers drop every entry that ends in ".gif", so markers never load anything.
#pragma once

#include <vector>

#include <wx/arrstr.h>
#include <wx/string.h>

class wxXmlDocument;

struct ProjectData {
    wxString gifName;
    int width = 0;
    int height = 0;
    int delay = 0;
    // The frames' names, in order (the strip's m_filename of each frame).
    wxArrayString frames;
};

// The path entries for frames, markers included, in file order.
wxArrayString ProjectPathEntries(const wxArrayString& frames);
// Builds the document of a project.
void BuildProjectDocument(const ProjectData& data, wxXmlDocument& doc);
// Writes the project to path through a temporary file beside it; the previous file stays
// when anything fails. False with error (naming the reason) on failure.
bool WriteProjectFile(const wxString& path, const ProjectData& data, wxString* error);

// How far the strictly positional reading of a project got. Each stage includes the ones
// before it; a document that stops early, or names an element differently, stops there.
enum class ProjectStage {
    NotRead,      // not XML, no root, or not the project's first elements
    Width,        // project > name, gif > width read
    Height,       // ... gif > height read
    Delay,        // ... gif > delay_time read
    Images,       // ... images found
};

struct ProjectReading {
    ProjectStage stage = ProjectStage::NotRead;
    wxString gifName;
    int width = 0;
    int height = 0;
    int delay = 0;
    // images has no child at all.
    bool imagesEmpty = false;
    // The entries to load: paths whose file exists and that don't end in ".gif", in order.
    // Empty when a child of images other than path ended the walk.
    wxArrayString sources;
};

// A number as the standard string-to-integer conversion reads it (leading blanks, a sign,
// digits up to the first non-digit, 0 without digits), clamped to the int range.
int ReadProjectNumber(const wxString& text);
// Reads a project document; never fails beyond stopping at the first unexpected element.
ProjectReading ReadProjectDocument(const wxXmlDocument& doc);
// Parses the file as UTF-8 XML and reads it; NotRead when it isn't XML with a root.
ProjectReading ReadProjectFile(const wxString& path);

// The window title for a project file name: the name without ".xml" (empty when it doesn't
// end so), " - " and the product name.
wxString ProjectTitle(const wxString& projectFileName, const wxString& productName);
