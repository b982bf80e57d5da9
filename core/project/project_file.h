// The project file: the frame sources, the canvas size, the delay and the name of the GIF,
// as XML with a fixed element order:
//   project > name, gif (width, height, delay_time), images (path...)
// Paths are stored as the frames carry them: image paths, or frame reference names for frames
// of a GIF; a frame in the project's frames folder by a path relative to the project's folder
// (frame_folder.h). After each run of frames from one GIF a marker entry is written, which names no
// frame (project_markers.h); each other entry is one frame.
// Timing rides on attributes, which the positional walk of older readers never looks at:
//   <path delay="250">      the frame's own delay in hundredths; absent: the common delay_time
//   <gif loop="3" loop_saved="1">  the project's loop setting (0 forever, 1 once, N times)
//                           and whether the GIF saved from the project uses it ("1") or
//                           plays forever as before ("0"); both absent: forever, not used.
// A project with every frame on the common delay and the default loop setting has no
// attribute, so it is byte for byte the file written before timing was stored. The picture
// edits (turning, mirroring, the crop, the fit mode, the background) ride on attributes of gif
// too; project_edit.h lists them.
#pragma once

#include <vector>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "core/document/canvas_edit.h"
#include "core/project/project_markers.h"
#include "core/export/export_failure.h"

class wxXmlDocument;

// What a project holds, as written and as read.
struct ProjectData {
    wxString gifName;
    int width = 0;
    int height = 0;
    int delay = 0;
    // Every frame's entry, in order: an image path, or a frame reference name (the document's
    // source of each frame). Run markers are not among them. Whether the files still exist is
    // for the reader of the project to find out.
    wxArrayString frames;
    // Each frame's own delay in hundredths (0..kGifMaxDelay), by frame index; -1 (or a frame
    // past the end of the list) follows delay. A read project has one per frame.
    std::vector<int> frameDelays;
    // How many times the animation plays: 0 forever, 1 once, N N times (GifExportOptions'
    // loopCount); loopInGif: the GIF saved from the project plays so, else forever.
    int loopCount = 0;
    bool loopInGif = false;
    // How the frames become the pictures of the GIF; width and height are its canvas.
    CanvasEdit edit;
    // The rule the run markers are written by: a file of an older version keeps its own.
    ProjectMarkers markers = ProjectMarkers::GifPath;
};

// Builds the document of a project.
void BuildProjectDocument(const ProjectData& data, wxXmlDocument& doc);
// Writes the project to path through a temporary file beside it; the previous file stays
// when anything fails. False with error (naming the reason, in English) and failure (the
// kind, for a message in the interface language) on failure; either may be null.
bool WriteProjectFile(const wxString& path, const ProjectData& data, wxString* error,
                      ExportFailure* failure = nullptr);

// Why a project file can't be opened. A file with any problem changes nothing.
enum class ProjectProblem {
    None,
    Unreadable,  // the file can't be read; detail: the system's reason
    NotXml,      // not well-formed UTF-8 XML
    NotProject,  // the elements are not a project's; detail: the element missing or out of place
    NoFrames,    // the project names no frame
    // Past a limit no project comes near, checked before anything of it is built:
    TooLarge,           // longer than kMaxProjectBytes
    TooDeep,            // elements nested deeper than kMaxProjectDepth
    TooManyAttributes,  // an element with more than kMaxProjectAttributes
    DocumentType,       // a document type declaration, which no project has
};

// A project of 20,000 frames with paths of a thousand characters stays far below these; a
// project needs three levels of elements and two attributes on one.
constexpr size_t kMaxProjectBytes = 50'000'000;
constexpr int kMaxProjectDepth = 16;
constexpr int kMaxProjectAttributes = 16;

// A project as read from a file: its data when it is usable (the loop setting 0 and false when
// the file doesn't say), else why not.
struct ProjectReading : ProjectData {
    ProjectProblem problem = ProjectProblem::NotXml;
    wxString detail;

    bool Usable() const { return problem == ProjectProblem::None; }
};

// A number as the standard string-to-integer conversion reads it (leading blanks, a sign,
// digits up to the first non-digit, 0 without digits), clamped to the int range.
int ReadProjectNumber(const wxString& text);
// Reads a whole project document: project > name, gif (width, height, delay_time), images
// (path...), strictly in this order; anything else makes it unusable.
ProjectReading ReadProjectDocument(const wxXmlDocument& doc);
// Reads size bytes as XML within the project limits and then as a project document.
ProjectReading ReadProjectBytes(const char* data, size_t size);
// Reads the file as ReadProjectBytes reads its bytes, with each entry of a frame in a frames
// folder ("X.frames/0001.png") resolved against the file's folder; a file past kMaxProjectBytes is
// not read.
ProjectReading ReadProjectFile(const wxString& path);

// A name read from a project as the window shows it: on one line and, past 255 characters
// (more than any file name has; a path is still known by its two ends), cut in the middle.
// The project keeps the name as it was read: laying out a text of megabytes would hold the
// window for minutes.
constexpr size_t kLongestShownName = 255;
wxString ShownName(const wxString& name);

// What the loaders are given for a project's frame: the frame's own entry, except that a
// GIF's own path stands for one picture, its first (older versions kept a frame of a file
// named "X.GIF" so), as every entry of a project is one frame.
wxString ProjectLoadEntry(const wxString& entry);
wxArrayString ProjectLoadEntries(const wxArrayString& entries);

// Whether text survives a round trip through an XML file: every character is one XML 1.0
// allows, none (a carriage return) that readers turn into another, and none that stands for
// a byte of a file name that is no valid text (a lone surrogate or the private-use
// characters of file_name_encoding.h).
bool XmlCanHold(const wxString& text);
// The index of the first frame whose name XmlCanHold refuses, or -1 when all can be stored.
int FirstFrameXmlCannotHold(const ProjectData& data);

// The window title for a project file name: the name without its ".xml" ending (in any letter
// case; empty when it doesn't end so), " - " and the product name.
wxString ProjectTitle(const wxString& projectFileName, const wxString& productName);
