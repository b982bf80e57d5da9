// What a batch of paths handed to the window at once (a drop, the command line) asks for:
// images to load, or one project to open. No window is needed, so unit tests use it directly.
#pragma once

#include <wx/arrstr.h>
#include <wx/string.h>

// The file system as the sorting sees it; tests replace it to make a folder unreadable, which
// root (who runs CI) can't get from permissions.
class FolderReader {
public:
    virtual ~FolderReader() = default;
    virtual bool IsFolder(const wxString& path) const;
    // The paths of the files directly inside folder, hidden ones left out, in no particular
    // order; false when the folder can't be listed.
    virtual bool ListFiles(const wxString& folder, wxArrayString& files) const;
};

struct OpenedPaths {
    // Entries for the loader, in order. Files named directly are all here whatever their
    // extension, so that the loader names those it can't read; of a folder, only its files
    // with an image extension.
    wxArrayString images;
    // The project to open, empty for none. A project opens on its own: it replaces the document.
    wxString project;
    // Everything beside the project, as given (a second project, images, folders).
    wxArrayString leftOut;
    // Folders that could not be listed, and folders without a single image file.
    wxArrayString unreadableFolders;
    wxArrayString foldersWithoutImages;
};

// Sorts paths in the order given: the first .xml file is the project, and with one everything
// else is left out. Otherwise files are taken in the order given, each folder at its place in
// the list by its image files in natural name order; folders are not entered recursively.
OpenedPaths SortOpenedPaths(const wxArrayString& paths,
                            const FolderReader& reader = FolderReader());

// Whether path names a project file (its extension is .xml in any letter case).
bool IsProjectPath(const wxString& path);
// Whether path has the extension of an image the loader reads (PNG, JPEG, BMP, GIF).
bool HasImageExtension(const wxString& path);

// Orders names as people count: runs of digits compare by value ("frame2" before "frame10"),
// letters without regard to case; names equal in that sense fall back to a plain comparison,
// so the order is total. Negative, 0 or positive as a before, equal to or after b.
int CompareNaturally(const wxString& a, const wxString& b);
