// The animation being edited: its frames in order, the common delay, the canvas and the loop
// setting, and the store its pictures are kept in. A frame is an immutable, compressed picture
// shared by the document, the undo history, the strip and the workers; no edit copies one. Observers hear of every change to the frame list in the terms of
// the change, so a view can follow it without rebuilding itself, and of every change of the
// settings with the settings before it.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

#include "core/document/canvas_edit.h"
#include "core/picture/picture.h"

struct AnimationFrame {
    // Null for a frame whose file was missing when its project was opened.
    PictureRef picture;
    // The picture made small once, where it was loaded, for the strip's tiles (at most the
    // largest tile's box); null when there is none yet: a tile then decodes the picture.
    std::shared_ptr<const wxImage> thumbnail;
    // The entry as stored in a project: a path, or a GIF frame's reference name.
    wxString source;
    // The frame's own delay in hundredths of a second (0..kGifMaxDelay), or kCommonDelay when it
    // follows the animation's common delay.
    int delay = -1;
};
constexpr int kCommonDelay = -1;
// The common delay of a new document, in hundredths of a second.
constexpr int kDefaultDelay = 10;
using FramePtr = std::shared_ptr<const AnimationFrame>;
using FrameList = std::vector<FramePtr>;

FramePtr MakeFrame(PictureRef picture, const wxString& source, int delay = kCommonDelay,
                   std::shared_ptr<const wxImage> thumbnail = nullptr);
// The same picture and source with another delay of its own (kCommonDelay: none).
FramePtr WithDelay(const FramePtr& frame, int delay);
// The memory a frame's picture costs: its compressed bytes and its thumbnail.
size_t FrameBytes(const AnimationFrame& frame);
// The size of a frame's picture; 0 x 0 for a missing one.
wxSize FrameSize(const AnimationFrame& frame);

// What changed in the frame list.
struct FrameListChange {
    enum Kind { Inserted, Removed, Reordered, Replaced };
    Kind kind;
    // Inserted: the new frames' positions, ascending. Removed: the old positions, ascending.
    // Replaced: the positions whose frame is another one now (same places), ascending.
    std::vector<int> indices;
    // Reordered: order[i] is the old position of the frame now at i.
    std::vector<int> order;
};

// The common delay, the canvas with whether the user chose it, and the loop setting.
struct DocumentSettings {
    int delay = kDefaultDelay;
    // The size the user chose, or (not chosen) the one the frames give.
    wxSize canvas;
    bool canvasChosen = false;
    // The preview's loops (0: forever), and whether the saved GIF plays them too.
    int loopCount = 0;
    bool loopInFile = false;
    // How the frames become the output's pictures: orientation, crop, fit mode, background.
    CanvasEdit edit;
    bool operator==(const DocumentSettings& o) const
    {
        return delay == o.delay && canvas == o.canvas && canvasChosen == o.canvasChosen &&
               loopCount == o.loopCount && loopInFile == o.loopInFile && edit == o.edit;
    }
    // The canvas and the edit, as the edits of the picture change them.
    EditedCanvas Edited() const { return EditedCanvas{canvas, edit}; }
    // settings with the canvas and edit of state; choose: the canvas is the user's from now
    // on (a crop's), else it stays chosen or follows the frames as before.
    DocumentSettings With(const EditedCanvas& state, bool choose) const
    {
        DocumentSettings s = *this;
        s.canvas = state.canvas;
        s.canvasChosen = canvasChosen || choose;
        s.edit = state.edit;
        return s;
    }
    bool operator!=(const DocumentSettings& o) const { return !(*this == o); }
};

class AnimationDocument {
public:
    // A document whose pictures go to store; without one, a store of its own with the default
    // budget.
    explicit AnimationDocument(std::shared_ptr<PictureStore> store = nullptr);

    // Where the pictures of this document's frames are kept: loaders make theirs in it.
    const std::shared_ptr<PictureStore>& Store() const { return m_store; }
    // Keeps the pictures made from now on in store; pictures made before stay in theirs.
    void UseStore(std::shared_ptr<PictureStore> store) { m_store = std::move(store); }

    using Listener = std::function<void(const FrameListChange&)>;
    using SettingsListener = std::function<void(const DocumentSettings& before)>;

    const FrameList& Frames() const { return m_frames; }
    int Count() const { return static_cast<int>(m_frames.size()); }
    const FramePtr& Frame(int index) const { return m_frames[index]; }
    // 0 .. Count()-1: every frame, for the edits that take them all.
    std::vector<int> AllPositions() const;

    // Inserts frames before position at (clamped to the end), in their order.
    void Insert(int at, const FrameList& frames);
    // Inserts each frame at its own final position; positions ascending, as Remove gave them.
    void InsertAt(const std::vector<int>& positions, const FrameList& frames);
    // Puts frames in place of those at positions (ascending, one frame each); returns the
    // frames they replaced.
    FrameList Replace(const std::vector<int>& positions, const FrameList& frames);
    // Removes the frames at positions (any order, duplicates and strays ignored) and
    // returns them in ascending position order.
    FrameList Remove(const std::vector<int>& positions);
    // Puts the frames in a new order: order[i] is the current position of the frame that
    // goes to i. Must be a permutation of 0..Count()-1; anything else changes nothing.
    bool Reorder(const std::vector<int>& order);

    // Whether frame index has no picture (its file was missing when its project was opened).
    bool IsMissing(int index) const { return !m_frames[index]->picture; }

    int Delay() const { return m_settings.delay; }
    // The delay frame index is written with: its own, or the common one.
    int EffectiveDelay(int index) const;
    // The canvas every frame is written on: the size the user chose, else FramesCanvas().
    wxSize Canvas() const;
    bool CanvasChosen() const { return m_settings.canvasChosen; }
    // The size the frames give (CanvasFromFrameSizes of their sizes as oriented; a missing
    // picture counts as 0 x 0).
    wxSize FramesCanvas() const;
    const CanvasEdit& Edit() const { return m_settings.edit; }
    int LoopCount() const { return m_settings.loopCount; }
    // Whether the saved GIF plays LoopCount() times too (otherwise it loops forever).
    bool LoopInFile() const { return m_settings.loopInFile; }
    // All of the settings, the canvas as Canvas() gives it.
    DocumentSettings Settings() const;
    // Takes settings (not chosen: the canvas follows the frames and settings.canvas is not
    // kept) and tells the settings listener when that changed anything.
    void SetSettings(const DocumentSettings& settings);

    void SetListener(Listener listener) { m_listener = std::move(listener); }
    void SetSettingsListener(SettingsListener listener) { m_settingsListener = std::move(listener); }

private:
    void Tell(const FrameListChange& change);

    std::shared_ptr<PictureStore> m_store;
    FrameList m_frames;
    DocumentSettings m_settings;  // canvas: the chosen one, kept only while chosen
    Listener m_listener;
    SettingsListener m_settingsListener;
};

// The delay a player waits on a frame: delays under 2 hundredths play as 10, as browsers do.
int PlayedDelay(int delay);
// When each frame starts, in hundredths: starts[i] is the sum of the delays before frame i,
// and the last element the sum of them all.
std::vector<long> StartTimes(const std::vector<int>& delays);
// How long the frames play, in hundredths, each for its played delay.
long PlayedLength(const std::vector<int>& writtenDelays);
// A delay scaled by percent, rounded to the nearest hundredth and kept within 0..kGifMaxDelay.
int ScaledDelay(int delay, int percent);
