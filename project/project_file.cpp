#include "project/project_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include "app/atomic_file.h"
#include "app/file_name_encoding.h"
#include "src/window/frame_reference.h"
#include "src/window/gif_blocks.h"
#include "src/window/image_decode.h"

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

namespace {
// The entries with the frame each names (-1 for a marker), in file order.
void ListPathEntries(const wxArrayString& frames, wxArrayString* entries, std::vector<int>* indices)
{
    const auto add = [&](const wxString& entry, int frame) {
        if (entries)
            entries->Add(entry);
        if (indices)
            indices->push_back(frame);
    };
    const size_t n = frames.size();
    for (size_t i = 0; i < n; ++i) {
        const wxString& p = frames[i];
        add(p, static_cast<int>(i));
        if (GetGifFrameIndex(p) < 0 || i + 1 == n)
            continue;
        // The marker follows the run's last frame, except that a run ending the list gets it
        // before its last frame; it is the GIF's own path, which no reader loads.
        const bool nextInRun = SameGif(p, frames[i + 1]);
        if (!nextInRun || i + 2 == n)
            add(StripGifFrameSuffix(p), -1);
    }
}

int OwnDelay(const std::vector<int>& delays, int frame)
{
    return frame >= 0 && static_cast<size_t>(frame) < delays.size()
               ? delays[static_cast<size_t>(frame)]
               : -1;
}
}

wxArrayString ProjectPathEntries(const wxArrayString& frames)
{
    wxArrayString entries;
    ListPathEntries(frames, &entries, nullptr);
    return entries;
}

std::vector<int> ProjectPathFrames(const wxArrayString& frames)
{
    std::vector<int> indices;
    ListPathEntries(frames, nullptr, &indices);
    return indices;
}

void BuildProjectDocument(const ProjectData& data, wxXmlDocument& doc)
{
    auto* project = new wxXmlNode(wxXML_ELEMENT_NODE, "project");
    doc.SetRoot(project);
    AddElement(project, "name", &data.gifName);
    wxXmlNode* gif = AddElement(project, "gif");
    if (data.loopCount != 0 || data.loopInGif) {
        gif->AddAttribute("loop", wxString::Format("%d", data.loopCount));
        gif->AddAttribute("loop_saved", data.loopInGif ? "1" : "0");
    }
    AddNumber(gif, "width", data.width);
    AddNumber(gif, "height", data.height);
    AddNumber(gif, "delay_time", data.delay);
    wxXmlNode* images = AddElement(project, "images");
    wxArrayString entries;
    std::vector<int> indices;
    ListPathEntries(data.frames, &entries, &indices);
    for (size_t i = 0; i < entries.size(); ++i) {
        wxXmlNode* path = AddElement(images, "path", &entries[i]);
        const int own = OwnDelay(data.frameDelays, indices[i]);
        if (own >= 0)
            path->AddAttribute("delay", wxString::Format("%d", std::min(own, 65535)));
    }
}

