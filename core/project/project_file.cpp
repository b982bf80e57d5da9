#include "core/project/project_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <string>

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include "core/files/atomic_file.h"
#include "core/base/file_name_encoding.h"
#include "core/project/frame_folder.h"
#include "core/project/limited_xml.h"
#include "core/project/project_edit.h"
#include "core/input/frame_reference.h"
#include "core/gif/gif_limits.h"
#include "core/input/image_decode.h"
#include "core/base/readable_file.h"

namespace {
// Appends an element after last, the parent's last child (found when not given: a frame
// list is built in time that grows with its length, not its square).
wxXmlNode* AddElement(wxXmlNode* parent, const char* name, const wxString* text = nullptr,
                      wxXmlNode* last = nullptr)
{
    auto* node = new wxXmlNode(wxXML_ELEMENT_NODE, name);
    if (text)
        node->AddChild(new wxXmlNode(wxXML_TEXT_NODE, wxString(), *text));
    if (!last)
        for (last = parent->GetChildren(); last && last->GetNext();)
            last = last->GetNext();
    // Appending keeps the children in the order the file format fixes.
    if (!last)
        parent->AddChild(node);
    else
        parent->InsertChildAfter(node, last);
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

}

namespace {
int OwnDelay(const std::vector<int>& delays, int frame)
{
    return frame >= 0 && static_cast<size_t>(frame) < delays.size()
               ? delays[static_cast<size_t>(frame)]
               : -1;
}
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
    WriteEditAttributes(data.edit, *gif);
    AddNumber(gif, "width", data.width);
    AddNumber(gif, "height", data.height);
    AddNumber(gif, "delay_time", data.delay);
    wxXmlNode* images = AddElement(project, "images");
    const wxArrayString entries = ProjectPathEntries(data.frames, data.markers);
    const std::vector<int> indices = ProjectPathFrames(data.frames, data.markers);
    wxXmlNode* last = nullptr;
    for (size_t i = 0; i < entries.size(); ++i) {
        wxXmlNode* path = AddElement(images, "path", &entries[i], last);
        last = path;
        const int own = OwnDelay(data.frameDelays, indices[i]);
        if (own >= 0)
            path->AddAttribute("delay", wxString::Format("%d", std::min(own, kGifMaxDelay)));
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

// A frame's own delay from its path element: -1 when it has none, else held in 0..kGifMaxDelay.
int ReadOwnDelay(const wxXmlNode* path)
{
    wxString text;
    if (!path->GetAttribute("delay", &text))
        return -1;
    return std::clamp(ReadProjectNumber(text), 0, kGifMaxDelay);
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
    r.edit = ReadEditAttributes(*gif);
    wxArrayString entries;
    std::vector<int> delays;
    for (const wxXmlNode* child = FirstChild(images); child; child = Next(child)) {
        if (!Is(child, "path"))
            return Unusable(ProjectProblem::NotProject, "path");
        entries.Add(child->GetNodeContent());
        delays.push_back(ReadOwnDelay(child));
    }
    const ProjectFrameEntries found = FindProjectFrames(entries);
    r.markers = found.rule;
    for (size_t k : found.frames) {
        r.frames.Add(entries[k]);
        r.frameDelays.push_back(delays[k]);
    }
    if (r.frames.empty())
        return Unusable(ProjectProblem::NoFrames);
    return r;
}

ProjectReading ReadProjectBytes(const char* data, size_t size)
{
    const XmlLimits limits{kMaxProjectBytes, kMaxProjectDepth, kMaxProjectAttributes};
    wxXmlDocument doc;
    switch (LoadLimitedXml(data, size, limits, doc)) {
    case XmlRefusal::None:
        return ReadProjectDocument(doc);
    case XmlRefusal::TooLarge:
        return Unusable(ProjectProblem::TooLarge);
    case XmlRefusal::TooDeep:
        return Unusable(ProjectProblem::TooDeep);
    case XmlRefusal::TooManyAttributes:
        return Unusable(ProjectProblem::TooManyAttributes);
    case XmlRefusal::DocumentType:
        return Unusable(ProjectProblem::DocumentType);
    default:
        return Unusable(ProjectProblem::NotXml);
    }
}

ProjectReading ReadProjectFile(const wxString& path)
{
    wxString reason;
    if (!CheckReadable(path, &reason))
        return Unusable(ProjectProblem::Unreadable, reason);
    wxFile file;
    {
        wxLogNull noLog;
        if (!file.Open(path))
            return Unusable(ProjectProblem::Unreadable, wxSysErrorMsgStr());
    }
    const wxFileOffset length = file.Length();
    if (length < 0)
        return Unusable(ProjectProblem::Unreadable, wxSysErrorMsgStr());
    if (static_cast<uint64_t>(length) > kMaxProjectBytes)
        return Unusable(ProjectProblem::TooLarge);
    std::string bytes(static_cast<size_t>(length), '\0');
    wxLogNull noLog;
    const ssize_t got = bytes.empty() ? 0 : file.Read(&bytes[0], bytes.size());
    if (got != static_cast<ssize_t>(bytes.size()))
        return Unusable(ProjectProblem::Unreadable,
                        got < 0 ? wxSysErrorMsgStr() : wxString("it changed while it was read"));
    ProjectReading project = ReadProjectBytes(bytes.data(), bytes.size());
    for (wxString& entry : project.frames)
        entry = ResolveProjectEntry(entry, path);
    return project;
}

wxString ShownName(const wxString& name)
{
    const size_t half = kLongestShownName / 2;
    wxString shown = name.length() <= kLongestShownName
                         ? name
                         : name.Left(half) + wxString::FromUTF8("\u2026") + name.Right(half);
    for (wxString::iterator c = shown.begin(); c != shown.end(); ++c)
        if (*c < 0x20)
            *c = ' ';
    return shown;
}

wxString ProjectLoadEntry(const wxString& entry)
{
    return IsGifPath(entry) ? MakeFrameReferenceName(entry, 0) : entry;
}

wxArrayString ProjectLoadEntries(const wxArrayString& entries)
{
    wxArrayString load;
    load.reserve(entries.size());
    for (const wxString& entry : entries)
        load.Add(ProjectLoadEntry(entry));
    return load;
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
