#include "core/project/project_markers.h"

#include <optional>

#include "core/input/frame_reference.h"

namespace {
bool SameGif(const wxString& a, const wxString& b)
{
    return GetGifFrameIndex(b) >= 0 && StripGifFrameSuffix(a) == StripGifFrameSuffix(b);
}

// Whether entry follows a run's frame under rule (older versions checked for ".gif_" in
// lower case anywhere after the first character), and the marker that run gets.
bool EndsRun(const wxString& entry, ProjectMarkers rule, wxString* marker)
{
    if (rule == ProjectMarkers::GifPath) {
        if (GetGifFrameIndex(entry) < 0)
            return false;
        *marker = StripGifFrameSuffix(entry);
        return true;
    }
    if (entry.find(".gif_", 1) == wxString::npos)
        return false;
    *marker = entry.Left(entry.length() - 2);
    return true;
}

// Whether next carries on the run that frame ended under rule.
bool ContinuesRun(const wxString& frame, const wxString& marker, const wxString& next,
                  ProjectMarkers rule)
{
    return rule == ProjectMarkers::GifPath ? SameGif(frame, next) : next.StartsWith(marker);
}

// Whether entries[k] is a marker under rule, the entry before it being a frame.
bool IsMarkerAt(const wxArrayString& entries, size_t k, ProjectMarkers rule)
{
    if (k == 0 || k + 1 >= entries.size())
        return false;
    wxString marker;
    if (!EndsRun(entries[k - 1], rule, &marker) || entries[k] != marker)
        return false;
    const bool nextIsLast = k + 2 == entries.size();
    return nextIsLast || !ContinuesRun(entries[k - 1], marker, entries[k + 1], rule);
}

// Every entry that is a frame when markers stand where rule puts them (or either rule, with
// both).
std::vector<size_t> FramesAmong(const wxArrayString& entries, bool gifPath, bool shortened)
{
    std::vector<size_t> frames;
    bool afterFrame = false;
    for (size_t k = 0; k < entries.size(); ++k) {
        const bool marker =
            afterFrame && ((gifPath && IsMarkerAt(entries, k, ProjectMarkers::GifPath)) ||
                           (shortened && IsMarkerAt(entries, k, ProjectMarkers::Shortened)));
        if (!marker)
            frames.push_back(k);
        afterFrame = !marker;
    }
    return frames;
}

wxArrayString Pick(const wxArrayString& entries, const std::vector<size_t>& indices)
{
    wxArrayString picked;
    for (size_t k : indices)
        picked.Add(entries[k]);
    return picked;
}

// Older versions read only ".gif" in lower case as a GIF and kept each of its frames as a
// frame reference: neither such a file's own path nor a reference to another spelling.
bool OlderVersionsNeverWrote(const wxArrayString& frames)
{
    for (const wxString& frame : frames)
        if (frame.EndsWith(".gif") ||
            (GetGifFrameIndex(frame) >= 0 && frame.find(".gif_", 1) == wxString::npos))
            return true;
    return false;
}

void ListPathEntries(const wxArrayString& frames, ProjectMarkers rule, wxArrayString* entries,
                     std::vector<int>* indices)
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
        wxString marker;
        if (i + 1 == n || !EndsRun(p, rule, &marker))
            continue;
        if (!ContinuesRun(p, marker, frames[i + 1], rule) || i + 2 == n)
            add(marker, -1);
    }
}
}

wxArrayString ProjectPathEntries(const wxArrayString& frames, ProjectMarkers rule)
{
    wxArrayString entries;
    ListPathEntries(frames, rule, &entries, nullptr);
    return entries;
}

std::vector<int> ProjectPathFrames(const wxArrayString& frames, ProjectMarkers rule)
{
    std::vector<int> indices;
    ListPathEntries(frames, rule, nullptr, &indices);
    return indices;
}

ProjectFrameEntries FindProjectFrames(const wxArrayString& entries)
{
    // Each rule's reading, kept when its writer gives exactly these entries back.
    std::optional<ProjectFrameEntries> found[2];
    for (const ProjectMarkers rule : {ProjectMarkers::GifPath, ProjectMarkers::Shortened}) {
        ProjectFrameEntries reading;
        reading.rule = rule;
        reading.frames = FramesAmong(entries, rule == ProjectMarkers::GifPath,
                                     rule == ProjectMarkers::Shortened);
        if (ProjectPathEntries(Pick(entries, reading.frames), rule) == entries)
            found[static_cast<int>(rule)] = reading;
    }
    const auto& today = found[static_cast<int>(ProjectMarkers::GifPath)];
    const auto& older = found[static_cast<int>(ProjectMarkers::Shortened)];
    // Both writers can give one list from different frames; the older reading holds only
    // when older versions could have written its frames.
    if (older && (!today || (older->frames != today->frames &&
                             !OlderVersionsNeverWrote(Pick(entries, older->frames)))))
        return *older;
    if (today)
        return *today;
    ProjectFrameEntries either;
    either.frames = FramesAmong(entries, true, true);
    return either;
}