bool WriteProjectFile(const wxString& path, const ProjectData& data, wxString* error,
                      ExportFailure* failure)
{
    // A file no reader can open again is never written.
    if (FirstFrameXmlCannotHold(data) >= 0 || !XmlCanHold(data.gifName)) {
        if (error)
            *error = "a name holds a character that an XML file can't store";
        return false;
    }
    wxXmlDocument doc;
    BuildProjectDocument(data, doc);
    AtomicFileWriter writer(path);
    bool ok = writer.Open();
    if (ok) {
        wxLogNull noLog;
        const bool saved = doc.Save(writer.Stream(), 2);
        ok = writer.CheckWritten() && saved && writer.Commit();
    }
    if (ok)
        return true;
    ExportFailure why = FileWriteFailure(writer);
    if (why.reason.empty())
        why.reason = "writing failed";
    if (error)
        *error = writer.Error().empty() ? why.reason : writer.Error();
    if (failure)
        *failure = why;
    return false;
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

namespace {
ProjectReading Unusable(ProjectProblem problem, const wxString& detail = wxString())
{
    ProjectReading r;
    r.problem = problem;
    r.detail = detail;
    return r;
}

// A frame's own delay from its path element: -1 when it has none, else held in 0..65535.
int ReadOwnDelay(const wxXmlNode* path)
{
    wxString text;
    if (!path->GetAttribute("delay", &text))
        return -1;
    return std::clamp(ReadProjectNumber(text), 0, 65535);
}

// The next element, which must be named name; null when it isn't.
const wxXmlNode* Expect(const wxXmlNode* node, const char* name, wxString& missing)
{
    if (Is(node, name))
        return node;
    missing = name;
    return nullptr;
}
}

ProjectReading ReadProjectDocument(const wxXmlDocument& doc)
{
    wxString missing;
    const wxXmlNode* project = Expect(doc.GetRoot(), "project", missing);
    const wxXmlNode* name = project ? Expect(FirstChild(project), "name", missing) : nullptr;
    const wxXmlNode* gif = name ? Expect(Next(name), "gif", missing) : nullptr;
    const wxXmlNode* width = gif ? Expect(FirstChild(gif), "width", missing) : nullptr;
    const wxXmlNode* height = width ? Expect(Next(width), "height", missing) : nullptr;
    const wxXmlNode* delay = height ? Expect(Next(height), "delay_time", missing) : nullptr;
    const wxXmlNode* images = delay ? Expect(Next(gif), "images", missing) : nullptr;
    if (!images)
        return Unusable(ProjectProblem::NotProject, missing);

    ProjectReading r;
    r.problem = ProjectProblem::None;
    r.gifName = name->GetNodeContent();
    r.width = ReadProjectNumber(width->GetNodeContent());
    r.height = ReadProjectNumber(height->GetNodeContent());
    r.delay = ReadProjectNumber(delay->GetNodeContent());
    wxString loop;
    if (gif->GetAttribute("loop", &loop))
        r.loopCount = std::clamp(ReadProjectNumber(loop), 0, kGifMaxLoopCount);
    r.loopInGif = gif->GetAttribute("loop_saved", "0") == "1";
    for (const wxXmlNode* child = FirstChild(images); child; child = Next(child)) {
        if (!Is(child, "path"))
            return Unusable(ProjectProblem::NotProject, "path");
        // Entries naming a GIF file itself are the markers after runs of GIF frames.
        const wxString entry = child->GetNodeContent();
        if (!IsGifPath(entry)) {
            r.sources.Add(entry);
            r.frameDelays.push_back(ReadOwnDelay(child));
        }
    }
    if (r.sources.empty())
        return Unusable(ProjectProblem::NoFrames);
    return r;
}

ProjectReading ReadProjectFile(const wxString& path)
{
    wxString reason;
    if (!CheckReadable(path, &reason))
        return Unusable(ProjectProblem::Unreadable, reason);
    wxXmlDocument doc;
    {
        wxLogNull noLog;
        // Whitespace nodes kept: without them a name of blanks only would read as empty.
        // The walk over the elements skips the indentation between them.
        if (!doc.Load(path, "UTF-8", wxXMLDOC_KEEP_WHITESPACE_NODES) || !doc.GetRoot())
            return Unusable(ProjectProblem::NotXml);
    }
    return ReadProjectDocument(doc);
}

bool XmlCanHold(const wxString& text)
{
    for (wxUniChar c : text) {
        const wxUint32 u = c.GetValue();
        const bool allowed = u == 0x9 || u == 0xA || (u >= 0x20 && u <= 0xD7FF) ||
                             (u >= 0xE000 && u <= 0xFFFD) || (u >= 0x10000 && u <= 0x10FFFF);
        // A byte of a file name that is no text would be read back as another character.
        if (!allowed || IsFileNameByteCharacter(c))
            return false;
    }
    return true;
}

int FirstFrameXmlCannotHold(const ProjectData& data)
{
    for (size_t i = 0; i < data.frames.size(); ++i)
        if (!XmlCanHold(data.frames[i]))
            return static_cast<int>(i);
    return -1;
}

wxString ProjectTitle(const wxString& projectFileName, const wxString& productName)
{
    const wxString t = projectFileName.Lower().EndsWith(".xml")
                           ? projectFileName.Left(projectFileName.length() - 4)
                           : wxString();
    return t + " - " + productName;
}
