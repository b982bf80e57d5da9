#include "project/project_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include "app/atomic_file.h"
#include "src/window/frame_reference.h"

namespace {
wxXmlNode* AddElement(wxXmlNode* parent, const char* name, const wxString* text = nullptr)
{
    auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, name);
    if (text)
        node->AddChild(new wxXmlNode(wxXML_TEXT_NODE, wxString(), *text));
    // Appending keeps the children in the order the file format fixes.
    wxXmlNode* last = parent->GetChildren();
    if (!last) {
        parent->AddChild(node);
    } else {
        while (last->GetNext())
            last = last->GetNext();
        parent->InsertChildAfter(node, last);
    }
    return node;
}

wxXmlNode* AddNumber(wxXmlNode* parent, const char* name, int value)
{
    const wxString text = wxString::Format("%d", value);
    return AddElement(parent, name, &text);
}

// Elements only: the positional walk doesn't trip over comments.
const wxXmlNode* Element(const wxXmlNode* node)
{
    while (node && node->GetType() != wxXML_ELEMENT_NODE)
        node = node->GetNext();
    return node;
}

const wxXmlNode* Next(const wxXmlNode* node)
{
    return node ? Element(node->GetNext()) : nullptr;
}

const wxXmlNode* FirstChild(const wxXmlNode* node)
{
    return node ? Element(node->GetChildren()) : nullptr;
}

bool Is(const wxXmlNode* node, const char* name)
{
    return node && node->GetName() == name;
}

bool SameGif(const wxString& a, const wxString& b)
{
    return GetGifFrameIndex(b) >= 0 && StripGifFrameSuffix(a) == StripGifFrameSuffix(b);
}
}

wxArrayString ProjectPathEntries(const wxArrayString& frames)
{
    wxArrayString entries;
    const size_t n = frames.size();
    for (size_t i = 0; i < n; ++i) {
        const wxString& p = frames[i];
        entries.Add(p);
        if (GetGifFrameIndex(p) < 0 || i + 1 == n)
            continue;
        // The marker follows the run's last frame, except that a run ending the list gets it
        // before its last frame; it is the GIF's own path, which no reader loads.
        const bool nextInRun = SameGif(p, frames[i + 1]);
        if (!nextInRun || i + 2 == n)
            entries.Add(StripGifFrameSuffix(p));
    }
    return entries;
}

void BuildProjectDocument(const ProjectData& data, wxXmlDocument& doc)
{
    auto* project = new wxXmlNode(wxXML_ELEMENT_NODE, "project");
    doc.SetRoot(project);
    AddElement(project, "name", &data.gifName);
    wxXmlNode* gif = AddElement(project, "gif");
    AddNumber(gif, "width", data.width);
    AddNumber(gif, "height", data.height);
    AddNumber(gif, "delay_time", data.delay);
    wxXmlNode* images = AddElement(project, "images");
    for (const wxString& entry : ProjectPathEntries(data.frames))
        AddElement(images, "path", &entry);
}

bool WriteProjectFile(const wxString& path, const ProjectData& data, wxString* error)
{
    wxXmlDocument doc;
    BuildProjectDocument(data, doc);
    AtomicFileWriter writer(path);
    bool ok = writer.Open();
    if (ok) {
        wxLogNull noLog;
        ok = doc.Save(writer.Stream(), 2) && writer.Commit();
    }
    if (!ok && error)
        *error = writer.Error().empty() ? wxString("writing failed") : writer.Error();
    return ok;
}

int ReadProjectNumber(const wxString& text)
{
    const wxScopedCharBuffer bytes = text.utf8_str();
    errno = 0;
    const long value = std::strtol(bytes.data(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

ProjectReading ReadProjectDocument(const wxXmlDocument& doc)
{
    ProjectReading r;
    const wxXmlNode* project = doc.GetRoot();
    if (!Is(project, "project"))
        return r;
    const wxXmlNode* name = FirstChild(project);
    const wxXmlNode* gif = Next(name);
    if (!Is(name, "name") || !Is(gif, "gif"))
        return r;
    const wxXmlNode* width = FirstChild(gif);
    if (!Is(width, "width"))
        return r;
    r.width = ReadProjectNumber(width->GetNodeContent());
    r.stage = ProjectStage::Width;
    const wxXmlNode* height = Next(width);
    if (!Is(height, "height"))
        return r;
    r.height = ReadProjectNumber(height->GetNodeContent());
    r.gifName = name->GetNodeContent();
    r.stage = ProjectStage::Height;
    const wxXmlNode* delay = Next(height);
    if (!Is(delay, "delay_time"))
        return r;
    r.delay = ReadProjectNumber(delay->GetNodeContent());
    r.stage = ProjectStage::Delay;
    const wxXmlNode* images = Next(gif);
    if (!Is(images, "images"))
        return r;
    r.stage = ProjectStage::Images;
    const wxXmlNode* child = FirstChild(images);
    r.imagesEmpty = child == nullptr;
    for (; child; child = Next(child)) {
        if (!Is(child, "path")) {
            r.sources.clear();
            return r;
        }
        const wxString entry = child->GetNodeContent();
        if (!entry.EndsWith(".gif") && wxFileExists(StripGifFrameSuffix(entry)))
            r.sources.Add(entry);
    }
    return r;
}

ProjectReading ReadProjectFile(const wxString& path)
{
    wxXmlDocument doc;
    {
        wxLogNull noLog;
        if (!wxFileExists(path) || !doc.Load(path, "UTF-8") || !doc.GetRoot())
            return ProjectReading();
    }
    return ReadProjectDocument(doc);
}

wxString ProjectTitle(const wxString& projectFileName, const wxString& productName)
{
    const wxString t = projectFileName.EndsWith(".xml") ? projectFileName.Left(projectFileName.length() - 4)
                                                        : wxString();
    return t + " - " + productName;
}
