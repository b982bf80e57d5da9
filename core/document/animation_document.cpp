#include "core/document/animation_document.h"

#include <algorithm>
#include <numeric>

#include "core/document/frame_order.h"

#include "core/document/canvas_size.h"
#include "core/picture/picture_store.h"
#include "core/gif/gif_limits.h"

FramePtr MakeFrame(PictureRef picture, const wxString& source, int delay,
                   std::shared_ptr<const wxImage> thumbnail)
{
    auto frame = std::make_shared<AnimationFrame>();
    frame->picture = std::move(picture);
    frame->thumbnail = std::move(thumbnail);
    frame->source = source;
    frame->delay = delay;
    return frame;
}

FramePtr WithDelay(const FramePtr& frame, int delay)
{
    return MakeFrame(frame->picture, frame->source, delay, frame->thumbnail);
}

size_t FrameBytes(const AnimationFrame& frame)
{
    if (!frame.picture)
        return 0;
    size_t bytes = frame.picture->CompressedBytes();
    if (frame.thumbnail && frame.thumbnail->IsOk())
        bytes += size_t(frame.thumbnail->GetWidth()) * size_t(frame.thumbnail->GetHeight()) *
                 (frame.thumbnail->HasAlpha() ? 4 : 3);
    return bytes;
}

wxSize FrameSize(const AnimationFrame& frame)
{
    return frame.picture ? wxSize(frame.picture->Width(), frame.picture->Height()) : wxSize(0, 0);
}

AnimationDocument::AnimationDocument(std::shared_ptr<PictureStore> store)
    : m_store(store ? std::move(store) : PictureStore::Create())
{
}

namespace {
bool IsPermutation(const std::vector<int>& order, int count)
{
    if (static_cast<int>(order.size()) != count)
        return false;
    std::vector<bool> seen(count, false);
    for (int p : order) {
        if (p < 0 || p >= count || seen[p])
            return false;
        seen[p] = true;
    }
    return true;
}
}

std::vector<int> AnimationDocument::AllPositions() const
{
    std::vector<int> all(m_frames.size());
    std::iota(all.begin(), all.end(), 0);
    return all;
}

void AnimationDocument::Tell(const FrameListChange& change)
{
    if (m_listener)
        m_listener(change);
}

wxSize AnimationDocument::FramesCanvas() const
{
    std::vector<wxSize> sizes;
    sizes.reserve(m_frames.size());
    for (const FramePtr& frame : m_frames)
        sizes.push_back(OrientedSize(FrameSize(*frame), m_settings.edit.orientation));
    return CanvasFromFrameSizes(sizes);
}

wxSize AnimationDocument::Canvas() const
{
    return m_settings.canvasChosen ? m_settings.canvas : FramesCanvas();
}

DocumentSettings AnimationDocument::Settings() const
{
    DocumentSettings settings = m_settings;
    settings.canvas = Canvas();
    return settings;
}

void AnimationDocument::SetSettings(const DocumentSettings& settings)
{
    const DocumentSettings before = Settings();
    m_settings = settings;
    if (!m_settings.canvasChosen)
        m_settings.canvas = wxSize();
    if (Settings() != before && m_settingsListener)
        m_settingsListener(before);
}

void AnimationDocument::Insert(int at, const FrameList& frames)
{
    at = std::clamp(at, 0, Count());
    m_frames.insert(m_frames.begin() + at, frames.begin(), frames.end());
    FrameListChange change{FrameListChange::Inserted, {}, {}};
    for (size_t i = 0; i < frames.size(); ++i)
        change.indices.push_back(at + static_cast<int>(i));
    if (!frames.empty())
        Tell(change);
}

void AnimationDocument::InsertAt(const std::vector<int>& positions, const FrameList& frames)
{
    FrameListChange change{FrameListChange::Inserted, {}, {}};
    for (size_t i = 0; i < positions.size() && i < frames.size(); ++i) {
        const int at = std::clamp(positions[i], 0, Count());
        m_frames.insert(m_frames.begin() + at, frames[i]);
        change.indices.push_back(at);
    }
    if (!change.indices.empty())
        Tell(change);
}

FrameList AnimationDocument::Remove(const std::vector<int>& positions)
{
    const std::vector<int> doomed = ValidPositions(Count(), positions);
    FrameList removed;
    for (int p : doomed)
        removed.push_back(m_frames[p]);
    // Highest first, so that no removal shifts a position still to be removed.
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        m_frames.erase(m_frames.begin() + *it);
    if (!doomed.empty())
        Tell({FrameListChange::Removed, doomed, {}});
    return removed;
}

FrameList AnimationDocument::Replace(const std::vector<int>& positions, const FrameList& frames)
{
    FrameList replaced;
    std::vector<int> done;
    for (size_t i = 0; i < positions.size() && i < frames.size(); ++i) {
        const int at = positions[i];
        if (at < 0 || at >= Count())
            continue;
        replaced.push_back(m_frames[at]);
        m_frames[at] = frames[i];
        done.push_back(at);
    }
    if (!done.empty())
        Tell({FrameListChange::Replaced, done, {}});
    return replaced;
}

int AnimationDocument::EffectiveDelay(int index) const
{
    const int own = m_frames[index]->delay;
    return own == kCommonDelay ? m_settings.delay : own;
}

bool AnimationDocument::Reorder(const std::vector<int>& order)
{
    if (!IsPermutation(order, Count()))
        return false;
    FrameList reordered;
    reordered.reserve(order.size());
    for (int p : order)
        reordered.push_back(m_frames[p]);
    m_frames.swap(reordered);
    Tell({FrameListChange::Reordered, {}, order});
    return true;
}

int PlayedDelay(int delay)
{
    return delay < 2 ? 10 : delay;
}

std::vector<long> StartTimes(const std::vector<int>& delays)
{
    std::vector<long> starts(1, 0);
    starts.reserve(delays.size() + 1);
    for (int delay : delays)
        starts.push_back(starts.back() + delay);
    return starts;
}

long PlayedLength(const std::vector<int>& writtenDelays)
{
    long length = 0;
    for (int delay : writtenDelays)
        length += PlayedDelay(delay);
    return length;
}

int ScaledDelay(int delay, int percent)
{
    const long long scaled = (static_cast<long long>(delay) * percent + 50) / 100;
    return static_cast<int>(std::clamp<long long>(scaled, 0, kGifMaxDelay));
}
